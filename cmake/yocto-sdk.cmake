# The toolchain file of a sourced Yocto SDK environment, whichever generation exported it: up to
# kirkstone OE_CMAKE_TOOLCHAIN_FILE (which only the SDK's own patched CMake reads), from yocto 4.3
# (scarthgap) CMAKE_TOOLCHAIN_FILE. Either names the SDK's OEToolchainConfig.cmake, which takes the
# compilers and their flags from CC and CXX.
if(DEFINED ENV{OE_CMAKE_TOOLCHAIN_FILE} AND NOT "$ENV{OE_CMAKE_TOOLCHAIN_FILE}" STREQUAL "")
  include("$ENV{OE_CMAKE_TOOLCHAIN_FILE}")
elseif(DEFINED ENV{CMAKE_TOOLCHAIN_FILE} AND NOT "$ENV{CMAKE_TOOLCHAIN_FILE}" STREQUAL "")
  include("$ENV{CMAKE_TOOLCHAIN_FILE}")
else()
  message(FATAL_ERROR "No gateway SDK environment: neither OE_CMAKE_TOOLCHAIN_FILE nor "
    "CMAKE_TOOLCHAIN_FILE is set. Source the gateway SDK's environment script first, then "
    "configure afresh:\n"
    "  . /opt/gw-sdk/environment-setup-armv7at2hf-vfp-gateway-linux-gnueabi\n"
    "  cmake --preset armhf-sdk --fresh")
endif()
