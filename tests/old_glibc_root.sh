#!/usr/bin/env bash
# Lays out an old gateway for user-mode emulation: Debian 11's armhf glibc 2.31, from before the
# start routine got its GLIBC_2.34 version, with its loader and C library in the gateway's
# library folder. Running the tool with "qemu-arm -L ROOT" then proves that it loads there.
# The package comes from Debian's archive through apt (signed index, checked download) and is
# kept in ROOT, so later runs need no network.
# Usage: old_glibc_root.sh ROOT LIB_DIR
set -euo pipefail
root=$1 lib_dir=$2
[ -e "$root$lib_dir/libc.so.6" ] && exit 0

apt_dir=$root.apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/download"
echo "deb [arch=armhf signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
  "http://deb.debian.org/debian bullseye main" >"$apt_dir/sources.list"
apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
  -o APT::Architecture=armhf -o APT::Architectures=armhf -o Debug::NoLocking=1
  -o APT::Sandbox::User=root)
apt-get "${apt_options[@]}" -qq update
(cd "$apt_dir/download" && apt-get "${apt_options[@]}" -qq download libc6:armhf)

extracted=$root.libc6
rm -rf "$extracted"
dpkg-deb -x "$apt_dir"/download/libc6_2.31-*_armhf.deb "$extracted"
mkdir -p "$root$lib_dir"
cp -L "$extracted/lib/ld-linux-armhf.so.3" "$root$lib_dir/ld-linux-armhf.so.3"
cp -L "$extracted/lib/arm-linux-gnueabihf/libc.so.6" "$root$lib_dir/libc.so.6.part"
mv "$root$lib_dir/libc.so.6.part" "$root$lib_dir/libc.so.6"
rm -rf "$extracted" "$apt_dir"
