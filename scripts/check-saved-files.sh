#!/usr/bin/env bash
# Reads the files the save and export tests write with programs that share no
# code with Kelvary: ImageMagick's identify for the pictures and the icon,
# libtiff's tiffinfo for TIFF, poppler's pdfinfo and pdfimages for PDF.
# Usage: scripts/check-saved-files.sh <build folder>
# The readers: apt-get install imagemagick poppler-utils libtiff-tools
set -euo pipefail

build=${1:?usage: $0 <build folder>}
test_binary="$build/tests/app/save_commands_test"
for tool in identify tiffinfo pdfinfo pdfimages; do
  command -v "$tool" >/dev/null || { echo "missing $tool (apt-get install imagemagick poppler-utils libtiff-tools)"; exit 2; }
done

kept=$(mktemp -d)
trap 'rm -rf "$kept"' EXIT
KELVARY_SAVED_FILES="$kept" QT_QPA_PLATFORM=offscreen "$test_binary" >/dev/null

failures=0
check() { # description, command...
  local what=$1; shift
  if "$@" >/dev/null 2>&1; then echo "ok    $what"; else echo "FAIL  $what"; failures=$((failures + 1)); fi
}
# identify's answer for a picture: width x height.
size_is() { [ "$(identify -format '%wx%h' "$1" 2>/dev/null | head -c 40)" = "$2" ]; }

shopt -s nullglob
for f in "$kept"/*.bmp "$kept"/*.gif "$kept"/*.jpg "$kept"/*.png "$kept"/*.tga; do
  case $(basename "$f") in
    *-taken.bmp) continue ;; # a stand-in file of a few letters, never a picture
    TheChosenEntry*) check "$(basename "$f") reads as 37x23" size_is "$f" 37x23 ;;
    BmpKeeps*) check "$(basename "$f") reads as 21x9" size_is "$f" 21x9 ;;
    *) check "$(basename "$f") reads" identify "$f" ;;
  esac
done
for f in "$kept"/*.tif; do
  case $(basename "$f") in *-narrow.tif) continue ;; esac # the stand-in a failed save must keep
  check "$(basename "$f") tiffinfo" tiffinfo "$f"
  check "$(basename "$f") reads as 37x23" size_is "$f" 37x23
done
for f in "$kept"/*.pdf; do
  case $(basename "$f") in *old.pdf) continue ;; esac
  check "$(basename "$f") pdfinfo" pdfinfo "$f"
  check "$(basename "$f") one DCT image" sh -c "pdfimages -list '$f' | grep -c ' jpeg ' | grep -qx 1"
done
for f in "$kept"/*icon.bin; do
  cp "$f" "$kept/icon.ico"
  check "icon reads as 32x32" size_is "$kept/icon.ico" 32x32
done
for f in "$kept"/*.emf "$kept"/*.wmf; do
  # ImageMagick reads metafiles only where libwmf is built in: the header check stands alone.
  check "$(basename "$f") is not empty" test -s "$f"
done
echo "$failures failure(s)"
[ "$failures" -eq 0 ]
