# For the tests of a gateway build: the emulator, and roots that hold the target's loader and C
# library, a new gateway's and an old one's, in the gateway's library folder. Sets emulator,
# tool_runner and old_gateway_runner (the emulator with each root), old_libs, and shipped, the
# folder of the programs stripped as the packages ship them.

# The root below which the emulator maps the binaries' absolute loader paths: an SDK's sysroot,
# or where the compiler finds its C library (Debian's armhf).
if(CMAKE_SYSROOT)
  find_path(GATEWAY_TARGET_LIBS libc.so.6 PATHS ${CMAKE_SYSROOT}/lib ${CMAKE_SYSROOT}/usr/lib
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  set(target_root "${CMAKE_SYSROOT}")
else()
  separate_arguments(compiler_args UNIX_COMMAND "${CMAKE_CXX_COMPILER_ARG1}")
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} ${compiler_args} -print-file-name=libc.so.6
                  OUTPUT_VARIABLE gateway_libc OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(gateway_libc "${gateway_libc}" REALPATH)
  get_filename_component(libc_dir "${gateway_libc}" DIRECTORY)
  set(GATEWAY_TARGET_LIBS "${libc_dir}" CACHE PATH "The target's C library, to run tests with")
  get_filename_component(target_root "${GATEWAY_TARGET_LIBS}" DIRECTORY)
endif()
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  require_program(QEMU_ARM qemu-arm qemu-user)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QEMU_ARM} -L ${target_root})
endif()
list(GET CMAKE_CROSSCOMPILING_EMULATOR 0 emulator)

set(shipped ${CMAKE_CURRENT_BINARY_DIR}/shipped)
file(MAKE_DIRECTORY ${shipped})
foreach(program IN LISTS programs)
  add_custom_command(OUTPUT ${shipped}/${program} DEPENDS ${program} VERBATIM
                     COMMAND ${CMAKE_STRIP} -o ${shipped}/${program} $<TARGET_FILE:${program}>)
  add_custom_target(shipped_${program} ALL DEPENDS ${shipped}/${program})
endforeach()

# The old C library: a copy of a real gateway's, or Debian 11's, which scripts/fetch-test-files
# fetches.
set(OLD_GATEWAY_LIBS "" CACHE PATH
    "Folder with an old gateway's ld-linux-armhf.so.3 and libc.so.6 (empty: Debian 11's)")
set(old_libs ${OLD_GATEWAY_LIBS})
if(NOT old_libs)
  set(old_libs ${fetched}/old-gateway)
endif()
set(gateway_root ${CMAKE_BINARY_DIR}/gateway-root)
set(old_gateway_root ${CMAKE_BINARY_DIR}/old-gateway-root)
file(MAKE_DIRECTORY ${gateway_root}${GATEWAY_LIB_DIR} ${old_gateway_root}${GATEWAY_LIB_DIR})
foreach(lib ld-linux-armhf.so.3 libc.so.6)
  file(CREATE_LINK ${GATEWAY_TARGET_LIBS}/${lib} ${gateway_root}${GATEWAY_LIB_DIR}/${lib} SYMBOLIC)
  file(CREATE_LINK ${old_libs}/${lib} ${old_gateway_root}${GATEWAY_LIB_DIR}/${lib} SYMBOLIC)
endforeach()
set(tool_runner ${emulator} -L ${gateway_root})
set(old_gateway_runner ${emulator} -L ${old_gateway_root})
