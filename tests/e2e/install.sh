#!/usr/bin/env bash
# Installs the built program into a temporary prefix and checks the installed layout:
# the program in bin, its default sounds in share/brackenfold (where an installed
# program looks for them, "../share/brackenfold" from itself), a valid menu launcher,
# the saved-game MIME types and the icon.
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build_dir" --prefix "$prefix" > /dev/null
fail=0
for f in bin/brackenfold \
         share/brackenfold/Start.wav share/brackenfold/Sel.wav share/brackenfold/AutoPlay.wav \
         share/brackenfold/Undo.wav share/brackenfold/Win.wav \
         share/applications/brackenfold.desktop share/mime/packages/brackenfold.xml \
         share/icons/hicolor/scalable/apps/brackenfold.svg; do
  [ -f "$prefix/$f" ] || { echo "missing: $f"; fail=1; }
done
if ls "$prefix/bin" | grep -q '\.wav$'; then echo "sounds left in bin"; fail=1; fi
[ -x "$prefix/bin/brackenfold" ] || { echo "bin/brackenfold is not executable"; fail=1; }
desktop-file-validate "$prefix/share/applications/brackenfold.desktop" || fail=1
grep -qx 'Exec=brackenfold %f' "$prefix/share/applications/brackenfold.desktop" || { echo "bad Exec"; fail=1; }
# The MIME package is one shared-mime-info accepts.
mkdir -p "$prefix/check/packages"
cp "$prefix/share/mime/packages/brackenfold.xml" "$prefix/check/packages/"
update-mime-database "$prefix/check" || fail=1
grep -q 'application/x-brackenfold-incomplete' "$prefix/check/globs2" || { echo "type not in the MIME database"; fail=1; }
exit $fail
