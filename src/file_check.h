// One triple file checked as triple_import reads it, with the very code of triple_import (the
// reads, their numbers, the classification and the import command's size): why a line would be
// refused and what would be stored that is most likely a mistake, one finding a line on standard
// output (findings.h), then the file's summary (check_summary.h). Fields, often device secrets,
// are never printed: a finding names the field, its length and at most the one byte or character
// at fault.
#ifndef TRIPLE_IMPORT_FILE_CHECK_H
#define TRIPLE_IMPORT_FILE_CHECK_H

#include <cstdio>

#include "check_summary.h"

// Checks the open file `file`, named `name` in the findings. `command_buffer` holds the import
// command's 2 MiB. Returns 0, or the errno of a read error at triple_import's line
// `counts->lines`, which it leaves to the caller; then no summary is printed.
int check_triple_file(std::FILE* file, const char* name, char* command_buffer, CheckCounts* counts);

#endif
