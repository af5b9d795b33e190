#!/usr/bin/env bash
# Configures, builds and installs the gateway binary exactly as an integrator's build system does
# (flags, toolchain handling, generator, build folder, install), with Debian's armhf cross
# compilers standing in for the build system's, then checks the binary with the gateway ELF check
# and the install under DESTDIR. Nothing of the tests is passed or visible to the build.
# Usage: check_integrator_build.sh SOURCE_DIR CASE [FETCHED_DIR]
#   CASE: yocto-recipe, yocto-sdk-kirkstone, yocto-sdk-scarthgap, openwrt, buildroot,
#         cmake-3.18 (Debian 11's CMake, from FETCHED_DIR, against this machine's),
#         no-cross-compiler (stops at once, then the same folder builds)
set -uo pipefail
source=$(cd "$1" && pwd) case=$2 fetched=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cross=arm-linux-gnueabihf
tune="-march=armv7-a -mthumb -mfpu=vfpv3-d16 -mfloat-abi=hard"
lib_dir=/quorvale/gateway/build/lib
machine_path=$PATH
cd "$work" || exit 1

fail() { echo "FAILED: $*"; exit 1; }
run() {  # run LOG COMMAND...: quietly, or the log and a failure
  "${@:2}" >"$work/$1.log" 2>&1 || { cat "$work/$1.log"; fail "$1: ${*:2}"; }
}
# A copy of the source, for the build systems that build in the source folder.
copy_source() {
  mkdir "$1" && tar -C "$source" --exclude=./build --exclude=./.git -cf - . | tar -C "$1" -xf -
}
# Debian's libc.so script names its libraries by absolute path, so a sysroot is made of links.
make_sysroot() {
  mkdir -p "$1/usr"
  ln -s "/usr/$cross/include" "$1/usr/include"
  ln -s "/usr/$cross/lib" "$1/usr/lib"
  ln -s "/usr/$cross/lib" "$1/lib"
  ln -s "/usr/$cross" "$1/usr/$cross"
}
# The result: the gateway's ELF check, and an install that wrote below DESTDIR alone.
check() {  # check BUILD_DIR DESTDIR INSTALLED_PATH
  PATH=$machine_path READELF=$cross-readelf STRIP=$cross-strip \
    "$source/tests/check_gateway_elf.sh" "$1/triple_import" "$lib_dir" 12288 || fail "the gateway ELF check"
  [ -x "$2$3" ] || fail "not installed as $2$3"
  while read -r file; do  # the manifest names the installed paths without DESTDIR
    [ -e "$2$file" ] || fail "$file installed outside DESTDIR"
  done <"$1/install_manifest.txt"
  echo "ok: $case: the gateway ELF check passes, installed as DESTDIR$3"
}

case $case in
  yocto-recipe)
    # meta/classes-recipe/cmake.bbclass: its generated toolchain.cmake, PROGRAM ONLY, Ninja, an
    # emptied ${B}, PATH with the cross tools, cmake and ninja and the host tools alone.
    sysroot=$work/recipe-sysroot native=$work/recipe-sysroot-native hosttools=$work/hosttools
    make_sysroot "$sysroot"
    mkdir -p "$native/usr/bin/$cross" "$hosttools"
    for tool in /usr/bin/"$cross"-*; do ln -s "$tool" "$native/usr/bin/$cross/"; done
    ln -s "$(type -P cmake)" "$(type -P ninja)" "$native/usr/bin/"
    for tool in ar as awk basename bash cat chmod cmp cp cut date diff dirname echo env expr false \
      find grep gzip head id install ln ls mkdir mktemp mv printf pwd readlink rm rmdir sed sh \
      sort stat tail tar tee test touch tr true uname uniq wc xargs; do
      ln -s "$(type -P "$tool")" "$hosttools/"
    done
    cat >toolchain.cmake <<CMAKE
set( CMAKE_SYSTEM_NAME Linux )
set( CMAKE_C_COMPILER $cross-gcc )
set( CMAKE_CXX_COMPILER $cross-g++ )
set( CMAKE_ASM_COMPILER $cross-gcc )
find_program( CMAKE_AR $cross-gcc-ar DOC "Archiver" REQUIRED )
set( CMAKE_C_FLAGS "$tune --sysroot=$sysroot -O2 -pipe -g -feliminate-unused-debug-types" CACHE STRING "CFLAGS" )
set( CMAKE_CXX_FLAGS "$tune --sysroot=$sysroot -O2 -pipe -g -feliminate-unused-debug-types" CACHE STRING "CXXFLAGS" )
set( CMAKE_C_FLAGS_RELEASE "-DNDEBUG" CACHE STRING "Additional CFLAGS for release" )
set( CMAKE_CXX_FLAGS_RELEASE "-DNDEBUG" CACHE STRING "Additional CXXFLAGS for release" )
set( CMAKE_C_LINK_FLAGS "$tune --sysroot=$sysroot -Wl,-O1 -Wl,--hash-style=gnu -Wl,--as-needed" CACHE STRING "LDFLAGS" )
set( CMAKE_CXX_LINK_FLAGS "$tune --sysroot=$sysroot -Wl,-O1 -Wl,--hash-style=gnu -Wl,--as-needed" CACHE STRING "LDFLAGS" )
set( CMAKE_FIND_ROOT_PATH $sysroot $native $hosttools )
set( CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY )
set( CMAKE_FIND_ROOT_PATH_MODE_PROGRAM ONLY )
set( CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY )
set( CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY )
set( CMAKE_PROGRAM_PATH "/" )
set( CMAKE_SYSTEM_PROCESSOR arm )
set( CMAKE_SYSROOT $sysroot )
set( CMAKE_INSTALL_RPATH )
set( CMAKE_BUILD_RPATH_USE_ORIGIN ON )
CMAKE
    mkdir build
    export PATH=$native/usr/bin/$cross:$native/usr/bin:$hosttools
    run configure cmake -G Ninja -DCMAKE_MAKE_PROGRAM=ninja \
      -DCMAKE_INSTALL_PREFIX:PATH=/usr -DCMAKE_INSTALL_BINDIR:PATH=bin \
      -DCMAKE_INSTALL_SBINDIR:PATH=sbin -DCMAKE_INSTALL_LIBEXECDIR:PATH=libexec \
      -DCMAKE_INSTALL_SYSCONFDIR:PATH=/etc -DCMAKE_INSTALL_SHAREDSTATEDIR:PATH=../com \
      -DCMAKE_INSTALL_LOCALSTATEDIR:PATH=/var -DCMAKE_INSTALL_LIBDIR:PATH=lib \
      -DCMAKE_INSTALL_INCLUDEDIR:PATH=include -DCMAKE_INSTALL_DATAROOTDIR:PATH=share \
      -DPYTHON_EXECUTABLE:PATH=python3 -DPython_EXECUTABLE:PATH=python3 \
      -DPython3_EXECUTABLE:PATH=python3 -DLIB_SUFFIX= -DCMAKE_INSTALL_SO_NO_EXE=0 \
      -DCMAKE_TOOLCHAIN_FILE:FILEPATH="$work/toolchain.cmake" -DCMAKE_NO_SYSTEM_FROM_IMPORTED=1 \
      -DCMAKE_EXPORT_NO_PACKAGE_REGISTRY=ON -DFETCHCONTENT_FULLY_DISCONNECTED=ON \
      -DCMAKE_EXPORT_COMPILE_COMMANDS:BOOL=ON -Wno-dev -S "$source" -B build
    run build cmake --build build --target all
    DESTDIR=$work/image run install cmake --install build
    check build "$work/image" /usr/bin/triple_import
    ;;
  yocto-sdk-kirkstone | yocto-sdk-scarthgap)
    # An application developer with a sourced SDK: stock CMake, no build type, no prefix. A
    # kirkstone SDK exports OE_CMAKE_TOOLCHAIN_FILE, passed on by hand; scarthgap exports
    # CMAKE_TOOLCHAIN_FILE, which CMake takes by itself.
    run sdk "$source/tests/simulated_sdk.sh" "$work/sdk" "${case#yocto-sdk-}"
    # shellcheck source=/dev/null
    . "$work"/sdk/environment-setup-*
    toolchain=()
    [ "$case" = yocto-sdk-kirkstone ] && toolchain=(-DCMAKE_TOOLCHAIN_FILE="$OE_CMAKE_TOOLCHAIN_FILE")
    run configure cmake -S "$source" -B build "${toolchain[@]}"
    run build cmake --build build
    DESTDIR=$work/image run install cmake --install build
    check build "$work/image" /usr/local/bin/triple_import
    ;;
  openwrt)
    # include/cmake.mk (24.10): no toolchain file, everything on the command line, in the source
    # folder, Ninja, CMAKE_SKIP_RPATH and CMAKE_STRIP=:.
    copy_source src
    mkdir -p staging/usr toolchain
    cflags="-Os -pipe -mcpu=cortex-a9 -mfpu=vfpv3-d16 -mfloat-abi=hard -fno-caller-saves -fno-plt -Wformat -Werror=format-security -fstack-protector -D_FORTIFY_SOURCE=1 -Wl,-z,now -Wl,-z,relro"
    ldflags="-L$work/staging/usr/lib -L$work/staging/lib -znow -zrelro"
    compiler=$(command -v $cross-gcc)
    export CFLAGS=$cflags CXXFLAGS=$cflags LDFLAGS=$ldflags
    cd src || exit 1
    run configure cmake --no-warn-unused-cli -DCMAKE_SYSTEM_NAME=Linux -DCMAKE_SYSTEM_VERSION=1 \
      -DCMAKE_SYSTEM_PROCESSOR=arm -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS_RELEASE="-DNDEBUG" \
      -DCMAKE_CXX_FLAGS_RELEASE="-DNDEBUG" -DCMAKE_C_COMPILER="$compiler" \
      -DCMAKE_CXX_COMPILER="${compiler%gcc}g++" -DCMAKE_ASM_COMPILER="$compiler" \
      -DCMAKE_EXE_LINKER_FLAGS:STRING="$ldflags" -DCMAKE_AR="${compiler%gcc}gcc-ar" \
      -DCMAKE_NM="${compiler%gcc}gcc-nm" -DCMAKE_RANLIB="${compiler%gcc}gcc-ranlib" \
      -DCMAKE_FIND_ROOT_PATH="$work/staging/usr;$work/toolchain" \
      -DCMAKE_FIND_ROOT_PATH_MODE_PROGRAM=BOTH -DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=ONLY \
      -DCMAKE_FIND_ROOT_PATH_MODE_INCLUDE=ONLY -DCMAKE_STRIP=: -DCMAKE_INSTALL_PREFIX=/usr \
      -DCMAKE_PREFIX_PATH="$work/staging" -DCMAKE_SKIP_RPATH=TRUE \
      -DCMAKE_EXPORT_NO_PACKAGE_REGISTRY=TRUE -DCMAKE_FIND_USE_PACKAGE_REGISTRY=FALSE \
      -DCMAKE_GENERATOR="Ninja" -DCMAKE_C_FLAGS="$cflags" .
    run build ninja -C .
    DESTDIR=$work/ipkg-install run install ninja -C . install
    check . "$work/ipkg-install" /usr/bin/triple_import
    ;;
  buildroot)
    # package/pkg-cmake.mk (2024.02) with support/misc/toolchainfile.cmake.in: in the source
    # folder, Unix Makefiles, tests switched off, installed to staging and to target.
    copy_source src
    make_sysroot "$work/staging"
    mkdir -p host/share/buildroot/Platform
    echo 'include(Platform/Linux)' >host/share/buildroot/Platform/Buildroot.cmake
    brflags="-D_LARGEFILE_SOURCE -D_LARGEFILE64_SOURCE -D_FILE_OFFSET_BITS=64 -O2 -g0 -D_FORTIFY_SOURCE=1"
    cat >host/share/buildroot/toolchainfile.cmake <<CMAKE
list(APPEND CMAKE_MODULE_PATH \${CMAKE_CURRENT_LIST_DIR})
set(CMAKE_SYSTEM_NAME Buildroot)
set(CMAKE_SYSTEM_PROCESSOR armv7l)
set(CMAKE_C_FLAGS "$brflags" CACHE STRING "Buildroot CFLAGS")
set(CMAKE_CXX_FLAGS "$brflags" CACHE STRING "Buildroot CXXFLAGS")
set(CMAKE_BUILD_TYPE Release CACHE STRING "Buildroot build configuration")
set(CMAKE_SYSROOT $work/staging)
set(CMAKE_FIND_ROOT_PATH $work/staging)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_C_COMPILER $(command -v $cross-gcc))
set(CMAKE_CXX_COMPILER $(command -v $cross-g++))
CMAKE
    cd src || exit 1
    run configure cmake "$work/src" -G"Unix Makefiles" -DCMAKE_MAKE_PROGRAM=make \
      -DCMAKE_TOOLCHAIN_FILE="$work/host/share/buildroot/toolchainfile.cmake" \
      -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_RUNSTATEDIR=/run -DCMAKE_COLOR_MAKEFILE=OFF \
      -DBUILD_DOC=OFF -DBUILD_DOCS=OFF -DBUILD_EXAMPLE=OFF -DBUILD_EXAMPLES=OFF -DBUILD_TEST=OFF \
      -DBUILD_TESTS=OFF -DBUILD_TESTING=OFF -DBUILD_SHARED_LIBS=ON
    run build cmake --build "$work/src"
    DESTDIR=$work/staging-install run install cmake --install "$work/src"
    DESTDIR=$work/target run install-target cmake --install "$work/src"
    check . "$work/target" /usr/bin/triple_import
    ;;
  cmake-3.18)
    # The oldest CMake that Debian's archive offers gives, byte for byte, this machine's binary.
    old=$fetched/cmake-3.18/bin/cmake
    if [ ! -x "$old" ]; then
      echo "SKIPPED: no Debian 11 CMake in $fetched; fetch it with scripts/fetch-test-files"
      exit 77
    fi
    options=(-DCMAKE_TOOLCHAIN_FILE="$source/cmake/armhf-gateway.cmake" -DCMAKE_BUILD_TYPE=Release
      -DCMAKE_INSTALL_PREFIX=/quorvale/gateway/build)
    for cmake in old:"$old" new:cmake; do
      dir=${cmake%%:*} cmake=${cmake#*:}
      run "configure-$dir" "$cmake" -S "$source" -B "$dir" "${options[@]}"
      run "build-$dir" "$cmake" --build "$dir"
      $cross-strip -o "$dir/stripped" "$dir/triple_import"
    done
    cmp old/stripped new/stripped ||
      fail "$("$old" --version | head -1) and $(cmake --version | head -1) build different binaries"
    DESTDIR=$work/image run install "$old" --install old
    check old "$work/image" /quorvale/gateway/build/bin/triple_import
    echo "ok: the stripped binary of CMake 3.18 is byte for byte this machine's CMake's"
    ;;
  no-cross-compiler)
    # The same PATH less the cross tools: configure stops at once, naming the package; once the
    # compiler is back, the same command in the same folder builds.
    mkdir hidden
    for tool in /usr/bin/*; do
      case $tool in */$cross-*) ;; *) ln -s "$tool" hidden/ ;; esac
    done
    configure=(cmake -S "$source" -B build -DCMAKE_TOOLCHAIN_FILE="$source/cmake/armhf-gateway.cmake")
    if PATH=$work/hidden "${configure[@]}" >without.log 2>&1; then fail "configured without a cross compiler"; fi
    grep -q "g++-arm-linux-gnueabihf" without.log || { cat without.log; fail "the message names no package"; }
    ! grep -qiE "^CMAKE_(OBJCOPY|STRIP|AR|LINKER):" build/CMakeCache.txt 2>/dev/null ||
      fail "host tools cached: $(grep -iE '^CMAKE_(OBJCOPY|STRIP|AR|LINKER):' build/CMakeCache.txt)"
    echo "ok: without the cross compiler: $(grep -o "Install Debian's package [^ ]*" without.log)"
    run configure "${configure[@]}"
    run build cmake --build build
    DESTDIR=$work/image run install cmake --install build
    check build "$work/image" /usr/local/bin/triple_import
    ;;
  *) echo "Usage: $0 SOURCE_DIR CASE [FETCHED_DIR]" >&2; exit 2 ;;
esac
