# The tool is hardened as distributions build their binaries; off for the sanitizer and fuzz
# builds. On the gateway the stack protector's guard is the executable's own (see
# src/old_glibc_start.cpp).
if(TRIPLE_IMPORT_SANITIZE)
  set(harden_default OFF)
else()
  set(harden_default ON)
endif()
option(TRIPLE_IMPORT_HARDEN "Build the tool with the distributions' hardening flags" ${harden_default})
if(NOT TRIPLE_IMPORT_HARDEN)
  return()
endif()

include(CheckCXXCompilerFlag)
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
# Whatever level the build system passes (OpenWrt and Buildroot pass 1), the tool gets 2.
target_compile_options(tool_options INTERFACE -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2
                       -fstack-protector-strong)
check_cxx_compiler_flag(-fstack-clash-protection HAVE_STACK_CLASH_PROTECTION)
if(HAVE_STACK_CLASH_PROTECTION)
  target_compile_options(tool_options INTERFACE -fstack-clash-protection)
endif()
target_link_options(tool_options INTERFACE LINKER:-z,relro LINKER:-z,now)
