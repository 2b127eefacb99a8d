#!/usr/bin/env bash
# Unpacks the Debian package into a temporary root, checks that it depends on the Qt runtime
# it was linked with and that the desktop knows its fight files, and starts the unpacked
# program from there.
# Usage: PackageTest.sh <folder holding the one package> <engine folder> <engine file> <app id>
set -euo pipefail
packages=("$1"/*.deb)
[ ${#packages[@]} -eq 1 ] || { echo "FAIL: not one package in $1"; exit 1; }
package="${packages[0]}" enginedir="$2" enginefile="$3" id="$4"
here="$(dirname "$0")"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

dpkg-deb -x "$package" "$root"
depends=$(dpkg-deb -f "$package" Depends)
for runtime in libqt6widgets6 libqt6gui6 libqt6core6 libc6; do
    grep -q "\b$runtime\b" <<<"$depends" || { echo "FAIL: no $runtime in: $depends"; exit 1; }
done
"$here/FileType.sh" "$root/usr" "$id"
"$here/StartInstalled.sh" "$root/usr/bin/trevalo" "$root/usr/$enginedir/$enginefile"
