#!/usr/bin/env bash
# Lays out a gateway SDK as Yocto's SDK installer does, made from Debian's armhf cross packages:
# a target sysroot with the C library's headers and libraries, an environment-setup script and the
# SDK's OEToolchainConfig.cmake. The script exports CC and CXX (with --sysroot and the CPU flags),
# CFLAGS, CXXFLAGS, LDFLAGS, OECORE_TARGET_SYSROOT, OECORE_TARGET_ARCH and the toolchain file as
# the generation does: up to kirkstone OE_CMAKE_TOOLCHAIN_FILE, from scarthgap CMAKE_TOOLCHAIN_FILE.
# Usage: simulated_sdk.sh SDK_DIR [kirkstone|scarthgap]   (kirkstone by default)
set -euo pipefail
sdk=$1 generation=${2:-kirkstone}
target=armv7at2hf-vfp-gateway-linux-gnueabi
sysroot=$sdk/sysroots/$target
native=$sdk/sysroots/x86_64-gatewaysdk-linux
[ -e "$sdk/environment-setup-$target" ] && exit 0
case $generation in
  kirkstone) toolchain_variable=OE_CMAKE_TOOLCHAIN_FILE ;;
  scarthgap) toolchain_variable=CMAKE_TOOLCHAIN_FILE ;;
  *) echo "Usage: $0 SDK_DIR [kirkstone|scarthgap]" >&2; exit 2 ;;
esac

rm -rf "$sdk.part"
part_sysroot=$sdk.part/sysroots/$target
part_cmake=$sdk.part/sysroots/x86_64-gatewaysdk-linux/usr/share/cmake
mkdir -p "$part_sysroot/usr/include" "$part_cmake/OEToolchainConfig.cmake.d"
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

cat >"$part_cmake/OEToolchainConfig.cmake" <<'CMAKE'
# The SDK's CMake toolchain file: no compiler of its own, CMake takes CC and CXX.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_FLAGS $ENV{CFLAGS} CACHE STRING "" FORCE)
set(CMAKE_CXX_FLAGS $ENV{CXXFLAGS} CACHE STRING "" FORCE)
set(CMAKE_SYSROOT $ENV{OECORE_TARGET_SYSROOT})
set(CMAKE_FIND_ROOT_PATH $ENV{OECORE_TARGET_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_SYSTEM_PROCESSOR $ENV{OECORE_TARGET_ARCH})
file(GLOB toolchain_config_files "${CMAKE_CURRENT_LIST_FILE}.d/*.cmake")
foreach(config ${toolchain_config_files})
  include(${config})
endforeach()
CMAKE

flags="-march=armv7-a -mthumb -mfpu=vfpv3-d16 -mfloat-abi=hard --sysroot=$sysroot"
cat >"$sdk.part/environment-setup-$target" <<SH
# Source this file to build for the gateway with its SDK.
export SDKTARGETSYSROOT=$sysroot
export OECORE_TARGET_SYSROOT=$sysroot
export OECORE_NATIVE_SYSROOT=$native
export OECORE_TARGET_ARCH=arm
export CC="arm-linux-gnueabihf-gcc $flags"
export CXX="arm-linux-gnueabihf-g++ $flags"
export CFLAGS=" -O2 -pipe -g -feliminate-unused-debug-types "
export CXXFLAGS=" -O2 -pipe -g -feliminate-unused-debug-types "
export LDFLAGS="-Wl,-O1 -Wl,--hash-style=gnu -Wl,--as-needed"
export $toolchain_variable=$native/usr/share/cmake/OEToolchainConfig.cmake
SH
# The paths above are the final ones; the SDK is complete once it has its name.
rm -rf "$sdk"
mv "$sdk.part" "$sdk"
