#include "triple_file.h"

#include <cstring>

namespace {

// D-Bus carries only valid UTF-8 and JSON text is UTF-8, so a field with any other byte sequence
// could never be stored. Such a line is refused here, under its own number.
bool is_valid_utf8(const unsigned char* text, std::size_t length) {
  std::size_t i = 0;
  while (i < length) {
    const unsigned lead = text[i];
    if (lead < 0x80) {
      ++i;
      continue;
    }
    std::size_t extra;
    unsigned code;
    unsigned least;
    if ((lead & 0xE0) == 0xC0) {
      extra = 1, code = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, code = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3, code = lead & 0x07, least = 0x10000;
    } else {
      return false;
    }
    if (length - i <= extra) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      const unsigned next = text[i + k];
      if ((next & 0xC0) != 0x80) return false;
      code = code << 6 | (next & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

// Splits what follows the first '[': fields 1 and 2 end at ',', field 3 at ']'. Nothing is
// trimmed; blanks belong to the fields. Fills `triple` only when all three fields are sound.
bool split_fields(const char* rest, bool ends_line, DeviceTriple* triple) {
  const char* begin[kFieldCount];
  std::size_t length[kFieldCount];
  const char* p = rest;
  for (std::size_t i = 0; i < kFieldCount - 1; ++i) {
    const char* end = p + std::strcspn(p, ",");
    if (*end != ',') return false;
    begin[i] = p;
    length[i] = static_cast<std::size_t>(end - p);
    p = end + 1;
  }
  const char* end = p + std::strcspn(p, "]");
  if (*end != ']') {
    // Without its ']' field 3 runs to the end of the read, which must then be the end of the
    // line, or the field would be cut short. The line end itself is not part of the field.
    if (!ends_line) return false;
    if (end > p && end[-1] == '\n') --end;
    if (end > p && end[-1] == '\r' && end[0] == '\n') --end;
  }
  begin[2] = p;
  length[2] = static_cast<std::size_t>(end - p);

  for (std::size_t i = 0; i < kFieldCount; ++i) {
    if (length[i] == 0 || length[i] >= kFieldSize) return false;
    if (!is_valid_utf8(reinterpret_cast<const unsigned char*>(begin[i]), length[i])) return false;
  }
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    std::memcpy(triple->field[i], begin[i], length[i]);
    triple->field[i][length[i]] = '\0';
  }
  return true;
}

// Reads like fgets and returns how many bytes were stored, 0 when nothing could be read.
std::size_t read_chunk(std::FILE* file, char* chunk) {
  // fgets does not say how much it stored, and a NUL byte from the file would hide the rest
  // from strlen. With the area filled with a non-NUL byte first, the terminator that fgets
  // writes is the last NUL in the area.
  std::memset(chunk, '\n', kChunkSize);
  if (!std::fgets(chunk, static_cast<int>(kChunkSize), file)) return 0;
  return static_cast<std::size_t>(static_cast<const char*>(memrchr(chunk, '\0', kChunkSize)) -
                                  chunk);
}

// A read that filled the whole chunk leaves open whether the file goes on: look at the next byte.
bool at_end_of_file(std::FILE* file) {
  const int next = std::getc(file);
  if (next == EOF) return std::feof(file) != 0;
  std::ungetc(next, file);
  return false;
}

}  // namespace

LineOutcome parse_triple_line(const LineChunk& chunk, int line_number, DeviceTriple* triple) {
  const char* text = chunk.text;
  if (text[0] == '#') return kComment;
  const char* open = std::strchr(text, '[');
  if (!open) {
    std::printf("Line %d format error: %s \n", line_number, text);
    return kFormatError;
  }
  if (!split_fields(open + 1, chunk.ends_line, triple)) {
    std::printf("Line %d: get triple error: %s \n", line_number, text);
    return kTripleError;
  }
  std::printf("Import device: [%s %s %s] \n", triple->field[0], triple->field[1], triple->field[2]);
  return kDeviceTriple;
}

int read_triple_file(std::FILE* file, int* line_number, DeviceTriple* triple, TripleSink sink,
                     void* context) {
  char chunk[kChunkSize];
  while (!std::feof(file)) {
    ++*line_number;
    const std::size_t length = read_chunk(file, chunk);
    if (length == 0) {
      if (!std::ferror(file)) break;
      std::printf("Line %d read error.\n", *line_number);
      return -1;
    }
    LineChunk line;
    line.text = chunk;
    line.ends_line =
        std::strlen(chunk) == length && (chunk[length - 1] == '\n' || at_end_of_file(file));
    if (parse_triple_line(line, *line_number, triple) == kDeviceTriple) sink(*triple, context);
  }
  return 0;
}
