#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Sonavel developers
# Runs `make test` as a new user would on a bare Debian 12: a minbase root holding only git,
# make, ca-certificates and sudo, a fresh clone of the commit in it, and `make test` run first
# by a user with sudo (who installs everything make needs through sudo), then by root in the
# same clone, so that the suite passes with and without root's privileges. Where the prebuilt
# Qt for Windows lies beside the project, the user then runs `make windows-test` in the same
# clone: the Windows build and its Wine check from nothing but what make installs.
#
#   tools/clean-root-test.sh [COMMIT]      default: HEAD
#
# Needs root (or sudo), debootstrap and the Debian mirror that apt on this machine uses. The
# bare root is made once and kept as a tarball in /var/cache/sonavel-ci, with the packages it
# downloads; delete that folder to start again from the mirror.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$repo" rev-parse --verify "${1:-HEAD}^{commit}")

if [ "$(id -u)" -ne 0 ]; then
    exec sudo "$0" "$commit"
fi

suite=bookworm
cache=/var/cache/sonavel-ci
tarball=$cache/$suite-minbase.tar.gz
archives=$cache/$suite-archives
mkdir -p "$archives"

# The first Debian mirror apt is set up with here, as a deb line or a deb822 URIs field.
mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
              /etc/apt/sources.list.d/*.sources 2>/dev/null |
         grep -oE '^(deb|URIs:) +(\[[^]]*\] +)?https?://[^ ]+/debian/?( |$)' |
         grep -oE 'https?://[^ ]+' | head -n 1 || true)
mirror=${mirror:-http://deb.debian.org/debian}

root=""
mounted=()
finish() {
    local status=$?
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[i]}" || umount -l "${mounted[i]}" || true
    done
    # Never delete through a mount that is still there: it would reach the host's files.
    if [ -n "$root" ] && ! grep -qF " $root/" /proc/self/mounts; then
        rm -rf "$root"
    fi
    exit "$status"
}
trap finish EXIT
trap 'exit 143' TERM INT

if [ ! -f "$tarball" ]; then
    echo "== making the bare root from $mirror (kept in $tarball)"
    fresh=$(mktemp -d /var/tmp/sonavel-debootstrap.XXXXXX)
    root=$fresh
    debootstrap --variant=minbase --include=git,make,ca-certificates,sudo \
        "$suite" "$fresh" "$mirror" >"$cache/debootstrap.log" 2>&1 ||
        { tail -n 20 "$cache/debootstrap.log" >&2; exit 1; }
    tar -C "$fresh" -czf "$tarball.part" . && mv "$tarball.part" "$tarball"
    rm -rf "$fresh"
fi

root=$(mktemp -d /var/tmp/sonavel-root.XXXXXX)
tar -C "$root" -xzf "$tarball"
# mktemp made it for root alone; as the root's / it must let the user through.
chmod 755 "$root"
mount_into() {
    mount "$@"
    mounted+=("${*: -1}")
}
# The suite opens pseudo-terminals and reads /proc; apt keeps its downloads for the next run.
mount_into -t proc proc "$root/proc"
mount_into --bind /dev/pts "$root/dev/pts"
mount_into --bind "$archives" "$root/var/cache/apt/archives"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# Debian's installer writes the loopback names; debootstrap does not, and a ports file may say
# "rigctld localhost:4532".
if [ ! -e "$root/etc/hosts" ]; then
    printf '127.0.0.1\tlocalhost\n::1\t\tlocalhost ip6-localhost ip6-loopback\n' >"$root/etc/hosts"
fi

in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }
in_root useradd --create-home --shell /bin/bash builder
echo 'builder ALL=(ALL) NOPASSWD: ALL' >"$root/etc/sudoers.d/builder"
chmod 440 "$root/etc/sudoers.d/builder"

clone=/home/builder/sonavel
git clone --quiet --no-hardlinks --no-checkout "$repo" "$root$clone"
git -C "$root$clone" checkout --quiet --detach "$commit"
in_root chown -R builder: "$clone"

echo "== make test as a user with sudo, from a fresh clone of $commit"
in_root runuser -u builder -- env HOME=/home/builder make -C "$clone" test
echo "== make test as root in the same clone"
in_root env HOME=/root make -C "$clone" test
echo "== make test passed on a bare $suite root, as a user with sudo and as root"

qtWindows=$repo/../shared/qt-mingw/qt-6.4.2-mingw64.tar.xz
if [ -f "$qtWindows" ]; then
    mkdir -p "$root/home/builder/shared/qt-mingw"
    cp "$qtWindows" "$root/home/builder/shared/qt-mingw/"
    echo "== make windows-test as the user with sudo, in the same clone"
    in_root runuser -u builder -- env HOME=/home/builder make -C "$clone" windows-test
    echo "== make windows-test passed on a bare $suite root"
fi
