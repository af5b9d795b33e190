// triple_check [--] FILE...: a pre-flight check of triple files, each checked as triple_import
// reads it (file_check.h). It sends nothing and runs no shell. Findings go to standard output; the
// program's own failures, lost output among them, to standard error, with status 2.
#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "file_check.h"
#include "import_command.h"
#include "visible_text.h"

namespace {

constexpr int kStatusClean = 0;
constexpr int kStatusFindings = 1;
constexpr int kStatusTrouble = 2;
const char kUsage[] =
    "usage: triple_check [--] FILE...\n       triple_check -h | --help | --version\n";
const char kStandardInput[] = "(standard input)";

// The program's own failures: standard output first, so that 2>&1 keeps the order.
// NOLINTNEXTLINE(cert-dcl50-cpp): printf's formats, as every message of the tool's
void complain(const char* name, const char* format, ...) {
  (void)std::fflush(stdout);
  (void)std::fputs("triple_check: ", stderr);
  if (name) {
    print_name(stderr, name);
    (void)std::fputs(": ", stderr);
  }
  va_list args;
  va_start(args, format);
  (void)std::vfprintf(stderr, format, args);  // NOLINT(clang-analyzer-valist.Uninitialized)
  va_end(args);
  (void)std::fputc('\n', stderr);
}

// Every byte that was to be written must have been: findings lost to a full disk or a closed
// standard output would pass for a clean file.
int finish(int status) {
  const bool lost = std::fflush(stdout) != 0 || std::ferror(stdout);
  const int error = errno;
  const bool unclosed = std::fclose(stdout) != 0;
  if (!lost && !unclosed) return status;
  (void)std::fprintf(stderr, "triple_check: standard output: %s\n",
                     std::strerror(lost ? error : errno));
  return kStatusTrouble;
}

}  // namespace

int main(int argc, char* argv[]) {
  int first = 1;
  for (; first < argc; ++first) {
    const char* option = argv[first];
    if (option[0] != '-' || option[1] == '\0') break;  // a file, or '-' for standard input
    if (std::strcmp(option, "--") == 0) {
      ++first;
      break;
    }
    if (std::strcmp(option, "-h") == 0 || std::strcmp(option, "--help") == 0) {
      (void)std::fputs(kUsage, stdout);
      (void)std::fputs("Checks triple files as triple_import reads them; '-' is standard input.\n",
                       stdout);
      return finish(kStatusClean);
    }
    if (std::strcmp(option, "--version") == 0) {
      std::printf("triple_check %s\n", TRIPLE_IMPORT_VERSION);
      return finish(kStatusClean);
    }
    // An option is a name of the caller's too: `triple_check *.txt` may pass any file's name.
    (void)std::fputs("triple_check: unknown option: ", stderr);
    print_name(stderr, option);
    (void)std::fputc('\n', stderr);
    (void)std::fputs(kUsage, stderr);
    return kStatusTrouble;
  }
  if (first == argc) {
    (void)std::fputs(kUsage, stderr);
    return kStatusTrouble;
  }
  char* buffer = static_cast<char*>(std::malloc(kCommandBufferSize));
  if (!buffer) {
    complain(nullptr, "no memory for the import command");
    return kStatusTrouble;
  }
  int status = kStatusClean;
  for (int i = first; i < argc; ++i) {
    const bool standard_input = std::strcmp(argv[i], "-") == 0;
    const char* name = standard_input ? kStandardInput : argv[i];
    std::FILE* file = standard_input ? stdin : std::fopen(argv[i], "re");
    if (!file) {
      complain(name, "%s", std::strerror(errno));
      status = kStatusTrouble;
      continue;
    }
    CheckCounts counts;
    const int error = check_triple_file(file, name, buffer, &counts);
    if (error != 0) {
      complain(name, "read error at line %llu: %s", counts.lines, std::strerror(error));
      status = kStatusTrouble;
    } else if (status == kStatusClean && counts.errors + counts.warnings > 0) {
      status = kStatusFindings;
    }
    if (!standard_input) (void)std::fclose(file);
  }
  std::free(buffer);
  return finish(status);
}
