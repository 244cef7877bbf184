#!/usr/bin/env bash
# Builds the Debian package, installs it with apt, checks the file-type
# association and opens a picture from the command line under Xvfb (a
# screenshot is left in the build folder), then removes the package and
# checks that nothing is left. Changes the system: run it by hand as root on
# a machine made for trying, not in CI.
# Usage: scripts/try-deb.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-deb}
export DEBIAN_FRONTEND=noninteractive

scripts/install-deps.sh
apt-get install -y -q --no-install-recommends lintian xdg-utils >/dev/null
command -v import >/dev/null || apt-get install -y -q --no-install-recommends imagemagick >/dev/null
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
# Only what the package holds, not the tests.
cmake --build "$build" --target kelvary kelvary_icons kelvary_compressed_docs
(cd "$build" && cpack -G DEB)
deb=$(ls -t "$build"/kelvary_*.deb | head -1)
echo "== lintian"
lintian --tag-display-limit 0 "$deb"

echo "== apt install $deb"
apt-get install -y -q "$(realpath "$deb")"
dpkg -L kelvary

echo "== file types"
xdg-mime default org.kelvary.Kelvary.desktop image/jpeg
answer=$(xdg-mime query default image/jpeg)
echo "xdg-mime query default image/jpeg: $answer"
[ "$answer" = org.kelvary.Kelvary.desktop ]
# A picture large enough to see in the screenshot.
picture=$(realpath "$build")/try-deb.jpg
convert -size 480x320 gradient:orange-navy -fill white -draw "circle 240,160 240,220" "$picture"
# The system's MIME database now knows the formats it did not.
for type in x-dr-halo-cut x-autodesk-animator x-wavefront-rla; do
  [ -f /usr/share/mime/image/$type.xml ] || { echo "image/$type is not in the MIME database"; exit 1; }
done
echo "image/x-dr-halo-cut, image/x-autodesk-animator and image/x-wavefront-rla are in the MIME database"

echo "== kelvary $picture under Xvfb"
display=:${KELVARY_TRY_DISPLAY:-74}
Xvfb "$display" -screen 0 1280x1024x24 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 2
DISPLAY=$display kelvary "$picture" &
program=$!
sleep 4
DISPLAY=$display import -window root "$build/try-deb.png"
kill $program
echo "screenshot: $build/try-deb.png"

echo "== apt remove"
apt-get remove -y -q kelvary
left=$(ls /usr/bin/kelvary /usr/share/applications/org.kelvary.Kelvary.desktop \
  /usr/share/icons/hicolor/*/apps/org.kelvary.Kelvary.png 2>/dev/null || true)
[ -z "$left" ] || { echo "left behind: $left"; exit 1; }
[ ! -f /usr/share/mime/image/x-dr-halo-cut.xml ] || { echo "image/x-dr-halo-cut stays in the MIME database"; exit 1; }
echo "removed cleanly"
