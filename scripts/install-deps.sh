#!/usr/bin/env bash
# Installs the Debian 12 packages the program needs: to build and run it by
# default, with --test also those its tests, fuzz targets, benchmarks and
# install check need.
set -euo pipefail
packages=(g++ cmake make qt6-base-dev qt6-base-dev-tools libgl-dev libbenchmark-dev
          openjdk-17-jdk librsvg2-bin libx11-dev libfontconfig-dev)
if [ "${1:-}" = --test ]; then
  packages+=(xvfb xauth x11-utils fonts-dejavu-core clang libclang-rt-14-dev
             desktop-file-utils appstream shared-mime-info lintian devscripts mandoc dpkg-dev
             man-db xdotool openbox)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
