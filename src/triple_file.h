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

// Why a line is refused: kNoBracket makes a format error, the others a triple error.
enum LineCause {
  kNoCause,
  kNoBracket,
  kMissingField,  // the line ends before `field`'s ',' (fields 1 and 2) or before field 3
  kEmptyField,    // `field` has no byte
  kFieldTooLong,  // `field` has `length` bytes, more than a field holds
  kFieldCut,      // field 3, without ']', runs into the end of the read or a NUL byte
  kNotUtf8,       // `field` is not UTF-8 from its byte `offset` on
  kNoncharacter,  // `field` holds the noncharacter `code_point` at byte `offset`
};

struct LineVerdict {
  LineOutcome outcome;
  LineCause cause;
  std::size_t field;   // 0, 1 or 2
  std::size_t offset;  // in the field
  std::size_t length;  // of the field
  unsigned long code_point;
  std::size_t start;  // where the field begins in the read
  std::size_t end;    // for a device: where what follows field 3's ']', if any, begins
};

// One read of the file. `text` is terminated and holds the `length` bytes read, NUL bytes from the
// file included; what the C library's string functions, and so the tool, see of it are the
// `visible` bytes before the first NUL. `ends_line` is true where the read holds the rest of its
// line: it ends in a line break, or the file ends with it.
struct LineChunk {
  const char* text;
  std::size_t length;
  std::size_t visible;
  bool ends_line;
};

// Classifies one read without a word and, for a device triple, fills `triple`.
LineVerdict classify_triple_line(const LineChunk& chunk, DeviceTriple* triple);

// Classifies one read, prints its message and, for a device triple, fills `triple`.
LineOutcome parse_triple_line(const LineChunk& chunk, unsigned long long line_number,
                              DeviceTriple* triple);

// Pulls a file's reads one at a time, numbering them as the tool does. The line number is 64
// bits wide: a file streamed through a pipe has no size that would bound an int.
struct ChunkReader {
  std::FILE* file;
  unsigned long long line_number;     // of the last read tried
  int error;                          // 0, or the errno of the read error that ends the reading
  alignas(64) char text[kChunkSize];  // whole vectors for the string functions from its start
};

// Reads the next line, or the next 511 bytes of a longer one, into `chunk`, which stays valid until
// the next call. Returns false at the end of the file or at a read error, which ends the reading
// for good, even one that would clear again: the read it struck is not handed out. The look one
// byte past a full 511-byte read is a read of its own: where it fails, the read before it is
// handed out whole, as one that does not end its line, and the error is the next line's.
bool next_chunk(ChunkReader* reader, LineChunk* chunk);

// The UTF-8 sequence at the start of `text`: its length, 1 to 4, with its value in `code_point`;
// 0 where the bytes are no valid UTF-8 (an overlong form, a surrogate, past U+10FFFF, cut short).
std::size_t utf8_sequence(const unsigned char* text, std::size_t length, unsigned long* code_point);

typedef void (*TripleSink)(const DeviceTriple& triple, void* context);

// Reads the whole file, printing every line's message and handing every device triple to `sink`
// in file order. Returns 0 at the end of the file and -1 after a read error, which it reports.
int read_triple_file(std::FILE* file, unsigned long long* line_number, DeviceTriple* triple,
                     TripleSink sink, void* context);

#endif
