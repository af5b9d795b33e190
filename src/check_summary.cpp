#include "check_summary.h"

#include <cstdio>

#include "visible_text.h"

void summarise(Findings* findings, CheckCounts* counts, ImportCommand* command,
               unsigned long long search_stopped_at) {
  if (counts->devices > 0) close_device_list(command);
  const bool too_large = command->length > kCommandMaxLength;
  if (counts->devices == 0) {
    file_finding(findings, "no device triple: triple_import would send nothing\n");
  } else if (too_large) {
    file_finding(findings,
                 "the import command would take %llu bytes, %llu more than the %zu that one "
                 "import carries: triple_import would refuse the whole list",
                 command->length, command->length - kCommandMaxLength, kCommandMaxLength);
    if (search_stopped_at != 0)
      std::printf("; the search for duplicates stopped at line %llu", search_stopped_at);
    std::putchar('\n');
  }
  print_name(stdout, findings->name);
  std::printf(": %llu device%s, %llu refused line%s, %llu warning%s", counts->devices,
              plural(counts->devices), counts->refused, plural(counts->refused), findings->warnings,
              plural(findings->warnings));
  if (counts->devices > 0 && !too_large) {
    // The entries, each with its comma: the closing "]'" takes the last comma's place.
    const unsigned long long entries = command->length - kCommandPrefixLength - 1;
    const unsigned long long width = (entries + counts->devices - 1) / counts->devices;
    std::printf(
        "; the import command takes %llu of %zu bytes, room for about %llu more devices "
        "of this file's average width",
        command->length, kCommandMaxLength, (kCommandMaxLength - command->length) / width);
  }
  std::putchar('\n');
  counts->errors = findings->errors;
  counts->warnings = findings->warnings;
}
