#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine.
# Run as root; safe to run again (it only installs what is missing).
set -euo pipefail

packages=(
  # build
  cmake ninja-build make g++ clang ccache
  # the portable suite as 32-bit code where the kernel runs no 32-bit programs
  g++-multilib qemu-user
  # Windows cross toolchain (posix thread model), resources, zlib
  gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  mingw-w64-i686-dev libz-mingw-w64-dev
  # zlib for the native builds (the zip reader's tests and fuzz targets, the
  # reference web service), 64- and 32-bit
  zlib1g-dev lib32z1-dev
  # the same code as PE32+, for machines whose kernel runs no 32-bit programs
  gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # running the Windows binaries
  wine wine32:i386 wine64 xvfb xauth x11-utils imagemagick
  # test fixtures: MP3 and zip archives (Info-ZIP) made at test time
  lame sox zip
  # the default sound theme, spoken at build time
  espeak-ng
  # misc
  python3 procps
)

need_root() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup.sh: run as root (it installs Debian packages)" >&2
    exit 1
  fi
}

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup.sh: everything is installed"
  exit 0
fi

need_root
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
echo "setup.sh: installed ${missing[*]}"
