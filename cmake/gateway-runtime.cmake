# The gateway: 32-bit ARM Linux with its own loader and C library in GATEWAY_LIB_DIR, of any glibc
# generation since the 2.6.32 kernels. This is the project's, not the toolchain's, so that any
# SDK's or build system's toolchain gives the same binary. The run path is a link option, not
# CMake's RPATH, which OpenWrt drops (CMAKE_SKIP_RPATH) and Yocto empties.
set(GATEWAY_LIB_DIR "/quorvale/gateway/build/lib" CACHE STRING "Library folder on the gateway")
option(GATEWAY_RUN_PATH_FROM_ORIGIN "Name GATEWAY_LIB_DIR in the run path relative to the installed program" OFF)
# A build for the gateway installs into the gateway's own tree unless told otherwise, as its loader
# and run path do: the packages unpack there, and build systems name their own prefix.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  get_filename_component(gateway_prefix "${GATEWAY_LIB_DIR}" DIRECTORY)
  set(CMAKE_INSTALL_PREFIX "${gateway_prefix}" CACHE PATH "Install path prefix" FORCE)
endif()
# The library folder reaches the run path as it is, but for an OS whose own glibc the tool uses
# (GATEWAY_LIB_DIR=/lib), where the loader's default folders need none. OpenWrt's packaging keeps
# only run paths below /lib or /usr/lib or from $ORIGIN, so its package names the same folder from
# where the program is installed.
if(GATEWAY_LIB_DIR MATCHES "^/(usr/)?lib/?$")
  set(gateway_run_path "")
elseif(GATEWAY_RUN_PATH_FROM_ORIGIN)
  include(GNUInstallDirs)
  file(RELATIVE_PATH gateway_run_path "${CMAKE_INSTALL_FULL_BINDIR}" "${GATEWAY_LIB_DIR}")
  set(gateway_run_path "$ORIGIN/${gateway_run_path}")
else()
  set(gateway_run_path "${GATEWAY_LIB_DIR}")
endif()
add_library(gateway_runtime INTERFACE)
target_link_options(gateway_runtime INTERFACE
                    "LINKER:--dynamic-linker=${GATEWAY_LIB_DIR}/ld-linux-armhf.so.3")
if(gateway_run_path MATCHES "^[$]")
  # Make and Ninja each escape a dollar sign their own way on the command line; the linker reads
  # its own option file as it is. The file is named after what it holds, so that a change relinks.
  string(MD5 run_path_id "${gateway_run_path}")
  set(run_path_options ${PROJECT_BINARY_DIR}/run-path-${run_path_id}.ld-options)
  file(WRITE ${run_path_options} "-rpath=${gateway_run_path}\n")
  target_link_options(gateway_runtime INTERFACE "LINKER:@${run_path_options}")
elseif(gateway_run_path)
  target_link_options(gateway_runtime INTERFACE "LINKER:-rpath,${gateway_run_path}")
endif()

# The loader's name, the start-up and the symbol versions are glibc's: against another C library
# (OpenWrt's toolchains default to musl) the binary could not load on the gateway. A C header, so
# that the check answers even where the C++ library is missing.
include(CheckCXXSourceCompiles)
check_cxx_source_compiles("#include <stdio.h>\n#ifndef __GLIBC__\n#error not glibc\n#endif\nint main() {}"
                          GATEWAY_LIBC_IS_GLIBC)
if(NOT GATEWAY_LIBC_IS_GLIBC)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} ${CMAKE_CXX_COMPILER_ARG1} -dumpmachine
                  OUTPUT_VARIABLE gateway_machine OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  # musl names itself nowhere but in the headers' own guards.
  check_cxx_source_compiles("#include <stdio.h>\n#ifndef __DEFINED_FILE\n#error\n#endif\nint main() {}"
                            gateway_libc_is_musl)
  check_cxx_source_compiles("#include <stdio.h>\n#ifndef __UCLIBC__\n#error\n#endif\nint main() {}"
                            gateway_libc_is_uclibc)
  set(found "a C library that is not glibc")
  if(gateway_libc_is_musl OR gateway_machine MATCHES "musl")
    set(found musl)
  elseif(gateway_libc_is_uclibc OR gateway_machine MATCHES "uclibc")
    set(found uClibc)
  endif()
  message(FATAL_ERROR "The compiler ${CMAKE_CXX_COMPILER} (${gateway_machine}) builds against "
    "${found}, but the gateway's binary needs glibc: it loads through glibc's "
    "ld-linux-armhf.so.3 and starts as glibc does. Use a glibc toolchain (Yocto: TCLIBC = "
    "\"glibc\"; OpenWrt: CONFIG_LIBC_USE_GLIBC; Buildroot: BR2_TOOLCHAIN_USES_GLIBC), then run "
    "the configure again in an empty build folder.")
endif()
# The gateway's ABI is ARM's hard-float one, with VFP (armhf): floating point passes in VFP
# registers, and the loader and C library are built for it. A soft-float or VFP-less compiler
# (armel, ARMv5) would make a binary that the gateway's loader refuses. The compiler's own
# definitions say which, before anything is linked.
check_cxx_source_compiles("#if !defined(__arm__) || !defined(__ARM_PCS_VFP)\n#error\n#endif\nint main() {}"
                          GATEWAY_ABI_IS_HARD_FLOAT)
if(NOT GATEWAY_ABI_IS_HARD_FLOAT)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} ${CMAKE_CXX_COMPILER_ARG1} -dumpmachine
                  OUTPUT_VARIABLE gateway_machine OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  message(FATAL_ERROR "The compiler ${CMAKE_CXX_COMPILER} (${gateway_machine}) does not build for "
    "the gateway's ABI, 32-bit ARM hard-float with VFP (armhf, __ARM_PCS_VFP): it builds "
    "soft-float code, or code without VFP, which the gateway's ld-linux-armhf.so.3 does not load. "
    "Use a hard-float toolchain (Yocto: a tune with callconvention-hard, as armv7athf-neon; "
    "OpenWrt: a target whose CPU_TYPE has a VFP unit, as cortex-a9_vfpv3-d16; Buildroot: "
    "BR2_ARM_EABIHF), then run the configure again in an empty build folder.")
endif()
# Binds the start files to the start routine that every armhf glibc has, and gives the stack
# protector a guard of the executable's own (see the source).
target_sources(gateway_runtime INTERFACE ${PROJECT_SOURCE_DIR}/src/old_glibc_start.cpp)
target_link_options(gateway_runtime INTERFACE LINKER:--wrap=__libc_start_main)

# Today's start files say "for GNU/Linux 3.2.0"; the tool needs nothing newer than 2.6.32. The
# note is NT_GNU_ABI_TAG, little-endian: name "GNU", then OS 0 (Linux) and 2, 6, 32. CMake cannot
# write a NUL byte, so printf does (a tool that Yocto's host tools include).
set(GATEWAY_ABI_NOTE ${PROJECT_BINARY_DIR}/abi-note-linux-2.6.32)
execute_process(COMMAND printf "\\004\\0\\0\\0\\020\\0\\0\\0\\001\\0\\0\\0GNU\\0\\0\\0\\0\\0\\002\\0\\0\\0\\006\\0\\0\\0\\040\\0\\0\\0"
                OUTPUT_FILE ${GATEWAY_ABI_NOTE} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "printf could not write the ABI note ${GATEWAY_ABI_NOTE}")
endif()

function(add_gateway_abi_note target)
  add_custom_command(TARGET ${target} POST_BUILD
                     COMMAND ${CMAKE_OBJCOPY} --update-section .note.ABI-tag=${GATEWAY_ABI_NOTE}
                             $<TARGET_FILE:${target}>
                     VERBATIM)
endfunction()
