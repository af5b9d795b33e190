// The floor for a whole run: what any tool with the same job cannot avoid. It reads the file and
// hands a command of the given length to the shell, doing nothing else.
// Usage: floor FILE COMMAND_LENGTH
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char* argv[]) {
  if (argc != 3) return 2;
  std::FILE* file = std::fopen(argv[1], "r");
  if (!file) return 1;
  static char block[4096];
  while (std::fread(block, 1, sizeof block, file) == sizeof block) {
  }
  std::fclose(file);
  const std::size_t length = std::strtoul(argv[2], nullptr, 10);
  static const char kStart[] = "dbus-send ";
  if (length < sizeof kStart || length > 131071) return 2;
  char* command = static_cast<char*>(std::malloc(length + 1));
  std::memcpy(command, kStart, sizeof kStart - 1);
  std::memset(command + sizeof kStart - 1, 'x', length - (sizeof kStart - 1));
  command[length] = '\0';
  return std::system(command) == 0 ? 0 : 1;
}
