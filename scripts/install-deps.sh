#!/usr/bin/env bash
# Installs, as root with apt-get, everything the build, the tests and the
# programs need on a bare Debian 12 machine. Safe to run again.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config git
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev
  libboost-context-dev libsqlite3-dev sqlite3 libgmime-3.0-dev libinih-dev
  fonts-liberation fonts-dejavu-core
  fonts-urw-base35 fonts-comic-neue fonts-noto-core fonts-unfonts-core
  libwmf-bin poppler-utils xvfb xauth xxd
  shared-mime-info xdg-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
