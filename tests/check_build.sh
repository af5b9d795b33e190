#!/usr/bin/env bash
# The gateway build as the gateway, packagers and integrators take it, one case a run, each said
# below. The integrators' cases build exactly as their build system does, Debian's armhf cross
# compilers standing in for its own: nothing of the tests is passed or visible to the build.
# Usage: check_build.sh elf BINARY LIB_DIR MODE   (READELF and SIZE may name tools)
#        check_build.sh install BUILD_DIR | package SOURCE_DIR BINARY | release SOURCE_DIR
#        check_build.sh reproducible SOURCE_DIR | INTEGRATOR SOURCE_DIR FETCHED_DIR
# shellcheck disable=SC2317  # functions run through check, which shellcheck does not follow
set -uo pipefail
case=${1:-} machine_path=$PATH args=()
shift
for arg; do [ -e "$arg" ] && arg=$(realpath "$arg"); args+=("$arg"); done
set -- "${args[@]}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
cross=arm-linux-gnueabihf tune="-march=armv7-a -mthumb -mfpu=vfpv3-d16 -mfloat-abi=hard"
lib_dir=/quorvale/gateway/build/lib
failed=0

fail() { echo "FAILED: $*"; exit 1; }
check() { if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failed=1; fi; }  # WHAT COMMAND...
expect() {  # expect WHAT ACTUAL WANTED
  if [ "$2" == "$3" ]; then echo "ok: $1: $2"; else echo "FAILED: $1: got '$2', want '$3'"; failed=1; fi
}
run() {  # run LOG COMMAND...: quietly, or the log and a failure
  "${@:2}" >"$work/$1.log" 2>&1 || { cat "$work/$1.log"; fail "$1: ${*:2}"; }
}
has() { grep -qE "$1" && echo yes || echo no; }  # has PATTERN <TEXT

# Code and data (size's text + data) at most, by program and instruction set, as BUILDING.md
# states them: what a stripped file takes moves in whole pages.
declare -A limit=([triple_import:thumb2]=8192 [triple_check:thumb2]=20480 [triple_import:arm]=10240
  [triple_check:arm]=25600)
fits() {  # fits BINARY MODE
  local bytes max=${limit[${1##*/}:$2]}
  bytes=$("${SIZE:-size}" "$1" | awk 'NR == 2 { print $1 + $2 }')
  check "${1##*/}, $2: code and data $bytes bytes (at most $max)" [ "$bytes" -le "$max" ]
}

# The gateway binary's floor, line by line as BUILDING.md states it, hardened (as hardening-check
# judges too) and small enough. RUN_PATH is LIB_DIR unless said.
elf() {  # elf BINARY LIB_DIR MODE [RUN_PATH]
  local readelf=${READELF:-readelf} header attributes dynamic symbols newest report feature
  header=$("$readelf" -h "$1") attributes=$("$readelf" -A "$1") dynamic=$("$readelf" -d "$1")
  symbols=$("$readelf" --dyn-syms -W "$1")
  field() { sed -n "s/^ *$1: *//p" <<<"$header"; }
  tag() { sed -n "s/^ *$1: //p" <<<"$attributes"; }
  expect "class and machine" "$(field Class) $(field Machine)" "ELF32 ARM"
  expect "EABI and float ABI" "$(field Flags | grep -o 'Version5 EABI\|hard-float ABI' | paste -sd,)" \
    "Version5 EABI,hard-float ABI"
  expect "CPU architecture" "$(tag Tag_CPU_arch) $(tag Tag_CPU_arch_profile)" "v7 Application"
  expect "float arguments" "$(tag Tag_ABI_VFP_args)" "VFP registers"
  expect interpreter "$("$readelf" -l "$1" | sed -n 's/.*program interpreter: \(.*\)]/\1/p')" \
    "$2/ld-linux-armhf.so.3"
  expect "needed libraries" "$(sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' <<<"$dynamic" | paste -sd' ')" \
    libc.so.6
  expect "run path" "$(sed -n 's/.*(R\(UN\)\{0,1\}PATH).*\[\(.*\)\]/\2/p' <<<"$dynamic")" "${4-$2}"
  expect "immediate binding" "$(has '\((BIND_NOW|FLAGS)\).*BIND_NOW|\(BIND_NOW\)' <<<"$dynamic")" yes
  expect "read-only relocations" "$("$readelf" -lW "$1" | grep -c GNU_RELRO)" 1
  expect "ABI note" "$("$readelf" -n "$1" | sed -n 's/^ *OS: \(.*\)/\1/p')" "Linux, ABI: 2.6.32"
  expect "fortified calls" "$(has '__[a-z0-9_]+_chk@' <<<"$symbols")" yes
  # The guard is the executable's own: glibc's lives in the loader, which is not to be needed.
  expect "stack protector's check" "$(has ' __stack_chk_fail@GLIBC_2\.4' <<<"$symbols")" yes
  expect "stack protector's guard taken from a library" "$(has '__stack_chk_guard' <<<"$symbols")" no
  # Every armhf glibc has GLIBC_2.4; anything newer shuts out the older gateways.
  newest=$("$readelf" -V "$1" | grep -o 'GLIBC_[0-9.]*' | sort -uV | tail -1)
  expect "newest C library version needed" "$(printf '%s\n' "$newest" GLIBC_2.4 | sort -V | tail -1)" \
    GLIBC_2.4
  report=$(hardening-check "$1" 2>/dev/null)  # Debian's own judge of the same (devscripts)
  for feature in "Position Independent Executable" "Stack protected" "Fortify Source functions" \
    "Read-only relocations" "Immediate binding"; do
    expect "hardening-check: $feature" "$(sed -n "s/^ *$feature: \([a-z]*\).*/\1/p" <<<"$report")" yes
  done
  fits "$1" "$3"
}

# installs BUILD_DIR DIR PREFIX: the files below DIR and the paths that the manifest lists outside
# PREFIX (it leaves DESTDIR out) are the gateway's tree below PREFIX, nothing else. PREFIX is
# empty where DIR is the prefix itself.
installs() {
  local manifest
  manifest=$(cd "$1" && pwd)/install_manifest.txt
  [ -f "$manifest" ] || { echo "no $manifest"; return 1; }
  diff <(cd "$2" && find . ! -type d | sed 's|^\./||' | sort
    grep -v "^${3:-$2}/" "$manifest" | sed 's/^/outside: /') \
    <(for f in bin/triple_check bin/triple_import share/doc/triple_import/VERSION \
      share/man/man1/triple_check.1.gz share/man/man1/triple_import.1.gz; do
      echo "${3:+${3#/}/}$f"
    done)
}
# An integrator's result: the gateway's tree alone below DESTDIR, and the gateway's ELF check.
integrated() {  # integrated BUILD_DIR DESTDIR PREFIX
  check "$case: installed below DESTDIR$3, nothing elsewhere" installs "$1" "$2" "$3"
  in_elf_check "$1/triple_import" thumb2
  exit $failed
}
in_elf_check() {  # in_elf_check BINARY MODE [LIB_DIR [RUN_PATH]]
  PATH=$machine_path READELF=$cross-readelf SIZE=$cross-size elf "$1" "${3:-$lib_dir}" "$2" "${@:4}"
}
# What an image holds when the build system's last steps are done, as the tool meets it: the
# gateway's loader and C library in LIB_DIR as the vendor's files bring them (an old gateway's,
# Debian 11's), the image's own glibc (Debian 12's) in /lib, BusyBox's sh and dbus-send; then
# scripts/check-image on it, and the gateway's ELF check on each program that the image holds.
image() {  # image ROOT BIN_DIR MODE [LIB_DIR [RUN_PATH]]
  local program
  mkdir -p "$1/lib" "$1/bin" "$1/usr/bin" "$1${4:-$lib_dir}"
  cp -L "/usr/$cross/lib/ld-linux-armhf.so.3" "/usr/$cross/lib/libc.so.6" "$1/lib/"
  [ "${4:-$lib_dir}" = /lib ] || cp -L "$old_libs"/* "$1${4:-$lib_dir}/"
  touch "$1/bin/busybox" && ln -sf busybox "$1/bin/sh" && install -m 755 /dev/null "$1/usr/bin/dbus-send"
  check "$case: scripts/check-image passes the image" env PATH="$machine_path" "$source/scripts/check-image" "$1"
  for program in triple_import triple_check; do in_elf_check "$1$2/$program" "${@:3}"; done
}
# The programs as the last steps leave them, booted on an ARM gateway (scripts/boot-gateway) whose
# library folder holds an old glibc while its own programs take Debian 12's.
boots() {  # boots TREE
  env PATH="$machine_path" "$source/scripts/boot-gateway" --old-glibc --fetched "$fetched" --tree "$1" \
    >"$work/boot.log" 2>&1
  case $? in
    0) echo "ok: $case: the programs as left in the image import on a booted gateway" ;;
    77) echo "not booted: $(grep SKIPPED "$work/boot.log")" ;;
    *) cat "$work/boot.log" && echo "FAILED: $case: on a booted gateway" && failed=1 ;;
  esac
}
old_libs() {  # the vendor's glibc in the image, as scripts/fetch-test-files fetches it
  fetched=$1 old_libs=$1/old-gateway
  [ -f "$old_libs/libc.so.6" ] || { echo "SKIPPED: no $old_libs: run scripts/fetch-test-files"; exit 77; }
}
elf_files() { find "$1" -type f -exec sh -c 'readelf -h "$1" >/dev/null 2>&1 && echo "$1"' sh {} \;; }
# Buildroot's target-finalize: each ELF file stripped, then support/scripts/fix-rpath target with
# the rule of its patchelf (--make-rpath-relative TARGET_DIR --no-standard-lib-dirs) for each
# run-path entry: $ORIGIN/... kept if it resolves, any other if the tree holds it at that moment,
# none that resolves to /lib or /usr/lib; kept ones written without the tree's folder.
finalize() {  # finalize TARGET_DIR
  local file entry real kept
  for file in $(elf_files "$1"); do
    $cross-strip --remove-section=.comment --remove-section=.note "$file"
    kept=''
    for entry in $(patchelf --print-rpath "$file" | tr : ' '); do
      case $entry in
        \$ORIGIN*) real=${file%/*}${entry#\$ORIGIN} ;;
        "$1"/*) real=$entry ;;
        *) real=$1$entry ;;
      esac
      real=$(realpath -qe "$real") || { echo "fix-rpath: $file: $entry not in rootdir"; continue; }
      case ${real#"$1"} in /lib | /usr/lib) continue ;; esac
      [[ $entry == \$ORIGIN* ]] || entry=${real#"$1"}
      kept=${kept:+$kept:}$entry
    done
    if [ -n "$kept" ]; then patchelf --set-rpath "$kept" "$file"; else patchelf --remove-rpath "$file"; fi
  done
}
# OpenWrt's scripts/rstrip.sh on a package's folder: run paths kept only of the forms /lib/X,
# /usr/lib/X and $ORIGIN/..., then strip --strip-all.
rstrip() {  # rstrip FOLDER
  local file entry kept
  for file in $(elf_files "$1"); do
    kept=''
    for entry in $(patchelf --print-rpath "$file" | tr : ' '); do
      case $entry in
        /lib/[^/]* | /usr/lib/[^/]* | \$ORIGIN/* | \$ORIGIN) kept=${kept:+$kept:}$entry ;;
        *) echo "rstrip.sh: $file: removing rpath $entry" ;;
      esac
    done
    [ "$kept" = "$(patchelf --print-rpath "$file")" ] || patchelf --set-rpath "$kept" "$file"
    $cross-strip --strip-all "$file"
  done
}
not() { ! "$@"; }

# own_options VARIABLE FILE: what the kit's package definition FILE passes to CMake in VARIABLE
# (EXTRA_OECMAKE = "...", CMAKE_OPTIONS += ..., ..._CONF_OPTS = ...), as the array own.
own_options() {
  local line
  line=$(sed -n "s/^$1 +\{0,1\}= *\"\{0,1\}\([^\"]*\)\"\{0,1\}\$/\1/p" "$2")
  [ -n "$line" ] || fail "no $1 in $2"
  read -ra own <<<"$line"
  echo "ok: $1 from ${2#"$source"/}: ${own[*]}"
}
# refused WHAT PATTERN CMAKE_OPTION...: the configure of $source stops with one error, whose text
# (which CMake wraps) names WHAT.
refused() {
  if cmake -S "$source" -B build "${@:3}" >refused.log 2>&1; then fail "configured despite $1"; fi
  check "the configure names $1" grep -q "$2" <(tr -s '\n ' '  ' <refused.log)
  expect "errors printed" "$(grep -c '^CMake Error' refused.log)" 1
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

case $case in
  elf) elf "$@" ;;
  install)  # staged with --prefix and with DESTDIR: the gateway's tree alone
    build=$1
    prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
    cmake --install "$build" --prefix "$work/prefix" --strip >/dev/null
    check "--prefix: the gateway's tree, nothing else" installs "$build" "$work/prefix"
    check "--prefix: the tree tells its version" \
      grep -qx "triple_import $version" "$work/prefix/share/doc/triple_import/VERSION"
    DESTDIR=$work/staged cmake --install "$build" >/dev/null
    check "DESTDIR: the gateway's tree below its prefix, nothing else" \
      installs "$build" "$work/staged" "$prefix"
    ;;
  package)
    # The flow that BUILDING.md shows: a configure with the toolchain file alone, the build, cpack in
    # the build folder. lintian reports nothing beyond the overrides that the package declares; the
    # .tar.gz holds the .deb's files less those that only Debian's layout wants under /usr/share,
    # below the gateway's tree; the tool is the binary that the black-box suites run.
    source=$1 release=$work/release
    run configure cmake -S "$source" -B "$release" -DCMAKE_TOOLCHAIN_FILE="$source/cmake/armhf-gateway.cmake"
    run build cmake --build "$release"
    cd "$release" && run cpack cpack && cd "$work" || exit 1
    deb=("$release"/*.deb) tgz=("$release"/*.tar.gz)
    check "lintian: no error or warning beyond the declared overrides" \
      lintian --fail-on error,warning "${deb[0]}"
    expect "the .deb's dependency on dbus-send's package" "$(dpkg-deb -f "${deb[0]}" Depends)" \
      "dbus-bin | dbus"
    files() { sed 's|^\./||; /\/$/d; /^$/d' | sort; }  # files only, folders and the top left out
    dpkg-deb --fsys-tarfile "${deb[0]}" | tar t | files >"$work/deb-files"
    check "the .tar.gz holds the .deb's files but those under /usr/share" \
      diff <(grep -v '^usr/share/' "$work/deb-files") <(tar tzf "${tgz[0]}" | sed 's|^[^/]*/||' | files)
    check "the tool unpacks as quorvale/gateway/build/bin/triple_import" \
      grep -qx quorvale/gateway/build/bin/triple_import "$work/deb-files"
    dpkg-deb -x "${deb[0]}" "$work/unpacked"
    check "the .deb's tool is the binary that the black-box suites run" \
      cmp "$work/unpacked/quorvale/gateway/build/bin/triple_import" "$2"
    ;;
  release)
    # A configure with the gateway's toolchain file and no option at all looks for no package and
    # no program beyond the compiler and its own tools (CMake's trace shows every lookup). The SDK
    # preset without an SDK fails at configure and says what to source.
    source=$1 release=$work/release
    run configure cmake -S "$source" -B "$release" -DCMAKE_TOOLCHAIN_FILE="$source/cmake/armhf-gateway.cmake" \
      --trace-expand --trace-redirect="$work/trace"
    grep -E '^/[^(]*\([0-9]+\): +(find_package|find_program|find_path|find_library|pkg_check_modules)\(' \
      "$work/trace" | grep -vE ': +find_program\((_?CMAKE_[A-Z0-9_]+|gateway_cxx) ' | tee "$work/lookups"
    check "no test dependency or emulator looked for" [ ! -s "$work/lookups" ]
    run build cmake --build "$release"
    echo "ok: the tool builds"
    # The kit's package definitions name this release and its licence file as it is.
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$release/CMakeCache.txt")
    kit=$source/packaging
    expect "OpenWrt's version" "$(sed -n 's/^PKG_VERSION:=//p' "$kit/openwrt/Makefile")" "$version"
    expect "Yocto's recipe" "$(cd "$kit/yocto" && echo *.bb)" "triple-import_$version.bb"
    expect "Buildroot's version" \
      "$(sed -n 's/^TRIPLE_IMPORT_VERSION = //p' "$kit/buildroot/triple-import/triple-import.mk")" "$version"
    expect "Yocto's licence checksum" "$(sed -n 's/.*copyright;md5=\([0-9a-f]*\)".*/\1/p' "$kit"/yocto/*.bb)" \
      "$(md5sum <"$kit/copyright" | cut -c1-32)"
    env -u OE_CMAKE_TOOLCHAIN_FILE -u CMAKE_TOOLCHAIN_FILE \
      cmake -S "$source" --preset armhf-sdk -B "$work/sdk" >"$work/sdk.log" 2>&1
    check "armhf-sdk without an SDK fails" [ $? != 0 ]
    check "and says what to source" grep -qi "source the gateway SDK's environment script" "$work/sdk.log"
    ;;
  kit)
    # scripts/release twice from the same commit: the same tarball, whose checksum the package
    # files that it writes name, with the licence file's own sums; and each system's own linter
    # passes them: oelint-adv for three Yocto releases, Buildroot's check-package.
    source=$1 linters=$1/../shared/linters
    run release-one "$source/scripts/release" "$work/one"
    run release-two "$source/scripts/release" "$work/two"
    tarball=("$work"/one/*.tar.gz)
    check "the same tarball from the same commit" cmp "${tarball[0]}" "$work/two/${tarball[0]##*/}"
    sum=$(sha256sum <"${tarball[0]}" | cut -c1-64)
    kit=$work/one/kit
    for file in "$kit"/openwrt/Makefile "$kit"/yocto/*.bb "$kit"/buildroot/triple-import/*.hash; do
      check "${file#"$kit"/} names the tarball's sha256" grep -q "$sum" "$file"
    done
    tar -xzf "${tarball[0]}" -C "$work" --wildcards '*/packaging/copyright'
    copyright=$(echo "$work"/triple_import-*/packaging/copyright)
    expect "Buildroot's hash of the licence file" \
      "$(awk '$3 == "packaging/copyright" { print $2 }' "$kit/buildroot/triple-import/triple-import.hash")" \
      "$(sha256sum <"$copyright" | cut -c1-64)"
    if [ ! -x "$linters/oelint-adv" ]; then
      echo "SKIPPED: no linters in $linters (the shared folder beside the project's)"
      exit 77
    fi
    for release in kirkstone scarthgap walnascar; do
      /usr/bin/env PATH="$machine_path" "$linters/oelint-adv" --quiet --release "$release" "$kit"/yocto/*.bb \
        >"oelint-$release.log" 2>&1
      check "oelint-adv --release $release: no error or warning" \
        bash -c "! grep -E ':(error|warning):' oelint-$release.log"
    done
    (cd "$kit/buildroot" && "$linters/check-package" triple-import/Config.in triple-import/triple-import.mk \
      triple-import/triple-import.hash) >check-package.log 2>&1
    check "check-package: no warning" grep -q '^0 warnings generated' check-package.log
    ;;
  one-build)  # one build of DIR/src into DIR/build and DIR/packages, for reproducible
    cmake -S "$1/src" -B "$1/build" --toolchain "$1/src/cmake/armhf-gateway.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/quorvale/gateway/build >/dev/null &&
      cmake --build "$1/build" >/dev/null && (cd "$1/build" && cpack -B "$1/packages" >/dev/null)
    exit
    ;;
  reproducible)
    # Two copies of the source, .git kept for the packages' time, built one second apart, the second
    # with another umask and time zone and, when run as root, as another user: the binary, the .deb
    # and the .tar.gz are the same, bit for bit.
    for name in first second; do mkdir -p "$work/$name/src" && tar -C "$1" --exclude=./build -cf - . |
      tar -C "$work/$name/src" -xf -; done
    (umask 022 && TZ=UTC "$work/first/src/tests/check_build.sh" one-build "$work/first") || fail "first build"
    sleep 1
    second=(env TZ=Pacific/Chatham "$work/second/src/tests/check_build.sh" one-build "$work/second")
    who=
    if [ "$(id -u)" -eq 0 ]; then
      who=", the second as nobody,"
      # As nobody, in a tmpfs over /mnt in a mount namespace of its own: the checkout's folder may
      # be one that nobody cannot enter (a private home), and nothing of the machine's is touched.
      # shellcheck disable=SC2016  # expanded by the inner bash
      second=(unshare --mount --propagation private bash -c '
        mount -t tmpfs -o mode=755 reproducible /mnt && cp -a "$1/second" /mnt/second &&
          mkdir /mnt/second/tmp && chown -R nobody:nogroup /mnt/second &&
          setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME=/mnt/second \
            TMPDIR=/mnt/second/tmp TZ=Pacific/Chatham \
            /mnt/second/src/tests/check_build.sh one-build /mnt/second &&
          cp -a /mnt/second/build /mnt/second/packages "$1/second/"' bash "$work")
    fi
    (umask 077 && "${second[@]}") || fail "second build"
    sums() { (cd "$work/$1" && sha256sum build/triple_import packages/*.deb packages/*.tar.gz); }
    sums first
    check "the same three files from two builds$who in two folders" \
      diff <(sums first) <(sums second)
    ;;
  yocto-recipe)
    # meta/classes-recipe/cmake.bbclass: its generated toolchain.cmake, PROGRAM ONLY, Ninja, an
    # emptied ${B}, PATH with the cross tools, cmake and ninja and the host tools alone; in the
    # flags poky's security_flags.inc and OE-core's prefix maps (less GCC 13's -fcanon-prefix-map).
    source=$1 sysroot=$work/recipe-sysroot native=$work/recipe-sysroot-native hosttools=$work/hosttools
    old_libs "$2"
    recipe=$(echo "$source"/packaging/yocto/*.bb)
    own_options EXTRA_OECMAKE "$recipe"
    own=("${own[@]//\$\{GATEWAY_LIB_DIR\}/$(sed -n 's/^GATEWAY_LIB_DIR ?= "\(.*\)"$/\1/p' "$recipe")}")
    security="-fstack-protector-strong -O2 -D_FORTIFY_SOURCE=2 -Wformat -Wformat-security -Werror=format-security"
    debug="-g -feliminate-unused-debug-types"
    for dir in "$source" "$work/build"; do
      debug+=" -fmacro-prefix-map=$dir=/usr/src/debug/triple-import/1.0.0"
      debug+=" -fdebug-prefix-map=$dir=/usr/src/debug/triple-import/1.0.0"
    done
    debug+=" -fdebug-prefix-map=$sysroot= -fmacro-prefix-map=$sysroot= -fdebug-prefix-map=$native="
    make_sysroot "$sysroot"
    mkdir -p "$native/usr/bin/$cross" "$hosttools" build
    for tool in /usr/bin/"$cross"-*; do ln -s "$tool" "$native/usr/bin/$cross/"; done
    ln -s "$(type -P cmake)" "$(type -P ninja)" "$native/usr/bin/"
    for tool in ar as awk basename bash cat chmod cmp cp cut date diff dirname echo env expr false \
      find grep gzip head id install ln ls mkdir mktemp mv printf pwd readlink rm rmdir sed sh \
      sort stat tail tar tee test touch tr true uname uniq wc xargs; do
      ln -s "$(type -P "$tool")" "$hosttools/"
    done
    ldflags="-Wl,-O1 -Wl,--hash-style=gnu -Wl,--as-needed -Wl,-z,relro,-z,now"
    cat >"$work/toolchain.cmake" <<CMAKE
set( CMAKE_SYSTEM_NAME Linux )
set( CMAKE_C_COMPILER $cross-gcc )
set( CMAKE_CXX_COMPILER $cross-g++ )
set( CMAKE_ASM_COMPILER $cross-gcc )
find_program( CMAKE_AR $cross-gcc-ar DOC "Archiver" REQUIRED )
set( CMAKE_C_FLAGS "$tune $security --sysroot=$sysroot -O2 -pipe $debug" CACHE STRING "CFLAGS" )
set( CMAKE_CXX_FLAGS "$tune $security --sysroot=$sysroot -O2 -pipe $debug" CACHE STRING "CXXFLAGS" )
set( CMAKE_C_FLAGS_RELEASE "-DNDEBUG" CACHE STRING "Additional CFLAGS for release" )
set( CMAKE_CXX_FLAGS_RELEASE "-DNDEBUG" CACHE STRING "Additional CXXFLAGS for release" )
set( CMAKE_C_LINK_FLAGS "$tune $security --sysroot=$sysroot $ldflags" CACHE STRING "LDFLAGS" )
set( CMAKE_CXX_LINK_FLAGS "$tune $security --sysroot=$sysroot $ldflags" CACHE STRING "LDFLAGS" )
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
      -DCMAKE_EXPORT_COMPILE_COMMANDS:BOOL=ON "${own[@]}" -Wno-dev -S "$source" -B build
    run build cmake --build build --target all
    DESTDIR=$work/image run install cmake --install build
    check "$case: installed below DESTDIR/usr, nothing elsewhere" installs build "$work/image" /usr
    # do_package: split_and_strip_files, then do_package_qa's ldflags and buildpaths.
    for file in "$work"/image/usr/bin/*; do
      debug=$work/package-dbg/usr/bin/.debug/${file##*/}
      check "${file##*/} installed with its debug information" grep -q debug_info <($cross-readelf -S "$file")
      mkdir -p "${debug%/*}" && $cross-objcopy --only-keep-debug "$file" "$debug"
      $cross-strip --remove-section=.comment --remove-section=.note "$file"
      (cd "${debug%/*}" && $cross-objcopy --add-gnu-debuglink="$debug" "$file")
      check "ldflags: ${file##*/} has a GNU hash table" grep -q '\.gnu\.hash' <($cross-readelf -SW "$file")
      check "buildpaths: no build folder in ${file##*/} nor in its debug file" \
        not grep -qF -e "$work" -e "$source" "$file" "$debug"
    done
    image "$work/image" /usr/bin thumb2
    boots "$work/image"
    ;;
  yocto-sdk-kirkstone | yocto-sdk-scarthgap)
    # An application developer with a sourced SDK: stock CMake, no build type, no prefix. A
    # kirkstone SDK exports OE_CMAKE_TOOLCHAIN_FILE, passed on by hand; scarthgap exports
    # CMAKE_TOOLCHAIN_FILE, which CMake takes by itself.
    source=$1
    run sdk "$source/tools/simulated_sdk.sh" "$work/sdk" "${case#yocto-sdk-}"
    # shellcheck source=/dev/null
    . "$work"/sdk/environment-setup-*
    toolchain=()
    [ "$case" = yocto-sdk-kirkstone ] && toolchain=(-DCMAKE_TOOLCHAIN_FILE="$OE_CMAKE_TOOLCHAIN_FILE")
    run configure cmake -S "$source" -B build "${toolchain[@]}"
    run build cmake --build build
    DESTDIR=$work/image run install cmake --install build
    integrated build "$work/image" /quorvale/gateway/build
    ;;
  openwrt)
    # include/cmake.mk (24.10): no toolchain file, everything on the command line, in the source
    # folder, Ninja, CMAKE_SKIP_RPATH and CMAKE_STRIP=:.
    source=$1
    old_libs "$2"
    own_options CMAKE_OPTIONS "$source/packaging/openwrt/Makefile"
    copy_source "$work/src"
    mkdir -p "$work/staging/usr" "$work/toolchain"
    cflags="-Os -pipe -mcpu=cortex-a9 -mfpu=vfpv3-d16 -mfloat-abi=hard -fno-caller-saves -fno-plt"
    cflags+=" -Wformat -Werror=format-security -fstack-protector -D_FORTIFY_SOURCE=1 -Wl,-z,now -Wl,-z,relro"
    ldflags="-L$work/staging/usr/lib -L$work/staging/lib -znow -zrelro"
    compiler=$(command -v $cross-gcc)
    export CFLAGS=$cflags CXXFLAGS=$cflags LDFLAGS=$ldflags
    cd "$work/src" || exit 1
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
      -DCMAKE_GENERATOR="Ninja" -DCMAKE_C_FLAGS="$cflags" "${own[@]}" .
    run build ninja -C .
    DESTDIR=$work/ipkg-install run install ninja -C . install
    check "$case: installed below DESTDIR/usr, nothing elsewhere" installs . "$work/ipkg-install" /usr
    # Package/triple-import/install, then rstrip.sh on the package's folder.
    mkdir -p "$work/ipkg/usr/bin"
    install -m 755 "$work"/ipkg-install/usr/bin/triple_{import,check} "$work/ipkg/usr/bin/"
    rstrip "$work/ipkg"
    image "$work/ipkg" /usr/bin thumb2 "$lib_dir" "\$ORIGIN/../../quorvale/gateway/build/lib"
    boots "$work/ipkg"
    ;;
  buildroot | buildroot-own-glibc)
    # package/pkg-cmake.mk (2024.02) with support/misc/toolchainfile.cmake.in: in the source
    # folder, Unix Makefiles, tests switched off, installed to staging and to target; the
    # compiler wrapper's processor flags and ARM code; the package's target hook; target-finalize.
    # The kit's .mk is read by make, with the library folder of its Config.in, or /lib.
    source=$1 platform=$work/host/share/buildroot
    old_libs "$2"
    folder=$(sed -n 's/^\tdefault "\(.*\)"$/\1/p' "$source/packaging/buildroot/triple-import/Config.in")
    [ "$case" = buildroot-own-glibc ] && folder=/lib
    kit_make() {
      make -s -f - BR2_PACKAGE_TRIPLE_IMPORT_GATEWAY_LIB_DIR="\"$folder\"" TARGET_DIR="$work/target" "$@" <<MAKE
qstrip = \$(strip \$(subst ",,\$(1)))
include $source/packaging/buildroot/triple-import/triple-import.mk
options: ; @echo \$(TRIPLE_IMPORT_CONF_OPTS)
hooks: ; \$(foreach hook,\$(TRIPLE_IMPORT_POST_INSTALL_TARGET_HOOKS),\$(call \$(hook)))
MAKE
    }
    read -ra own <<<"$(kit_make options)"
    echo "ok: TRIPLE_IMPORT_CONF_OPTS: ${own[*]}"
    mkdir -p "$work/host/bin"
    for tool in gcc g++; do
      printf '#!/bin/sh\nexec %s %s "$@"\n' "$(command -v $cross-$tool)" \
        "-march=armv7-a -mtune=cortex-a9 -mfpu=vfpv3-d16 -mfloat-abi=hard -marm" >"$work/host/bin/$cross-$tool"
      chmod +x "$work/host/bin/$cross-$tool"
    done
    copy_source "$work/src"
    make_sysroot "$work/staging"
    mkdir -p "$platform/Platform"
    echo 'include(Platform/Linux)' >"$platform/Platform/Buildroot.cmake"
    brflags="-D_LARGEFILE_SOURCE -D_LARGEFILE64_SOURCE -D_FILE_OFFSET_BITS=64 -O2 -g0 -D_FORTIFY_SOURCE=1"
    cat >"$platform/toolchainfile.cmake" <<CMAKE
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
set(CMAKE_C_COMPILER $work/host/bin/$cross-gcc)
set(CMAKE_CXX_COMPILER $work/host/bin/$cross-g++)
CMAKE
    cd "$work/src" || exit 1
    run configure cmake "$work/src" -G"Unix Makefiles" -DCMAKE_MAKE_PROGRAM=make \
      -DCMAKE_TOOLCHAIN_FILE="$platform/toolchainfile.cmake" \
      -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_RUNSTATEDIR=/run -DCMAKE_COLOR_MAKEFILE=OFF \
      -DBUILD_DOC=OFF -DBUILD_DOCS=OFF -DBUILD_EXAMPLE=OFF -DBUILD_EXAMPLES=OFF -DBUILD_TEST=OFF \
      -DBUILD_TESTS=OFF -DBUILD_TESTING=OFF -DBUILD_SHARED_LIBS=ON "${own[@]}"
    run build cmake --build "$work/src"
    DESTDIR=$work/staging-install run install cmake --install "$work/src"
    DESTDIR=$work/target run install-target cmake --install "$work/src"
    check "$case: installed below DESTDIR/usr, nothing elsewhere" installs . "$work/target" /usr
    cp -a "$work/target" "$work/target-without-hook"
    run hooks kit_make hooks
    finalize "$work/target"
    if [ "$case" = buildroot ]; then
      image "$work/target" /usr/bin arm
      # Without the folder, fix-rpath drops the run path, and the vendor's loader would take the
      # image's own C library: the image check tells.
      finalize "$work/target-without-hook"
      (image "$work/target-without-hook" /usr/bin arm "$lib_dir" "") >"$work/without-hook.log"
      check "without the package's hook the image check names the lost run path" grep -q \
        "triple_import: takes /lib/libc.so.6 (default folder).*the run path was lost" "$work/without-hook.log"
    else
      image "$work/target" /usr/bin arm /lib ""
    fi
    boots "$work/target"
    ;;
  cmake-3.18)
    # The oldest CMake that Debian's archive offers gives, byte for byte, this machine's binary.
    source=$1 old=$2/cmake-3.18/bin/cmake
    if [ ! -x "$old" ]; then
      echo "SKIPPED: no Debian 11 CMake in $2; fetch it with scripts/fetch-test-files"
      exit 77
    fi
    for cmake in old:"$old" new:cmake; do
      dir=${cmake%%:*} cmake=${cmake#*:}
      run "configure-$dir" "$cmake" -S "$source" -B "$dir" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$source/cmake/armhf-gateway.cmake" -DCMAKE_INSTALL_PREFIX=/quorvale/gateway/build
      run "build-$dir" "$cmake" --build "$dir"
      $cross-strip -o "$dir/stripped" "$dir/triple_import"
    done
    check "the stripped binary of CMake 3.18 is byte for byte this machine's CMake's" \
      cmp old/stripped new/stripped
    DESTDIR=$work/image run install "$old" --install old
    integrated old "$work/image" /quorvale/gateway/build
    ;;
  no-cross-compiler)
    # The same PATH less the cross tools: configure stops at once, naming the package; once the
    # compiler is back, the same command in the same folder builds.
    source=$1
    mkdir "$work/hidden"
    for tool in /usr/bin/*; do
      case $tool in */$cross-*) ;; *) ln -s "$tool" "$work/hidden/" ;; esac
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
    integrated build "$work/image" /quorvale/gateway/build
    ;;
  soft-float)
    # Debian's armel cross compiler, soft-float for ARMv5 without VFP, with glibc: the configure
    # stops with one error, which names the hard-float ABI.
    source=$1
    command -v arm-linux-gnueabi-g++ >/dev/null ||
      { echo "SKIPPED: no arm-linux-gnueabi-g++: install Debian's package g++-arm-linux-gnueabi"; exit 77; }
    refused "the hard-float ABI" "does not build for the gateway's ABI, 32-bit ARM hard-float" \
      -DCMAKE_TOOLCHAIN_FILE="$source/cmake/armhf-gateway.cmake" -DGATEWAY_CROSS_PREFIX=arm-linux-gnueabi-
    ;;
  musl)
    # A toolchain for ARM whose C library is musl, as OpenWrt's are by default: this machine's g++
    # with musl's headers (musl-tools), which is all that the check reads. The configure stops
    # with one error, which names musl and glibc.
    source=$1 specs=/usr/lib/x86_64-linux-musl/musl-gcc.specs
    if [ ! -f "$specs" ]; then
      echo "SKIPPED: no $specs: install Debian's package musl-tools"
      exit 77
    fi
    cat >"$work/musl.cmake" <<CMAKE
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_CXX_FLAGS_INIT "-specs=$specs")
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
CMAKE
    refused "musl and glibc" "builds against musl, but the gateway's binary needs glibc" \
      -DCMAKE_TOOLCHAIN_FILE="$work/musl.cmake"
    ;;
  *) echo "Usage: $0 CASE ARGUMENT..." >&2; exit 2 ;;
esac
exit $failed
