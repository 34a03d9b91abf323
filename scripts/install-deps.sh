#!/bin/sh
# Installs what building and testing Zindra needs on Debian 12 (run as root).
# Safe to run again: apt-get skips what is already there.
set -eu

if [ "$(id -u)" != 0 ]; then
    echo "install-deps.sh: run as root (it installs Debian packages)" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive

# Wine for the Windows builds' tests needs the 32-bit architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi

apt-get update -q

packages="
  build-essential cmake ninja-build pkg-config git python3
  googletest libgtest-dev libgmock-dev libbenchmark-dev libfftw3-dev libkissfft-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
  wine wine32:i386 wine64
  libx11-dev libxres-dev xvfb xdotool imagemagick x11-apps
  libstb-dev fonts-liberation2 fonts-comic-neue
  libsndfile1-dev libcli11-dev
  ardour
  lv2-dev liblilv-dev lilv-utils sordi jalv jackd2
  locales
  clang libclang-rt-14-dev clang-format
"
# shellcheck disable=SC2086
apt-get install -y -q --no-install-recommends $packages

# A locale with a decimal comma, for the display-text tests.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$'; then
    sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi
