#!/usr/bin/env bash
# Lays out an old gateway for user-mode emulation: a loader and C library from before the start
# routine got its GLIBC_2.34 version, in the gateway's library folder below ROOT. Running the tool
# with "qemu-arm -L ROOT" then proves that it loads there.
#
# LIBS holds ld-linux-armhf.so.3 and libc.so.6: a copy of a real gateway's (the strongest check
# there is), or Debian 11's glibc 2.31, which scripts/fetch-test-files fetches. Without them this
# says why and what to do, and exits 77, which the tests that need ROOT take as skipped.
# Usage: old_glibc_root.sh ROOT LIB_DIR LIBS
set -euo pipefail
root=$1 lib_dir=$2 libs=$3
for lib in ld-linux-armhf.so.3 libc.so.6; do
  if [ ! -e "$libs/$lib" ]; then
    echo "SKIPPED: no old gateway C library: $libs holds no $lib."
    echo "Run scripts/fetch-test-files (Debian 11's, from the archive), or configure with"
    echo "-DOLD_GATEWAY_LIBS=FOLDER, a folder with a copy of a real gateway's ld-linux-armhf.so.3"
    echo "and libc.so.6. GatewayElf.ShipsAsTheGatewayExpects still holds the tool to GLIBC_2.4."
    exit 77
  fi
done
rm -rf "$root"
mkdir -p "$root$lib_dir"
cp -L "$libs/ld-linux-armhf.so.3" "$libs/libc.so.6" "$root$lib_dir/"
echo "old gateway: the C library of $libs"
