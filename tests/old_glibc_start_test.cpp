// The gateway's start-up hands the executable's initialisers their arguments and runs them
// before main, on the old C library and on today's alike, and gives the stack protector a random
// guard of the executable's own. The tool itself has no initialiser whose absence would show, nor
// a buffer that overruns, so this program, built as the tool is, stands in for it:
//   start  exit status 0 only when its constructor ran first with the same arguments as main;
//   smash  overruns a buffer on its stack, which the C library must end ("stack smashing");
//   guard  prints the guard.
#include <cstdint>
#include <cstdio>
#include <cstring>

// NOLINTNEXTLINE(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp): the start-up's guard.
extern "C" std::uintptr_t __stack_chk_guard;

namespace {

int seen_argc = -1;
char** seen_argv = nullptr;

__attribute__((constructor)) void record(int argc, char** argv, char**) {
  seen_argc = argc;
  seen_argv = argv;
}

// Writes `count` bytes into an area of 16, as a parse with a wrong bound would.
__attribute__((noinline)) int overrun(int count) {
  char area[16];
  volatile char* p = area;
  for (int i = 0; i < count; ++i) p[i] = 'x';
  return p[0];
}

}  // namespace

int main(int argc, char* argv[]) {
  if (seen_argc != argc || seen_argv != argv || argc != 2) return 1;
  if (std::strcmp(argv[1], "start") == 0) return 0;
  if (std::strcmp(argv[1], "smash") == 0) {
    overrun(argc + 62);
    std::puts("the overrun went unnoticed");
    return 3;
  }
  if (std::strcmp(argv[1], "guard") == 0) {
    std::printf("%08lx\n", static_cast<unsigned long>(__stack_chk_guard));
    return 0;
  }
  return 2;
}
