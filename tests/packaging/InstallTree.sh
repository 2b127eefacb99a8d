#!/usr/bin/env bash
# Installs the build into a temporary prefix with cmake --install, checks that every file of
# the installed program is in its place, that the desktop knows its fight files, and starts it
# from there.
# Usage: InstallTree.sh <build folder> <library folder> <engine folder> <engine file> <app id>
set -euo pipefail
build="$1" libdir="$2" enginedir="$3" enginefile="$4" id="$5"
here="$(dirname "$0")"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

cmake --install "$build" --prefix "$root" >/dev/null
expected=(
    bin/trevalo
    "$enginedir/$enginefile"
    "share/applications/$id.desktop"
    "share/mime/packages/$id.xml"
    "share/metainfo/$id.metainfo.xml"
    "share/icons/hicolor/scalable/apps/$id.svg"
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x$size/apps/$id.png")
done
for file in "${expected[@]}"; do
    [ -f "$root/$file" ] || { echo "FAIL: $file was not installed"; exit 1; }
done
# Nothing of the engine may land where other programs' libraries are found.
if compgen -G "$root/$libdir/lib*" >/dev/null; then
    echo "FAIL: a library in $libdir itself"; exit 1
fi
"$here/FileType.sh" "$root" "$id"
"$here/StartInstalled.sh" "$root/bin/trevalo" "$root/$enginedir/$enginefile"
