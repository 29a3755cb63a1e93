#!/usr/bin/env bash
# Installs everything Tonecast needs on a fresh Debian 12 machine and builds the
# static libjpeg and GoogleTest for the mingw-w64 cross build. Safe to run again:
# every step checks whether its work is already done.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
deps="${TONECAST_DEPS:-/opt/tonecast-deps}"

packages=(
  cmake ninja-build g++ clang-format pkg-config
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev libjpeg62-turbo-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools nasm
  wine wine64
  xvfb xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils x11-utils
  xdotool imagemagick libxxf86vm-dev
  icc-profiles-free liblcms2-dev dpkg-dev
  nsis zlib1g-dev
  # Glyphs for the Japanese and Chinese texts of the window under Wine, which has none of its own
  fonts-wqy-microhei
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

sources_changed=0
if [ ! -f /etc/apt/sources.list.d/tonecast-src.sources ]; then
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
      >/etc/apt/sources.list.d/tonecast-src.sources
  else
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' \
      >/etc/apt/sources.list.d/tonecast-src.list
    touch /etc/apt/sources.list.d/tonecast-src.sources
  fi
  sources_changed=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $sources_changed = 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  [ ${#missing[@]} -gt 0 ] && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

mkdir -p "$deps"
toolchain="$here/cmake/mingw-w64-x86_64.cmake"

# libjpeg-turbo from Debian's source package, static, for mingw, with its SIMD code (nasm): the
# build stops rather than fall back to the slower plain C decoder.
if [ ! -f "$deps/mingw/lib/libjpeg.a" ]; then
  (
    cd "$deps"
    if ! ls -d libjpeg-turbo-*/ >/dev/null 2>&1; then
      apt-get source --download-only libjpeg-turbo >/dev/null 2>&1
      dpkg-source -x libjpeg-turbo_*.dsc >/dev/null 2>&1
    fi
    src=$(ls -d libjpeg-turbo-*/ | head -n 1)
    cmake -S "$src" -B jpeg-build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE=Release -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
      -DREQUIRE_SIMD=ON -DCMAKE_INSTALL_PREFIX="$deps/mingw" -Wno-dev >/dev/null
    cmake --build jpeg-build --target install >/dev/null
  )
fi

# libjpeg-turbo once more, natively with clang and the fuzzer's instrumentation, for the JPEG
# fuzz target: coverage inside the decoder guides the fuzzer, AddressSanitizer checks its
# memory. Without SIMD, whose assembly has no coverage; without UBSan, whose reports on the
# library's own arithmetic are not ours to fix.
if [ ! -f "$deps/fuzz/lib/libjpeg.a" ]; then
  src=$(ls -d "$deps"/libjpeg-turbo-*/ | head -n 1)
  cmake -S "$src" -B "$deps/jpeg-fuzz-build" -G Ninja -DCMAKE_C_COMPILER=clang \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_FLAGS="-fsanitize=fuzzer-no-link,address" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF \
    -DCMAKE_INSTALL_PREFIX="$deps/fuzz" -Wno-dev >/dev/null
  cmake --build "$deps/jpeg-fuzz-build" --target install >/dev/null
  # Where its install puts the library depends on the platform; the build knows it here.
  mkdir -p "$deps/fuzz/lib"
  cp "$deps/jpeg-fuzz-build/libjpeg.a" "$deps/fuzz/lib/"
fi

# GoogleTest (gtest + gmock) for mingw, static.
if [ ! -f "$deps/mingw/lib/libgtest.a" ]; then
  cmake -S /usr/src/googletest -B "$deps/gtest-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -Dgtest_disable_pthreads=OFF -DCMAKE_INSTALL_PREFIX="$deps/mingw" -Wno-dev >/dev/null
  cmake --build "$deps/gtest-build" --target install >/dev/null
fi

echo "setup: done"
