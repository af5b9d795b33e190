// Why triple_import refuses a line, in the words of a finding: the cause and where it lies, with
// the mistakes that most often make it (another separator, a comment that is not one, a file cut
// short, a NUL byte).
#ifndef TRIPLE_IMPORT_REFUSALS_H
#define TRIPLE_IMPORT_REFUSALS_H

#include "findings.h"
#include "triple_file.h"

// Whether `text` is a line break alone, "\n" or "\r\n".
bool is_line_end(const char* text);

// Whether `text` starts with UTF-8's byte-order mark.
bool starts_with_byte_order_mark(const char* text);

// What stands before a '#' at the start of the line and so keeps it from being a comment, as the
// subject of a sentence; null where nothing does.
const char* comment_hidden_by(const char* text);

// The finding for the refused line `chunk`, read whole, whose verdict is `verdict`; `hidden` is
// what comment_hidden_by says of it.
void report_refusal(Findings* findings, const LineChunk& chunk, const LineVerdict& verdict,
                    const char* hidden);

#endif
