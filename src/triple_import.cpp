// triple_import: stores the device triples of a file in the gateway's configuration manager.
#include "triple_import.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "import_command.h"
#include "triple_file.h"

namespace {

constexpr int kStatusFailure = 255;

struct ImportRun {
  ImportCommand* command;
  unsigned long long accepted;  // as wide as the line number, which bounds it
};

// The name the tool was run by; an empty argument vector (which Linux turns into one empty
// argument) leaves none.
const char* program_name(int argc, char* argv[]) {
  return argc > 0 && argv[0][0] != '\0' ? argv[0] : "triple_import";
}

// The one allocation of a run. It is never released: the end of the process reclaims it on every
// way out.
char* obtain_command_buffer() {
  return static_cast<char*>(std::malloc(kCommandBufferSize));
}

void count_and_append(const DeviceTriple& triple, void* context) {
  ImportRun* run = static_cast<ImportRun*>(context);
  ++run->accepted;
  append_device_entry(run->command, triple);
}

}  // namespace

int get_current_dir(char* dir) {
  static int lookup_pending = 1;
  static char cached[kDirSize + 1];
  if (!dir) return -1;
  if (lookup_pending == 1) {
    const ssize_t length = readlink("/proc/self/exe", cached, kDirSize);
    if (length < 1 || length > static_cast<ssize_t>(kDirSize)) {
      std::puts("readlink /proc/self/exe failed.");
      return -1;
    }
    cached[length] = '\0';
    char* slash = std::strrchr(cached, '/');
    if (slash) *slash = '\0';
    lookup_pending = 0;
  }
  std::memcpy(dir, cached, std::strlen(cached) + 1);
  return 0;
}

int main(int argc, char* argv[]) {
  char dir[kDirSize] = {};
  DeviceTriple triple = {};
  ImportCommand command = {};
  unsigned long long line_number = 0;

  if (argc != 2) {
    std::printf("Usage: %s devices_triple.txt\n", program_name(argc, argv));
    return 0;
  }
  char* buffer = obtain_command_buffer();
  if (!buffer) {
    std::puts("cmd malloc 2MB failed.");
    return kStatusFailure;
  }
  if (get_current_dir(dir) != 0) return kStatusFailure;  // NOLINT(clang-analyzer-unix.Malloc)
  std::printf("Current Dir = %s \n", dir);

  // Close-on-exec: the shell and dbus-send have no business with the file.
  std::FILE* file = std::fopen(argv[1], "re");
  if (!file) {
    std::printf("%s: Unable to open %s", program_name(argc, argv), argv[1]);
    return kStatusFailure;
  }
  start_import_command(&command, buffer);
  ImportRun run = {&command, 0};
  const int read_status = read_triple_file(file, &line_number, &triple, count_and_append, &run);
  std::printf("Find %llu items.\n", run.accepted);
  // A partial list is never sent: the key's value is replaced whole and would lose devices.
  if (read_status != 0 || run.accepted == 0) return kStatusFailure;

  close_device_list(&command);
  if (command.length > kCommandMaxLength) {
    std::printf("Device list too large: %llu bytes, at most %zu.\n", command.length,
                kCommandMaxLength);
    return kStatusFailure;
  }
  const int status = run_import_command(command);
  if (status != 0) {
    std::printf("Import command failed: status %d\n", status);
    return kStatusFailure;
  }
  (void)std::fclose(file);  // read only: nothing to lose
  return 0;
}
