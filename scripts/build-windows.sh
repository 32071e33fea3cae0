#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds Tessaro for 64-bit Windows on Debian: the libraries it links
# (Qt, libjpeg-turbo, libspng, pugixml, from Debian's source packages) into a
# cache outside the checkout, then tessaro.exe, tessaro-cli.exe and
# tessaro-script.exe, statically linked, and
# build-windows/tessaro-VERSION-win64.zip.
#
#   scripts/build-windows.sh
#
# The cache is $TESSARO_WIN_CACHE (default ~/.cache/tessaro-win); with it in
# place a run only builds Tessaro. A clean cache takes about 45 to 50 minutes
# on two idle cores, nearly all of it Qt (docs/development.md, "Packages").
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="${TESSARO_WIN_CACHE:-$HOME/.cache/tessaro-win}"
prefix="$cache/prefix"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
jobs="$(nproc)"
export TESSARO_WIN_PREFIX="$prefix"
mkdir -p "$cache/src" "$cache/build" "$prefix"

packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev
  qt6-base-dev-tools cmake ninja-build pkg-config dpkg-dev
  qt6-tools-dev qt6-l10n-tools googletest fonts-ipafont-gothic zip pandoc
  wine64 wine xvfb xdotool imagemagick python3-pil
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
run_as_root=()
[ "$(id -u)" -eq 0 ] || run_as_root=(sudo)
# The libraries' sources come from Debian's own source packages, which need
# a deb-src line for the suite this machine uses.
deb_src=/etc/apt/sources.list.d/tessaro-deb-src.sources
if [ ! -e "$deb_src" ] && [ ! -e "$cache/src/.fetched" ]; then
  sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | "${run_as_root[@]}" tee "$deb_src" >/dev/null
  "${run_as_root[@]}" apt-get update -qq
fi
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  "${run_as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${run_as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Fetches and unpacks one Debian source package; prints its folder.
source_of() {
  local dir
  dir="$(find "$cache/src" -maxdepth 1 -type d -name "$1-[0-9]*" | head -n1)"
  if [ -z "$dir" ]; then
    (cd "$cache/src" && apt-get source -qq "$1" >&2)
    dir="$(find "$cache/src" -maxdepth 1 -type d -name "$1-[0-9]*" | head -n1)"
  fi
  echo "$dir"
}

# Builds and installs one CMake project into the prefix unless its stamp
# says it is there.
build_library() {
  local name="$1" src="$2"
  shift 2
  [ -e "$prefix/.built-$name" ] && return 0
  echo "Building $name for Windows"
  # A build that was stopped goes on where it stopped.
  nice -n 19 cmake -G Ninja -S "$src" -B "$cache/build/$name" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DTESSARO_WIN_PREFIX="$prefix" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF "$@" >"$cache/build/$name.log"
  nice -n 19 cmake --build "$cache/build/$name" -j"$jobs" >>"$cache/build/$name.log"
  cmake --install "$cache/build/$name" >>"$cache/build/$name.log"
  touch "$prefix/.built-$name"
}

# Every program links zlib statically, not Debian's zlib1.dll.
static_zlib=-DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a
build_library pugixml "$(source_of pugixml)" -DPUGIXML_BUILD_TESTS=OFF
build_library libjpeg-turbo "$(source_of libjpeg-turbo)" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF
# Its CMake file wants the DLL built too; only the static library is used.
build_library libspng "$(source_of libspng)" -DSPNG_SHARED=ON -DSPNG_STATIC=ON -DBUILD_EXAMPLES=OFF "$static_zlib"
# What Tessaro's CMake asks pkg-config for, as the static library; zlib
# comes after it from ZLIB_LIBRARY (cmake/Windows.cmake), since a "-lz" here
# would find zlib's DLL.
cat >"$prefix/lib/pkgconfig/spng.pc" <<PC
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: spng
Description: PNG decoding and encoding library, static
Version: 0.7.3
Libs: -L\${libdir} -lspng_static
Cflags: -I\${includedir} -DSPNG_STATIC
PC

# Qt: static, Widgets only. Debian's source leaves out the tablet header the
# Windows plugin needs (so no tablet events), and the Windows plugin does not
# build without OpenGL in this version.
build_library qtbase "$(source_of qt6-base)" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
  -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_testlib=OFF \
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
  -DFEATURE_tabletevent=OFF -DFEATURE_opengl=ON \
  -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF \
  "$static_zlib" -DFEATURE_system_zlib=ON -DFEATURE_system_png=OFF -DFEATURE_system_pcre2=OFF \
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF
touch "$cache/src/.fetched"

# Tessaro itself, beside the checkout's other builds.
out="$root/build-windows"
export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig"
mkdir -p "$out"
# -O2: GCC 12 at -O3 warns falsely (-Wstringop-overflow, -Wmaybe-uninitialized)
# in the standard library's inlined code for Windows, which stops the build.
cmake -G Ninja -S "$root" -B "$out" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DTESSARO_WIN_PREFIX="$prefix" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DTESSARO_BUILD_TESTS=OFF -DTESSARO_BUILD_BENCH=OFF "$static_zlib" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >"$out/build.log"
nice -n 19 cmake --build "$out" -j"$jobs" --target tessaro tessaro-cli tessaro-script tessaro-windows-tests manual_html >>"$out/build.log" ||
  { tail -n 30 "$out/build.log" >&2; exit 1; }

# The English translation, made by the host's lrelease with the program; the
# program looks for it in translations\ beside itself.
qm="$out/translations/tessaro_en.qm"
if [ ! -f "$qm" ]; then
  echo "build-windows.sh: no $qm (Qt's LinguistTools for the host: qt6-tools-dev, qt6-l10n-tools)" >&2
  exit 1
fi

# The zip: the two programs, stripped, the manual, a README, the licences of
# what is linked in, the English translation, and the IPA font for a Windows
# without a Japanese one.
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/CMakeCache.txt")"
stage="$out/tessaro-$version-win64"
rm -rf "$stage" "$stage.zip"
mkdir -p "$stage/licenses" "$stage/fonts" "$stage/translations"
cp "$qm" "$stage/translations/"
# The Help menu opens manual.html beside the program; the build makes it
# with the host's pandoc.
if [ ! -f "$out/manual.html" ]; then
  echo "build-windows.sh: no $out/manual.html (the manual needs pandoc on the host)" >&2
  exit 1
fi
cp "$out/manual.html" "$stage/"
cp "$root/LICENSE" "$stage/licenses/Tessaro-GPL-3.0.txt"
for program in tessaro tessaro-cli; do
  x86_64-w64-mingw32-strip -o "$stage/$program.exe" "$out/$program.exe"
done
sed "s/@VERSION@/$version/" "$root/data/windows/README.txt" | sed 's/$/\r/' >"$stage/README.txt"
cp /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf "$stage/fonts/"
cp /usr/share/doc/fonts-ipafont-gothic/copyright "$stage/licenses/IPA-font.txt"
licence() { # NAME FILE...: the first of the files that exists
  local name="$1" file
  shift
  for file in "$@"; do
    if [ -f "$file" ]; then
      cp "$file" "$stage/licenses/$name.txt"
      return
    fi
  done
  echo "build-windows.sh: no licence text for $name" >&2
  exit 1
}
qt="$(source_of qt6-base)"
licence Qt "$qt/LICENSES/LGPL-3.0-only.txt" "$qt/LICENSE.LGPL3"
# Qt's own copies of HarfBuzz, FreeType, libpng, PCRE2 and the rest.
licence Qt-copyright "$qt/debian/copyright"
licence libjpeg-turbo "$(source_of libjpeg-turbo)/LICENSE.md"
licence libjpeg-turbo-IJG "$(source_of libjpeg-turbo)/README.ijg"
licence libspng "$(source_of libspng)/LICENSE"
licence pugixml "$(source_of pugixml)/LICENSE.md" "$(source_of pugixml)/readme.txt"
licence zlib /usr/share/doc/libz-mingw-w64-dev/copyright
licence mingw-w64-runtime /usr/share/doc/mingw-w64-x86-64-dev/copyright
licence gcc-runtime /usr/share/doc/gcc-mingw-w64-base/copyright
(cd "$out" && rm -f "$(basename "$stage").zip" && zip -qr "$(basename "$stage").zip" "$(basename "$stage")")
echo "$stage.zip"
