// What triple_import stores but is most likely a mistake, in the words of a finding: blanks and
// invisible characters in a field, quotes and brackets stored with it, a fourth field, text after
// the ']' and a field 3 that runs to the end of its line.
#ifndef TRIPLE_IMPORT_DOUBTS_H
#define TRIPLE_IMPORT_DOUBTS_H

#include "findings.h"
#include "triple_file.h"

// The findings for the device `triple`, read from `chunk` with the verdict `verdict`; `hidden` is
// what comment_hidden_by says of the line's start. What follows field 3 is judged only where
// `whole_line` says the read holds all of its line.
void report_doubts(Findings* findings, const LineChunk& chunk, const LineVerdict& verdict,
                   const DeviceTriple& triple, const char* hidden, bool whole_line);

#endif
