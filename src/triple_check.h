// triple_check: reads triple files exactly as triple_import does and says, line by line, why a
// line would be refused and what would be stored that is most likely a mistake.
#ifndef TRIPLE_IMPORT_TRIPLE_CHECK_H
#define TRIPLE_IMPORT_TRIPLE_CHECK_H

#include <cstdio>

// What one file gave: the devices that triple_import would send, the lines it would refuse, the
// warnings, the file-wide errors (UTF-16, no device, a list too large for one import), and the
// reads as the tool numbers them.
struct CheckCounts {
  unsigned long long devices;
  unsigned long long refused;
  unsigned long long warnings;
  unsigned long long file_errors;
  unsigned long long lines;
};

// Checks the open file `file`, named `name` in the findings, which it prints on standard output
// with the summary. `command_buffer` holds the import command's 2 MiB. Returns 0, or the errno of
// a read error at read `counts->lines`, which it leaves to the caller; then no summary is printed.
int check_triple_file(std::FILE* file, const char* name, char* command_buffer, CheckCounts* counts);

#endif
