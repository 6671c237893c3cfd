#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what landed there:
# exactly the program, its sound and workbook modules, the shipped folder as
# the build laid it out (with the sums of its files), the desktop entry and the
# metainfo (both passing their validators) and the icons at 48, 128 and 256
# pixels. The program itself needs no audio library and no spreadsheet writer
# to start: the modules bring them at the first sound and the first workbook.
# Usage: check_install.sh BUILD_DIR DESKTOP_ID
set -euo pipefail
BUILD="$1"
ID="$2"
PREFIX="$(mktemp -d /tmp/benchdeck-install.XXXXXX)"
trap 'rm -rf "$PREFIX"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null

desktop-file-validate "$PREFIX/share/applications/$ID.desktop" || fail "desktop entry does not validate"
appstreamcli validate --no-net "$PREFIX/share/metainfo/$ID.metainfo.xml" >/dev/null \
  || { appstreamcli validate --no-net "$PREFIX/share/metainfo/$ID.metainfo.xml"; fail "metainfo does not validate"; }

expected="$(
  {
    echo bin/benchdeck
    echo lib/benchdeck/libbenchdeck_sound.so
    echo lib/benchdeck/libbenchdeck_workbook.so
    echo "share/applications/$ID.desktop"
    echo "share/metainfo/$ID.metainfo.xml"
    for size in 48 128 256; do echo "share/icons/hicolor/${size}x${size}/apps/$ID.png"; done
    (cd "$BUILD/share" && find benchdeck -type f | sed 's|^|share/|')
  } | LC_ALL=C sort
)"
installed="$(cd "$PREFIX" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)"
if [ "$expected" != "$installed" ]; then
  diff <(echo "$expected") <(echo "$installed") >&2 || true
  fail "installed files differ from the expected list (< expected, > installed)"
fi
[ -n "$(cd "$BUILD/share" && find benchdeck -path '*/Teams/*.txt' -print -quit)" ] || fail "no sample team shipped"
# The sums the build wrote into the shipped folder: one line for every other
# shipped file, each matching the installed bytes.
shipped="$PREFIX/share/benchdeck"
[ -f "$shipped/.shipped-sums" ] || fail "the shipped sums are not installed"
(cd "$shipped" && sha256sum --quiet --strict -c .shipped-sums) || fail "the shipped sums do not match the installed files"
[ "$(wc -l < "$shipped/.shipped-sums")" = "$(cd "$shipped" && find . -type f ! -path ./.shipped-sums | wc -l)" ] \
  || fail "the shipped sums do not list every shipped file"
[ -x "$PREFIX/bin/benchdeck" ] || fail "bin/benchdeck is not executable"
needed="$(LC_ALL=C readelf -d "$PREFIX/bin/benchdeck" | grep NEEDED || true)"
echo "$needed" | grep -q 'libQt6Widgets' || fail "cannot read what bin/benchdeck needs"
! echo "$needed" | grep -qi 'multimedia\|pulse' || fail "bin/benchdeck loads the audio libraries at start"
LC_ALL=C readelf -d "$PREFIX/lib/benchdeck/libbenchdeck_sound.so" | grep -q 'libQt6Multimedia' \
  || fail "the sound module does not bring the audio libraries"
! echo "$needed" | grep -qi 'xlsxwriter\|crypto' || fail "bin/benchdeck loads the spreadsheet writer at start"
LC_ALL=C readelf -d "$PREFIX/lib/benchdeck/libbenchdeck_workbook.so" | grep -q 'libxlsxwriter' \
  || fail "the workbook module does not bring the spreadsheet writer"

# A PNG's width and height are the big-endian words at bytes 16 and 20.
for size in 48 128 256; do
  read -r w h < <(od -An -tu4 --endian=big -j16 -N8 "$PREFIX/share/icons/hicolor/${size}x${size}/apps/$ID.png")
  [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "icon ${size}x${size} is ${w}x${h}"
done
grep -qx "Icon=$ID" "$PREFIX/share/applications/$ID.desktop" || fail "desktop entry names another icon"
echo "installed $(echo "$installed" | wc -l) files into a temporary prefix: as expected"
