#!/usr/bin/env bash
# Installs the Debian packages that building, testing, packaging and benchmarking Quintrel
# need.
# Only missing packages are installed; apt-get update runs once, and only when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang clang-format libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev
  libgeonames-dev libcli11-dev libgtest-dev libgmock-dev libbenchmark-dev libical-dev
  libtcd-dev xtide-data libsqlite3-dev qt6-charts-dev libqt6opengl6-dev ccache
  at-spi2-core python3-pyatspi dbus-x11 openbox
  libx11-dev xvfb xauth x11-utils xdotool imagemagick poppler-utils
  locales fonts-dejavu-core fonts-dejavu-extra fonts-crosextra-caladea fonts-liberation2
  dpkg-dev fakeroot file help2man gzip lintian appstream desktop-file-utils man-db util-linux
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

# The tests also run under a decimal-comma locale, to prove numbers never go through it.
ensure_test_locale() {
  if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    "${sudo_cmd[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8 || true
  fi
}

if [ ${#missing[@]} -eq 0 ]; then
  ensure_test_locale
  exit 0
fi

echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
ensure_test_locale
