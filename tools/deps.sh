#!/usr/bin/env bash
# Installs the Debian packages Capsaro needs that are missing (as root, or through sudo); with
# --list, only prints the group's packages (CI installs them with apt-get itself).
# Usage: tools/deps.sh [--list] build|test|package|windows|all
set -euo pipefail

build_packages=(g++ cmake ninja-build pkg-config libsdl2-dev libgtk-3-dev libgl-dev libegl-dev libopengl-dev
                libx11-dev libxext-dev libxrandr-dev libxinerama-dev libpng-dev zlib1g-dev
                libwayland-dev wayland-protocols libxkbcommon-dev
                libgl1-mesa-dri librsvg2-common fonts-dejavu-core)
# The tests: formatting, sanitizers, Google Test and Benchmark, X servers and input (Xorg's dummy
# driver gives the two-monitor test its Xinerama layout), screenshots, the real XScreenSaver, and
# for the Wayland host a headless sway with its background, screenshots, keys and idle daemon.
test_packages=(clang-format clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
               xvfb xdotool imagemagick valgrind
               x11-utils x11-xserver-utils xscreensaver xscreensaver-data xscreensaver-gl
               xserver-xorg-core xserver-xorg-video-dummy
               sway swaybg grim wtype swayidle jq)

# The Debian package: dpkg-dev and debhelper build it (tools/package-deb.sh; debian/control's other
# build dependencies are in the build group), lintian checks it and man-db finds its manual page
# (tools/test-package.sh, a stage of tools/test.sh).
package_packages=(dpkg-dev debhelper lintian man-db)

# The Windows cross-build: MinGW-w64, its zlib, Wine to run the result, dpkg-dev for apt-get
# source (libpng is built from Debian's source package), NSIS for the installer, and Wine's own
# fonts (Tahoma for dialogs, Marlett for caption buttons), which tools/wine.sh copies into its prefix.
windows_packages=(g++ g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine wine64 dpkg-dev nsis ninja-build cmake
                  imagemagick xvfb fonts-wine)

list=no
if [ "${1:-}" = --list ]; then
  list=yes
  shift
fi

case "${1:-all}" in
  build) wanted=("${build_packages[@]}") ;;
  test) wanted=("${build_packages[@]}" "${test_packages[@]}" "${package_packages[@]}") ;;
  package) wanted=("${package_packages[@]}") ;;
  windows) wanted=("${windows_packages[@]}") ;;
  all) wanted=("${build_packages[@]}" "${test_packages[@]}" "${package_packages[@]}" "${windows_packages[@]}") ;;
  *) echo "usage: $0 [--list] build|test|package|windows|all" >&2; exit 2 ;;
esac
if [ $list = yes ]; then
  printf '%s\n' "${wanted[@]}" | sort -u
  exit 0
fi

missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
