# 32-bit x86 Linux with this machine's own compilers (-m32): the gateway's word size (ILP32: int,
# long and size_t of 32 bits) at native speed, where the sanitizers and the fuzzer run too.
# Needs Debian's g++-12-multilib and, for clang, libclang-rt-14-dev.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)

# The kernel's asm headers serve both word sizes, but only gcc-multilib, which conflicts with the
# ARM cross compilers, links them where a 32-bit build looks for them.
set(i386_include ${CMAKE_BINARY_DIR}/i386-include)
file(MAKE_DIRECTORY ${i386_include})
file(CREATE_LINK /usr/include/x86_64-linux-gnu/asm ${i386_include}/asm SYMBOLIC)
set(CMAKE_C_FLAGS_INIT "-m32 -isystem ${i386_include}")
set(CMAKE_CXX_FLAGS_INIT "${CMAKE_C_FLAGS_INIT}")
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
