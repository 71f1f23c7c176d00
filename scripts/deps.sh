#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need,
# skipping those already present. Usage: scripts/deps.sh [run|test]
set -euo pipefail

run_packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  fonts-noto-cjk
  libxcb1-dev qt6-translations-l10n
  libcli11-dev
  qt6-charts-dev libqt6opengl6-dev
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev clang-format
  clang libclang-rt-14-dev
  xvfb xauth x11-utils xdotool imagemagick openbox wmctrl fonts-dejavu-core
  dbus dbus-x11 at-spi2-core python3-pyatspi
  desktop-file-utils appstream python3-fonttools valgrind
  dpkg-dev lintian locales time
)

wanted=("${run_packages[@]}")
[[ "${1:-run}" == test ]] && wanted+=("${test_packages[@]}")

missing=()
for pkg in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
