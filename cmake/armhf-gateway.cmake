# 32-bit ARM hard-float Linux, the gateway's processor.
#
# By default Debian's arm-linux-gnueabihf- cross compilers and their C library. For a gateway
# SDK, give its compiler prefix and sysroot:
#   -DGATEWAY_CROSS_PREFIX=/opt/sdk/bin/arm-linux-gnueabihf- -DGATEWAY_SYSROOT=/opt/sdk/sysroot
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)

set(GATEWAY_CROSS_PREFIX "arm-linux-gnueabihf-" CACHE STRING "Prefix of the cross compilers")
set(GATEWAY_SYSROOT "" CACHE PATH "Sysroot of the gateway SDK (empty: Debian's armhf C library)")
# Where the gateway keeps its system libraries and dynamic loader.
set(GATEWAY_LIB_DIR "/quorvale/gateway/build/lib" CACHE STRING "Library folder on the gateway")
# try_compile reads this file again and needs the same answers.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES GATEWAY_CROSS_PREFIX GATEWAY_SYSROOT)

set(CMAKE_CXX_COMPILER "${GATEWAY_CROSS_PREFIX}g++")
if(GATEWAY_SYSROOT)
  set(CMAKE_SYSROOT "${GATEWAY_SYSROOT}")
  set(GATEWAY_TARGET_LIBS "${GATEWAY_SYSROOT}/lib" CACHE PATH "armhf libraries to run tests with")
else()
  set(GATEWAY_TARGET_LIBS "/usr/arm-linux-gnueabihf/lib" CACHE PATH "armhf libraries to run tests with")
endif()

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests run for the target under user-mode emulation, against the same C library.
if(GATEWAY_SYSROOT)
  set(CMAKE_CROSSCOMPILING_EMULATOR qemu-arm -L "${GATEWAY_SYSROOT}")
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR qemu-arm -L /usr/arm-linux-gnueabihf)
endif()
