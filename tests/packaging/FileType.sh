#!/usr/bin/env bash
# Registers an installed tree with the desktop as the package's triggers do (the MIME database
# and the menu entries' type index), then checks, as a file manager sees it, that a file named
# *.trevalo is a fight file, that Trevalo is the program for it and its menu entry takes a file,
# that the AppStream metadata names the same type, and that opening the file starts the program
# with the file's path.
# Usage: FileType.sh <installed prefix> <app id>
set -euo pipefail
prefix="$1" id="$2"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT

fail() { echo "FAIL: $*"; exit 1; }

# Only what the program is started with matters here, not what it does: a stand-in in its
# place records its arguments. The machine's own menu entries stay visible, as on a desktop.
mkdir "$home/bin"
cat >"$home/bin/trevalo" <<'STUB'
#!/usr/bin/env bash
printf '%s\n' "$@" >"$HOME/arguments.part" && mv "$HOME/arguments.part" "$HOME/arguments"
STUB
chmod +x "$home/bin/trevalo"
# Runs a command as on a desktop that has the installed tree among its data folders.
desktop() {
    env -i PATH="$home/bin:/usr/bin:/bin" HOME="$home" XDG_DATA_HOME="$home/data" \
        XDG_CONFIG_HOME="$home/config" XDG_DATA_DIRS="$prefix/share:/usr/share" "$@"
}

desktop update-mime-database "$prefix/share/mime"
desktop update-desktop-database "$prefix/share/applications"

fight="$home/Friday night.trevalo"
echo '{}' >"$fight"
type=$(desktop gio info -a standard::content-type "$fight" | sed -n 's/^ *standard::content-type: //p')
[ "$type" = application/x-trevalo-fight ] || fail "a *.trevalo file is of type '$type'"
program=$(desktop gio mime "$type" | sed -n 's/^Default application for .*: //p')
[ "$program" = "$id.desktop" ] || fail "the program for $type is '$program', not $id.desktop"
# GLib hands a file even to an entry without a field code; other desktops hand it only to %f.
grep -Eq '^Exec=[^%]*%f$' "$prefix/share/applications/$id.desktop" ||
    fail "the menu entry's Exec takes no file: $(grep '^Exec=' "$prefix/share/applications/$id.desktop")"
grep -q "<mediatype>$type</mediatype>" "$prefix/share/metainfo/$id.metainfo.xml" ||
    fail "the AppStream metadata does not name $type"

desktop gio open "$fight"
for _ in $(seq 100); do
    [ -f "$home/arguments" ] && break
    sleep 0.1
done
[ -f "$home/arguments" ] || fail "opening a fight file did not start the program"
[ "$(cat "$home/arguments")" = "$fight" ] ||
    fail "opening a fight file started the program with: $(cat "$home/arguments")"
echo "1 passed, 0 failed"
