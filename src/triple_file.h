// Reading a triple file: one device triple per line, written as [field1,field2,field3].
#ifndef TRIPLE_IMPORT_TRIPLE_FILE_H
#define TRIPLE_IMPORT_TRIPLE_FILE_H

#include <cstddef>
#include <cstdio>

// One read takes at most 511 bytes; a longer line is handled as several lines.
constexpr std::size_t kChunkSize = 512;
// A field holds at most 255 bytes and its terminator.
constexpr std::size_t kFieldSize = 256;
constexpr std::size_t kFieldCount = 3;

struct DeviceTriple {
  char field[kFieldCount][kFieldSize];
};

enum LineOutcome { kComment, kFormatError, kTripleError, kDeviceTriple };

// One read of the file. `text` is terminated; `ends_line` is false when the visible text stops
// before the end of its line: the read was cut at the chunk size, or a NUL byte hides the rest.
struct LineChunk {
  const char* text;
  bool ends_line;
};

// Classifies one read, prints its message and, for a device triple, fills `triple`.
LineOutcome parse_triple_line(const LineChunk& chunk, unsigned long long line_number,
                              DeviceTriple* triple);

typedef void (*TripleSink)(const DeviceTriple& triple, void* context);

// Reads the whole file, handing every device triple to `sink` in file order. The line number is
// 64 bits wide: a file streamed through a pipe has no size that would bound an int.
// Returns 0 at the end of the file and -1 after a read error, which it reports.
int read_triple_file(std::FILE* file, unsigned long long* line_number, DeviceTriple* triple,
                     TripleSink sink, void* context);

#endif
