#!/usr/bin/env bash
# Lays out a gateway SDK as Yocto's SDK installer does, made from Debian's armhf cross packages:
# a target sysroot with the C library's headers and libraries, an environment-setup script that
# exports CC and CXX (with --sysroot and the CPU flags), SDKTARGETSYSROOT and
# OE_CMAKE_TOOLCHAIN_FILE, and the small toolchain file that the latter names.
# Usage: simulated_sdk.sh SDK_DIR
set -euo pipefail
sdk=$1
target=armv7at2hf-vfp-gateway-linux-gnueabi
sysroot=$sdk/sysroots/$target
host_share=$sdk/sysroots/x86_64-gatewaysdk-linux/usr/share/cmake
[ -e "$sdk/environment-setup-$target" ] && exit 0

rm -rf "$sdk.part"
mkdir -p "$sdk.part/sysroots/$target/usr/include" "$sdk.part/${host_share#"$sdk"/}"
part_sysroot=$sdk.part/sysroots/$target
cp -a /usr/arm-linux-gnueabihf/lib "$part_sysroot/usr/lib"
ln -s usr/lib "$part_sysroot/lib"
# The compiler brings its own C++ headers; the sysroot has the C library's.
(cd /usr/arm-linux-gnueabihf/include && tar cf - --exclude=./c++ .) |
  tar xf - -C "$part_sysroot/usr/include"
# The linker script names its libraries by their place in the sysroot.
cat >"$part_sysroot/usr/lib/libc.so" <<'LDS'
OUTPUT_FORMAT(elf32-littlearm)
GROUP ( /usr/lib/libc.so.6 /usr/lib/libc_nonshared.a  AS_NEEDED ( /usr/lib/ld-linux-armhf.so.3 ) )
LDS

cat >"$sdk.part/${host_share#"$sdk"/}/OEToolchainConfig.cmake" <<'CMAKE'
# The SDK's CMake toolchain file: the compilers come from CC and CXX.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR $ENV{OECORE_TARGET_ARCH})
set(CMAKE_SYSROOT $ENV{SDKTARGETSYSROOT})
set(CMAKE_FIND_ROOT_PATH $ENV{SDKTARGETSYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
CMAKE

flags="-march=armv7-a -mthumb -mfpu=vfpv3-d16 -mfloat-abi=hard --sysroot=$sysroot"
cat >"$sdk.part/environment-setup-$target" <<SH
# Source this file to build for the gateway with its SDK.
export SDKTARGETSYSROOT=$sysroot
export OECORE_TARGET_ARCH=arm
export CC="arm-linux-gnueabihf-gcc $flags"
export CXX="arm-linux-gnueabihf-g++ $flags"
export OE_CMAKE_TOOLCHAIN_FILE=$host_share/OEToolchainConfig.cmake
SH
# The paths above are the final ones; the SDK is complete once it has its name.
rm -rf "$sdk"
mv "$sdk.part" "$sdk"
