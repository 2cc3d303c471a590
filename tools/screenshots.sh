#!/usr/bin/env bash
# Refreshes the user guide's pictures in docs/images from the real windows, on a
# display of their own (run as root on Debian 12; installs what is missing).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"

missing=()
for p in cmake g++ qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev \
         xvfb xauth fonts-dejavu-core; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build-docs -DCMAKE_BUILD_TYPE=Release -DVARNEL_BUILD_TESTS=OFF \
      -DVARNEL_BUILD_SCREENSHOTS=ON
cmake --build build-docs -j "$(nproc)" --target varnel-screenshots
xvfb-run -a -s "-screen 0 1400x1000x24" \
    build-docs/tools/screenshots/varnel-screenshots docs/images examples/shapes.vnls Circle
