// Start-up that loads on every armhf C library, not only on glibc 2.34 and later.
//
// Since glibc 2.34 the start files (Scrt1.o) call __libc_start_main@GLIBC_2.34, a version that
// older gateways do not have, so their loader refuses the whole tool. The version that every
// armhf glibc has, GLIBC_2.4, differs in one point: it leaves the executable's own initialisers
// (_init, then the init array) to the init function that it is handed, which the start files
// used to take from libc_nonshared.a and now pass as null. The link therefore wraps the start
// files' call (--wrap=__libc_start_main) and this file forwards it to the GLIBC_2.4 version with
// an init function that runs them. Today's glibc keeps that version for exactly such binaries
// and calls the init function it is handed, so the same binary runs on old and new alike. The
// dynamic loader runs the preinit and fini arrays on both, so there is nothing else to do.
//
// The same start-up gives the stack protector its guard. On 32-bit ARM, glibc keeps the guard,
// __stack_chk_guard, in the loader, which would then become a second needed library. So the
// executable has a guard of its own, hidden so that nothing interposes it, and fills it from the
// kernel's AT_RANDOM bytes (Linux 2.6.29 and later) before anything protected runs; the check's
// failure path, __stack_chk_fail, is in every armhf libc.so.6 at GLIBC_2.4.
#include "old_glibc_start.h"

#include <elf.h>

#include <cstddef>
#include <cstdint>

// Nothing here may be protected itself: the guard changes under it.
#if defined(__has_attribute)
#if __has_attribute(no_stack_protector)
#define NOT_STACK_PROTECTED __attribute__((no_stack_protector))
#endif
#endif
#ifndef NOT_STACK_PROTECTED
#define NOT_STACK_PROTECTED
#endif

// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp): these are the names
// that the start files and the linker use.
extern "C" {

// Laid out by the linker and the start files in this executable.
extern const InitFunction __init_array_start[] __attribute__((visibility("hidden")));
extern const InitFunction __init_array_end[] __attribute__((visibility("hidden")));
void _init() __attribute__((visibility("hidden")));

// A terminator value (NUL, line feed, carriage return, 0xff) until the start-up replaces it.
std::uintptr_t __stack_chk_guard __attribute__((visibility("hidden"))) = 0xff0a0d00;

int libc_start_main_2_4(MainFunction main_function, int argc, char** argv, InitFunction init,
                        FiniFunction fini, FiniFunction rtld_fini, void* stack_end);
__asm__(".symver libc_start_main_2_4, __libc_start_main@GLIBC_2.4");

// The kernel's 16 random bytes lie behind the auxiliary vector, which follows the environment.
// As glibc does, the guard's lowest byte is NUL, so that a string overrun cannot copy it.
NOT_STACK_PROTECTED static void set_stack_guard(char** argv) {
  char** entry = argv;
  while (*entry) ++entry;  // past the arguments
  ++entry;
  while (*entry) ++entry;  // past the environment
  for (const Elf32_auxv_t* aux = reinterpret_cast<const Elf32_auxv_t*>(entry + 1);
       aux->a_type != AT_NULL; ++aux) {
    if (aux->a_type != AT_RANDOM) continue;
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the kernel hands the address over as a number.
    const unsigned char* random = reinterpret_cast<const unsigned char*>(aux->a_un.a_val);
    std::uintptr_t guard = 0;
    for (std::size_t i = 0; i < sizeof guard; ++i)
      guard |= static_cast<std::uintptr_t>(random[i]) << (8 * i);
    __stack_chk_guard = guard & ~static_cast<std::uintptr_t>(0xff);
    return;
  }
}

NOT_STACK_PROTECTED static void run_initialisers(int argc, char** argv, char** envp) {
  _init();
  for (const InitFunction* init = __init_array_start; init != __init_array_end; ++init)
    (*init)(argc, argv, envp);
}

// Whatever init and fini the start files pass (null since 2.34, the libc_nonshared.a pair
// before) are replaced: run_initialisers does the former's work, and the latter had none left
// in a dynamically linked executable.
NOT_STACK_PROTECTED int __wrap___libc_start_main(MainFunction main_function, int argc, char** argv,
                                                 InitFunction /*init*/, FiniFunction /*fini*/,
                                                 FiniFunction rtld_fini, void* stack_end) {
  set_stack_guard(argv);
  return libc_start_main_2_4(main_function, argc, argv, run_initialisers, nullptr, rtld_fini,
                             stack_end);
}

}  // extern "C"
// NOLINTEND(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
