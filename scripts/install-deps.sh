#!/usr/bin/env bash
# Installs, as root with apt-get, everything the build, the tests and the
# programs need on a bare Debian 12 machine. Safe to run again.
#
# Packages are installed without their recommendations, so what a package
# only recommends but this project relies on is named here itself:
# fonts-urw-base35, without which libwmf's wmf2svg (a test's outside reader)
# loads no font at all, and libfile-mimeinfo-perl, with which xdg-open finds
# a program for a mail draft by its .eml name on a desktop that has no opener
# of its own (without it xdg-open guesses the type from the contents with
# file(1), which takes a draft with an HTML body for text/html and opens it
# in a web browser).
# Qt's X11 platform plugin and its image format plugins come with libqt6gui6.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config git
  googletest libgtest-dev libgmock-dev
  qt6-base-dev libgl-dev
  libboost-context-dev libsqlite3-dev sqlite3 libgmime-3.0-dev libinih-dev
  fonts-liberation fonts-dejavu-core
  fonts-urw-base35 fonts-comic-neue fonts-noto-core fonts-unfonts-core
  xdg-utils libfile-mimeinfo-perl shared-mime-info
  libwmf-bin poppler-utils xvfb xauth xxd
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  echo "install-deps: installing ${missing[*]}"
  apt-get update -qq
  # apt-get reports failures on standard error; its progress is left out.
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
