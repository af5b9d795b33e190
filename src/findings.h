// The wording of triple_check's findings, one a line on standard output in the form that editors
// and CI read: FILE:LINE: error: TEXT, or warning:, LINE being the file's own line, as an editor
// counts it, with triple_import's number of the read where that is another.
#ifndef TRIPLE_IMPORT_FINDINGS_H
#define TRIPLE_IMPORT_FINDINGS_H

enum FindingKind { kError, kWarning };

struct Findings {
  const char* name;              // of the file, printed with print_name
  unsigned long long line;       // the file's line that the next findings are about
  unsigned long long tool_line;  // triple_import's number for it, said where it differs; 0: none
  unsigned long long errors;
  unsigned long long warnings;
};

// One finding about the current line, in printf's notation.
void finding(Findings* findings, FindingKind kind, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// "" for one, "s" for any other count.
const char* plural(unsigned long long count);

// One finding about the whole file: FILE: error: TEXT, without a line break.
void file_finding(Findings* findings, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

#endif
