#!/usr/bin/env bash
# Installs the Debian 12 packages the program, its tests, its fuzz targets and its
# benchmarks need.
set -euo pipefail
packages=(g++ cmake make qt6-base-dev qt6-base-dev-tools libgl-dev libbenchmark-dev
          openjdk-17-jdk xvfb xauth fonts-dejavu-core clang libclang-rt-14-dev
          librsvg2-bin desktop-file-utils appstream shared-mime-info lintian dpkg-dev man-db
          xdotool libx11-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
