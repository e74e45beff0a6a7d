#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Sonavel developers
# Builds the Qt for Windows that `make windows` needs, for when no prebuilt one is at hand: Qt
# 6.4.2's qtbase (with Widgets and Network) and qtserialport, cross-built for 64-bit Windows
# with Debian's MinGW-w64 compilers from Debian 12's own source packages, changed in one line
# (tools/qt-windows-no-opengl.patch). About 35 minutes on 2 cores, 3 GB of disk while it builds.
#   tools/build-qt-windows.sh [PREFIX [SERIALPORT_SOURCE]]
#   QT_WINDOWS=PREFIX make windows
# PREFIX defaults to build-win/qt6-mingw. SERIALPORT_SOURCE, a qtserialport 6.4.2 source archive,
# stands in for Debian's where a mirror lacks it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=$(realpath -m "${1:-$root/build-win/qt6-mingw}")
serialSource=${2:+$(realpath "$2")}
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

# Debian's source packages need deb-src entries: the main archive's own, with the other type.
if [ -z "$(apt-cache showsrc qt6-base 2>/dev/null)" ]; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        awk 'BEGIN{RS="";ORS="\n\n"} /Suites: bookworm bookworm-updates/ {sub(/Types: deb/,"Types: deb-src"); print}' \
            /etc/apt/sources.list.d/debian.sources |
            $sudo tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
    else
        sed -n 's/^deb \(.* bookworm main.*\)/deb-src \1/p' /etc/apt/sources.list |
            $sudo tee /etc/apt/sources.list.d/debian-src.list >/dev/null
    fi
fi
$sudo apt-get update -q
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    cmake ninja-build g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix qt6-base-dev \
    qt6-base-dev-tools dpkg-dev patch xz-utils

work=$(mktemp -d "${TMPDIR:-/tmp}/qt-windows.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
apt-get source --download-only qt6-base=6.4.2+dfsg-10
tar xJf qt6-base_6.4.2+dfsg.orig.tar.xz
if [ -z "$serialSource" ]; then
    apt-get source --download-only qt6-serialport=6.4.2-2
    serialSource=$work/qt6-serialport_6.4.2.orig.tar.xz
fi
mkdir qtserialport
tar xJf "$serialSource" -C qtserialport --strip-components=1
patch -d qtbase-everywhere-src-6.4.2 -p1 <"$root/tools/qt-windows-no-opengl.patch"

# Widgets and the Windows styles with UI Automation, and plain TCP sockets for rigctld (TLS only
# through Windows' own Schannel); nothing the program does not use.
cmake -S qtbase-everywhere-src-6.4.2 -B build-qtbase -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=ON -DCMAKE_BUILD_TYPE=Release \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=ON -DFEATURE_openssl=OFF -DFEATURE_dtls=OFF \
    -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF
cmake --build build-qtbase
cmake --install build-qtbase

"$prefix/bin/qt-configure-module" qtserialport -- -G Ninja -B build-serial
cmake --build build-serial
cmake --install build-serial
echo "Qt for Windows is in $prefix: QT_WINDOWS=$prefix make windows"
