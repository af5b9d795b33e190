// What of a text shows: the characters that are stored or printed but show nothing or move what
// follows, and file names printed so that none of their bytes acts on the line or the terminal.
#ifndef TRIPLE_IMPORT_VISIBLE_TEXT_H
#define TRIPLE_IMPORT_VISIBLE_TEXT_H

#include <cstdio>

enum CharacterKind {
  kShows,
  kControlByte,  // below U+0020, and DEL
  kC1Control,    // U+0080 to U+009F
  kBidiControl,  // the embeddings, overrides and isolates, which reorder what follows them
  kInvisible,    // the rest of Unicode 15.1's Default_Ignorable_Code_Point, less ZWNJ and ZWJ
};

CharacterKind character_kind(unsigned long code);

// Writes the file name `name` to `out` so that none of its bytes can end the line or reach a
// terminal as a control: it is not the program's own text, and a line break in it would forge a
// finding.
void print_name(std::FILE* out, const char* name);

#endif
