#include "file_lines.h"

void start_lines(FileLines* lines) {
  *lines = FileLines();
  lines->ended = true;
}

void count_read(FileLines* lines, unsigned long long read, const LineChunk& chunk) {
  if (lines->ended) {
    ++lines->line;
    lines->piece = 1;
    lines->first_read = read;
    lines->bytes = 0;
  } else {
    ++lines->piece;
  }
  lines->bytes += chunk.length;
  lines->ended = chunk.ends_line;
}
