// One triple file checked as triple_import reads it, with the very code of triple_import (the
// reads, their numbers, the classification and the import command's size): why a line would be
// refused and what would be stored that is most likely a mistake, one finding a line on standard
// output in the form that editors and CI read (FILE:LINE: error: ... / warning: ...), then the
// file's summary. Fields, often device secrets, are never printed: a finding names the field, its
// length and at most the one byte or character at fault.
#ifndef TRIPLE_IMPORT_FILE_CHECK_H
#define TRIPLE_IMPORT_FILE_CHECK_H

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

// Writes the file name `name` to `out` so that none of its bytes can end the line or reach a
// terminal as a control: it is not the program's own text, and a line break in it would forge a
// finding.
void print_name(std::FILE* out, const char* name);

#endif
