// The lines of a file as an editor numbers them, by their line feeds, against triple_import's
// reads: a line of more than 511 bytes with its line break is several reads, each a line of the
// tool's own. A carriage return alone ends no line, for the tool and here alike.
#ifndef TRIPLE_IMPORT_FILE_LINES_H
#define TRIPLE_IMPORT_FILE_LINES_H

#include "triple_file.h"

struct FileLines {
  unsigned long long line;        // the file's line of the last read, from 1
  unsigned long long piece;       // which read of that line, from 1
  unsigned long long first_read;  // triple_import's number of the line's first read
  unsigned long long bytes;       // of the line so far, its line break included
  bool ended;                     // the last read ended its line
};

// Before the first read.
void start_lines(FileLines* lines);

// Counts the read `chunk`, triple_import's line `read`.
void count_read(FileLines* lines, unsigned long long read, const LineChunk& chunk);

#endif
