#!/usr/bin/env bash
# Installs the built program into a temporary prefix and checks the installed layout:
# the program in bin, its default sounds in share/brackenfold (where an installed
# program looks for them, "../share/brackenfold" from itself), a valid menu launcher,
# the saved-game MIME types with an icon each, and the icon. The installed program is
# stripped of its debug information and symbols.
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
         share/icons/hicolor/scalable/apps/brackenfold.svg \
         share/icons/hicolor/scalable/mimetypes/application-x-brackenfold-finished.svg \
         share/icons/hicolor/scalable/mimetypes/application-x-brackenfold-incomplete.svg; do
  [ -f "$prefix/$f" ] || { echo "missing: $f"; fail=1; }
done
if ls "$prefix/bin" | grep -q '\.wav$'; then echo "sounds left in bin"; fail=1; fi
[ -x "$prefix/bin/brackenfold" ] || { echo "bin/brackenfold is not executable"; fail=1; }
if readelf -S --wide "$prefix/bin/brackenfold" | grep -qE '\.debug_|\.symtab'; then
  echo "bin/brackenfold is not stripped"; fail=1
fi
desktop-file-validate "$prefix/share/applications/brackenfold.desktop" || fail=1
grep -qx 'Exec=brackenfold %f' "$prefix/share/applications/brackenfold.desktop" || { echo "bad Exec"; fail=1; }
# The MIME package is one shared-mime-info accepts.
mkdir -p "$prefix/check/packages"
cp "$prefix/share/mime/packages/brackenfold.xml" "$prefix/check/packages/"
update-mime-database "$prefix/check" || fail=1
grep -q 'application/x-brackenfold-incomplete' "$prefix/check/globs2" || { echo "type not in the MIME database"; fail=1; }
# Every type the package names has its own icon under the name the desktop looks up (the
# type with "-" for "/"), each a different picture that parses as SVG, and a generic
# icon for a program that is not installed.
types=$(cut -d' ' -f1 "$prefix/check/types" | sort -u)
[ "$(echo "$types" | wc -l)" -eq 2 ] || { echo "expected two types, got: $types"; fail=1; }
icons=()
for type in $types; do
  icon="$prefix/share/icons/hicolor/scalable/mimetypes/${type//\//-}.svg"
  icons+=("$icon")
  python3 -c 'import sys, xml.etree.ElementTree as t
sys.exit(t.parse(sys.argv[1]).getroot().tag != "{http://www.w3.org/2000/svg}svg")' "$icon" 2>/dev/null ||
    { echo "no SVG icon for $type"; fail=1; }
  grep -qx "$type:x-office-document" "$prefix/check/generic-icons" || { echo "no generic icon for $type"; fail=1; }
done
if [ ${#icons[@]} -eq 2 ] && cmp -s "${icons[0]}" "${icons[1]}"; then echo "both types share one icon"; fail=1; fi
exit $fail
