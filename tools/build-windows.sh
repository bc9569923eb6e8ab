#!/usr/bin/env bash
# Cross-builds the Windows screen saver on Debian: installs MinGW-w64 and Wine where missing,
# builds libpng once from Debian's own source package (with Debian's patches) as a static
# library, then configures and builds build-windows/ with cmake/mingw-w64.cmake (arguments go to
# cmake --build), leaving build-windows/capsaro.scr and its installer build-windows/capsaro-setup.exe.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

tools/deps.sh windows

out="$root/build-windows"
prefix="$out/deps"
if [ ! -f "$prefix/lib/libpng16.a" ]; then
  work="$out/libpng-src"
  rm -rf "$work" && mkdir -p "$work/lists/partial" "$work/archives/partial"
  # A source list of our own (the release archive; its point releases carry the security fixes),
  # so the machine's apt configuration is left as it is.
  cat > "$work/sources.list" <<'LIST'
deb-src http://deb.debian.org/debian bookworm main
LIST
  apt_options=(-o "Dir::Etc::SourceList=$work/sources.list" -o "Dir::Etc::SourceParts=-"
               -o "Dir::State::Lists=$work/lists" -o "Dir::Cache::Archives=$work/archives"
               -o "APT::Get::List-Cleanup=0")
  apt-get "${apt_options[@]}" update -qq
  (cd "$work" && apt-get "${apt_options[@]}" source --download-only -qq libpng1.6)
  (cd "$work" && tar xf libpng1.6_*.orig.tar.* && tar xf libpng1.6_*.debian.tar.*)
  source_dir=$(find "$work" -maxdepth 1 -type d -name 'libpng-1.6.*' | head -1)
  for patch in $(grep -v '^#' "$work/debian/patches/series"); do
    patch -d "$source_dir" -p1 -s < "$work/debian/patches/$patch"
  done
  cmake -S "$source_dir" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include \
    -DCMAKE_INSTALL_PREFIX="$prefix" >/dev/null
  cmake --build "$work/build"
  cmake --install "$work/build" >/dev/null
fi

# The embedding tool runs here, on the build machine.
embed="$out/host/embed_files"
if [ ! -x "$embed" ] || [ tools/embed/embed.cpp -nt "$embed" ]; then
  mkdir -p "$out/host"
  c++ -O2 -std=c++17 -o "$embed" tools/embed/embed.cpp
fi

cmake -S . -B "$out" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCAPSARO_WINDOWS_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCAPSARO_BENCH=OFF \
  -DPNG_LIBRARY="$prefix/lib/libpng16.a" -DPNG_PNG_INCLUDE_DIR="$prefix/include" \
  -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include \
  -DCAPSARO_EMBED_TOOL="$embed" >/dev/null
cmake --build "$out" "$@"

# The installer: capsaro.scr into the system folder, made the current screen saver.
version=$(sed -n 's/^project(Capsaro VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
makensis -V2 -DVERSION="$version" -DSCR="$out/capsaro.scr" -DOUTFILE="$out/capsaro-setup.exe" \
  saver/win32/installer/capsaro.nsi
