#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks the files laid out,
# validates the desktop entry and the metainfo, and runs the installed
# program headless on a picture. Usage: install_test.sh <build folder> <picture>
set -euo pipefail
build=$1
picture=$2
for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 77; }
done

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

id=org.kelvary.Kelvary
expected=(
  bin/kelvary
  share/kelvary/Kelvary.html
  share/applications/$id.desktop
  share/metainfo/$id.metainfo.xml
  share/mime/packages/$id.xml
  share/man/man1/kelvary.1.gz
  share/doc/kelvary/copyright
  share/doc/kelvary/changelog.gz
)
for size in 16 24 32 48 64 128 256; do expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png"); done
status=0
for file in "${expected[@]}"; do
  [ -s "$prefix/$file" ] || { echo "missing: $file"; status=1; }
done
# Each icon is a PNG of its own size.
for size in 16 256; do
  header=$(od -An -tx1 -j16 -N8 "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png" | tr -d ' \n')
  [ "$header" = "$(printf '%08x%08x' "$size" "$size")" ] || { echo "icon ${size}: wrong size"; status=1; }
done

desktop-file-validate "$prefix/share/applications/$id.desktop" || status=1
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || status=1
# Every type the desktop entry lists, other than our own, is one the system knows.
mime_db=/usr/share/mime/packages/freedesktop.org.xml
if [ -f "$mime_db" ]; then
  for type in $(sed -n 's/^MimeType=//p' "$prefix/share/applications/$id.desktop" | tr ';' ' '); do
    grep -q "type=\"$type\"" "$mime_db" "$prefix/share/mime/packages/$id.xml" || { echo "unknown type: $type"; status=1; }
  done
fi

[ "$("$prefix/bin/kelvary" --version)" = "Kelvary 1.1" ] || { echo "--version"; status=1; }
# Started on a picture, the program keeps running until it is stopped.
set +e
QT_QPA_PLATFORM=offscreen timeout 3 "$prefix/bin/kelvary" "$picture"
ran=$?
set -e
[ "$ran" -eq 124 ] || { echo "the program ended on its own with $ran"; status=1; }
exit $status
