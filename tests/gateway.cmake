# A gateway build's tests. Its programs run under the emulator with one of two roots that hold the
# target's loader and C library in the gateway's library folder, a new gateway's and an old one's:
# tool_runner and old_gateway_runner, with if_old_gateway before what needs the old one. The tool
# under test is stripped as the packages ship it.

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
set(tool ${shipped}/triple_import)
set(if_old_gateway ${if_exists} ${old_libs}/libc.so.6 "no old gateway C library in ${old_libs}: run \
scripts/fetch-test-files, or configure with -DOLD_GATEWAY_LIBS=FOLDER holding a real gateway's \
ld-linux-armhf.so.3 and libc.so.6")

# ---- The gateway binary: ELF, start-up, stack protector, install, packages, builds ----

set(check_build ${CMAKE_CURRENT_SOURCE_DIR}/check_build.sh)
string(REGEX REPLACE "readelf$" size size_tool "${CMAKE_READELF}")
foreach(program IN LISTS programs)
  add_test(NAME GatewayElf.ShipsAsTheGatewayExpects/${program}
           COMMAND env READELF=${CMAKE_READELF} SIZE=${size_tool}
                   ${check_build} elf $<TARGET_FILE:${program}> ${GATEWAY_LIB_DIR} thumb2)
endforeach()
add_test(NAME Install.StaysUnderItsPrefix COMMAND ${check_build} install ${CMAKE_BINARY_DIR})
set(slow Install.StaysUnderItsPrefix)
if(CMAKE_TOOLCHAIN_FILE MATCHES "armhf-gateway.cmake$")
  add_test(NAME Package.CleanUnderLintian COMMAND ${check_build} package ${PROJECT_SOURCE_DIR} ${tool})
  add_test(NAME Package.SameFromTwoBuilds COMMAND ${check_build} reproducible ${PROJECT_SOURCE_DIR})
  add_test(NAME Build.ReleaseNeedsOnlyACompiler COMMAND ${check_build} release ${PROJECT_SOURCE_DIR})
  add_test(NAME Kit.ReleaseTarballAndLinters COMMAND ${check_build} kit ${PROJECT_SOURCE_DIR})
  list(APPEND slow Package.CleanUnderLintian Package.SameFromTwoBuilds Build.ReleaseNeedsOnlyACompiler
       Kit.ReleaseTarballAndLinters)
  # The integrators' own invocations, each in a folder of its own.
  foreach(case yocto-recipe yocto-sdk-kirkstone yocto-sdk-scarthgap openwrt buildroot buildroot-own-glibc cmake-3.18
               no-cross-compiler musl soft-float)
    add_test(NAME IntegratorBuild.${case} COMMAND ${check_build} ${case} ${PROJECT_SOURCE_DIR} ${fetched})
    list(APPEND slow IntegratorBuild.${case})
  endforeach()
endif()
# The gateway booted under qemu-system-arm, one at a time: this build's package in an ARM image,
# importing over the image's own bus through BusyBox's sh, on its glibc and on an old gateway's.
if(CMAKE_TOOLCHAIN_FILE MATCHES "armhf-gateway.cmake$")
  set(boot_gateway ${PROJECT_SOURCE_DIR}/scripts/boot-gateway)
  add_test(NAME BootedGateway.ImportsOverItsBus/glibc-2.36 COMMAND ${boot_gateway} ${CMAKE_BINARY_DIR} ${fetched})
  add_test(NAME BootedGateway.ImportsOverItsBus/old-glibc
           COMMAND ${boot_gateway} --old-glibc ${CMAKE_BINARY_DIR} ${fetched})
  # The integrators' builds of the three systems boot what their last steps leave, too.
  set_tests_properties(BootedGateway.ImportsOverItsBus/glibc-2.36 BootedGateway.ImportsOverItsBus/old-glibc
                       IntegratorBuild.yocto-recipe IntegratorBuild.openwrt IntegratorBuild.buildroot
                       IntegratorBuild.buildroot-own-glibc PROPERTIES RESOURCE_LOCK qemu-system-arm TIMEOUT 600)
  list(APPEND slow BootedGateway.ImportsOverItsBus/glibc-2.36 BootedGateway.ImportsOverItsBus/old-glibc)
endif()
set_tests_properties(${slow} PROPERTIES LABELS slow)

# The start-up and the stack protector's guard of the executable's own, on both C libraries: the
# initialisers run before main, and a smashed buffer ends the program.
add_executable(old_glibc_start_test old_glibc_start_test.cpp)
target_link_libraries(old_glibc_start_test PRIVATE tool_options gateway_runtime)
set_target_properties(old_glibc_start_test PROPERTIES CXX_STANDARD 11 CXX_EXTENSIONS OFF)
set(start_test $<TARGET_FILE:old_glibc_start_test>)
set(stack_protector ${CMAKE_CURRENT_SOURCE_DIR}/stack_protector.sh)
add_test(NAME StartUp.InitialisersRunBeforeMain/gateway-root COMMAND ${tool_runner} ${start_test} start)
add_test(NAME StartUp.InitialisersRunBeforeMain/old-gateway-root
         COMMAND ${if_old_gateway} ${old_gateway_runner} ${start_test} start)
add_test(NAME StackProtector.SmashedBufferAborts/gateway-root
         COMMAND ${stack_protector} smash ${tool_runner} ${start_test})
add_test(NAME StackProtector.SmashedBufferAborts/old-gateway-root
         COMMAND ${if_old_gateway} ${stack_protector} smash ${old_gateway_runner} ${start_test})
add_test(NAME StackProtector.GuardIsRandomAndNeverZero
         COMMAND ${stack_protector} guard ${tool_runner} ${start_test})
