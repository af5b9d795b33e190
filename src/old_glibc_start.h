// Start-up of the gateway binary that loads on C libraries older than glibc 2.34.
#ifndef TRIPLE_IMPORT_OLD_GLIBC_START_H
#define TRIPLE_IMPORT_OLD_GLIBC_START_H

// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp): the start files' names.
extern "C" {

typedef int (*MainFunction)(int, char**, char**);
typedef void (*InitFunction)(int, char**, char**);
typedef void (*FiniFunction)();

// Where the start files' call of __libc_start_main arrives when the link wraps it
// (--wrap=__libc_start_main). Forwards to the GLIBC_2.4 version, which every armhf glibc has,
// with an init function that runs the executable's initialisers, once it has set the stack
// protector's guard.
int __wrap___libc_start_main(MainFunction main_function, int argc, char** argv, InitFunction init,
                             FiniFunction fini, FiniFunction rtld_fini, void* stack_end);

}  // extern "C"
// NOLINTEND(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)

#endif
