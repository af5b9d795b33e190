# 32-bit ARM hard-float Linux, the gateway's processor: compilers and sysroot, nothing more. What
# the gateway itself needs (loader, run path, start-up) is the project's, so an SDK's own
# toolchain file gives the same binary.
#
# By default Debian's arm-linux-gnueabihf- cross compilers and their C library. For a gateway
# SDK without a toolchain file of its own, give its compiler prefix and sysroot:
#   -DGATEWAY_CROSS_PREFIX=/opt/sdk/bin/arm-linux-gnueabihf- -DGATEWAY_SYSROOT=/opt/sdk/sysroot
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)

set(GATEWAY_CROSS_PREFIX "arm-linux-gnueabihf-" CACHE STRING "Prefix of the cross compilers")
set(GATEWAY_SYSROOT "" CACHE PATH "Sysroot of the gateway SDK (empty: Debian's armhf C library)")
# try_compile reads this file again and needs the same answers.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES GATEWAY_CROSS_PREFIX GATEWAY_SYSROOT)

# Without the cross compiler CMake would go on with this machine's binutils and keep them in the
# cache, and the folder would fail at link even once the compiler is there. So stop first, with
# nothing of the search cached, and the same command builds in the same folder later.
find_program(gateway_cxx "${GATEWAY_CROSS_PREFIX}g++")
if(NOT gateway_cxx)
  unset(gateway_cxx CACHE)
  message(FATAL_ERROR "The gateway's cross compiler ${GATEWAY_CROSS_PREFIX}g++ is not on the PATH. "
          "Install Debian's package g++-arm-linux-gnueabihf (apt-get install "
          "g++-arm-linux-gnueabihf), or name another with -DGATEWAY_CROSS_PREFIX=..., then run the "
          "same command again.")
endif()
set(CMAKE_CXX_COMPILER "${gateway_cxx}")
unset(gateway_cxx CACHE)
if(GATEWAY_SYSROOT)
  set(CMAKE_SYSROOT "${GATEWAY_SYSROOT}")
endif()

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
