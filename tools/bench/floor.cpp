// The floor for a whole run: what any tool with the same job cannot avoid. It reads the triple
// file, writes the messages that the tool prints for it, and hands the shell the import command
// that the tool makes of it; messages and command are read from files, made beforehand. Only the
// command is held whole, as the shell is given it in one piece.
// Usage: floor TRIPLE_FILE MESSAGES_FILE COMMAND_FILE
#include <cstdio>
#include <cstdlib>

namespace {

// Reads a file through one block, writing it to `out` unless that is null.
bool stream(const char* path, std::FILE* out) {
  static char block[4096];
  std::FILE* file = std::fopen(path, "r");
  if (!file) return false;
  for (std::size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;)
    if (out) std::fwrite(block, 1, got, out);
  std::fclose(file);
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 4 || !stream(argv[1], nullptr) || !stream(argv[2], stdout)) return 2;
  std::fflush(stdout);
  std::FILE* file = std::fopen(argv[3], "r");
  constexpr std::size_t kMaxCommand = 131071;
  char* command = static_cast<char*>(std::malloc(kMaxCommand + 1));
  if (!file || !command) return 1;
  command[std::fread(command, 1, kMaxCommand, file)] = '\0';
  std::fclose(file);
  return std::system(command) == 0 ? 0 : 1;
}
