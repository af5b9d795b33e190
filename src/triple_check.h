// triple_check: reads triple files exactly as triple_import does and says, line by line, why a
// line would be refused and what would be stored that is most likely a mistake.
#ifndef TRIPLE_IMPORT_TRIPLE_CHECK_H
#define TRIPLE_IMPORT_TRIPLE_CHECK_H

#include <cstdio>

// What one file gave: the devices that triple_import would send, the lines it would refuse, the
// warnings, and the file-wide errors (no device, a list too large for one import).
struct CheckCounts {
  unsigned long long devices;
  unsigned long long refused;
  unsigned long long warnings;
  unsigned long long file_errors;
};

// Checks the open file `file`, named `name` in the findings, which it prints on standard output
// with the summary. `command_buffer` holds the import command's 2 MiB. Returns 0, or -1 after a
// read error, which it leaves to the caller.
int check_triple_file(std::FILE* file, const char* name, char* command_buffer, CheckCounts* counts);

#endif
