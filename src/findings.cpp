#include "findings.h"

#include <cstdarg>
#include <cstdio>

#include "visible_text.h"

namespace {

void count(Findings* findings, FindingKind kind) {
  if (kind == kError)
    ++findings->errors;
  else
    ++findings->warnings;
}

}  // namespace

const char* plural(unsigned long long count) {
  return count == 1 ? "" : "s";
}

// NOLINTNEXTLINE(cert-dcl50-cpp): printf's formats, as every message of the tool's
void finding(Findings* findings, FindingKind kind, const char* format, ...) {
  print_name(stdout, findings->name);
  std::printf(":%llu: %s: ", findings->line, kind == kError ? "error" : "warning");
  va_list args;
  va_start(args, format);
  (void)std::vprintf(format, args);  // NOLINT(clang-analyzer-valist.Uninitialized): va_start'ed
  va_end(args);
  if (findings->tool_line != 0 && findings->tool_line != findings->line)
    std::printf(" (triple_import's line %llu)", findings->tool_line);
  std::putchar('\n');
  count(findings, kind);
}

// NOLINTNEXTLINE(cert-dcl50-cpp): printf's formats, as every message of the tool's
void file_finding(Findings* findings, const char* format, ...) {
  print_name(stdout, findings->name);
  std::printf(": error: ");
  va_list args;
  va_start(args, format);
  (void)std::vprintf(format, args);  // NOLINT(clang-analyzer-valist.Uninitialized): va_start'ed
  va_end(args);
  count(findings, kError);
}
