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
#include "old_glibc_start.h"

// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp): these are the names
// that the start files and the linker use.
extern "C" {

// Laid out by the linker and the start files in this executable.
extern const InitFunction __init_array_start[] __attribute__((visibility("hidden")));
extern const InitFunction __init_array_end[] __attribute__((visibility("hidden")));
void _init() __attribute__((visibility("hidden")));

int libc_start_main_2_4(MainFunction main_function, int argc, char** argv, InitFunction init,
                        FiniFunction fini, FiniFunction rtld_fini, void* stack_end);
__asm__(".symver libc_start_main_2_4, __libc_start_main@GLIBC_2.4");

static void run_initialisers(int argc, char** argv, char** envp) {
  _init();
  for (const InitFunction* init = __init_array_start; init != __init_array_end; ++init)
    (*init)(argc, argv, envp);
}

// Whatever init and fini the start files pass (null since 2.34, the libc_nonshared.a pair
// before) are replaced: run_initialisers does the former's work, and the latter had none left
// in a dynamically linked executable.
int __wrap___libc_start_main(MainFunction main_function, int argc, char** argv,
                             InitFunction /*init*/, FiniFunction /*fini*/, FiniFunction rtld_fini,
                             void* stack_end) {
  return libc_start_main_2_4(main_function, argc, argv, run_initialisers, nullptr, rtld_fini,
                             stack_end);
}

}  // extern "C"
// NOLINTEND(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
