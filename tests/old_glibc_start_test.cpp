// The gateway's start-up hands the executable's initialisers their arguments and runs them
// before main, on the old C library and on today's alike. The tool itself has no initialiser
// whose absence would show, so this program stands in for it: exit status 0 only when its
// constructor ran first with the same arguments as main.
#include <cstring>

namespace {

int seen_argc = -1;
char** seen_argv = nullptr;

__attribute__((constructor)) void record(int argc, char** argv, char**) {
  seen_argc = argc;
  seen_argv = argv;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (seen_argc != argc || seen_argv != argv) return 1;
  return argc == 2 && std::strcmp(argv[1], "start") == 0 ? 0 : 2;
}
