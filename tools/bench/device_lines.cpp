// Writes COUNT typical device lines to standard output, the files that scripts/benchmark runs on;
// with --command, the import command that the tool makes of them instead.
// Usage: device_lines [--command] COUNT
#include "device_lines.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "gateway_bus.h"

int main(int argc, char* argv[]) {
  const bool command = argc == 3 && std::strcmp(argv[1], "--command") == 0;
  if (argc != 2 && !command) return 2;
  const int count = std::atoi(argv[argc - 1]);
  std::string out = command ? import_command_prefix() : "";
  for (int i = 0; i < count; ++i) {
    if (!command) {
      out += device_line(i);
      continue;
    }
    const std::array<std::string, 3> triple = device_triple(i);
    out += std::string(i ? "," : "") + "[\"" + triple[0] + "\",\"" + triple[1] + "\",\"" +
           triple[2] + "\"]";
  }
  if (command) out += "]'";
  std::fputs(out.c_str(), stdout);
  return 0;
}
