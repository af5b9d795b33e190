#include "triple_file.h"

#include <cstdint>
#include <cstring>

namespace {

// The file is read in blocks of this size.
constexpr std::size_t kBlockSize = 4096;

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

// ASCII, the usual case, is checked eight bytes at a time, the last eight overlapping the ones
// before where the length is not a multiple of eight.
bool is_ascii(const char* text, std::size_t length) {
  std::uint64_t any = 0;
  std::uint64_t word;
  if (length < sizeof word) {
    for (std::size_t i = 0; i < length; ++i) any |= static_cast<unsigned char>(text[i]);
    return (any & 0x80) == 0;
  }
  for (std::size_t i = 0; i + sizeof word < length; i += sizeof word) {
    std::memcpy(&word, text + i, sizeof word);
    any |= word;
  }
  std::memcpy(&word, text + length - sizeof word, sizeof word);
  return ((any | word) & 0x8080808080808080U) == 0;
}

// Splits what follows the first '[': fields 1 and 2 end at ',', field 3 at ']'. Nothing is
// trimmed; blanks belong to the fields. Fills `triple` only when all three fields are sound.
bool split_fields(const char* rest, bool ends_line, DeviceTriple* triple) {
  const char* begin[kFieldCount];
  std::size_t length[kFieldCount];
  const char* p = rest;
  for (std::size_t i = 0; i < kFieldCount - 1; ++i) {
    const char* end = strchrnul(p, ',');
    if (*end != ',') return false;
    begin[i] = p;
    length[i] = static_cast<std::size_t>(end - p);
    p = end + 1;
  }
  const char* end = strchrnul(p, ']');
  if (*end != ']') {
    // Without its ']' field 3 runs to the end of the read, which must then be the end of the
    // line, or the field would be cut short. The line end itself is not part of the field.
    if (!ends_line) return false;
    if (end > p && end[-1] == '\n') --end;
    if (end > p && end[-1] == '\r' && end[0] == '\n') --end;
  }
  begin[2] = p;
  length[2] = static_cast<std::size_t>(end - p);

  for (std::size_t i = 0; i < kFieldCount; ++i)
    if (length[i] == 0 || length[i] >= kFieldSize) return false;
  // The commas between the fields are characters of their own, so the fields are valid UTF-8
  // exactly when all of them together are.
  const std::size_t span = static_cast<std::size_t>(end - begin[0]);
  if (!is_ascii(begin[0], span) &&
      !is_valid_utf8(reinterpret_cast<const unsigned char*>(begin[0]), span))
    return false;
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    std::memcpy(triple->field[i], begin[i], length[i]);
    triple->field[i][length[i]] = '\0';
    triple->length[i] = length[i];
  }
  return true;
}

// The file, taken in blocks and handed out one read at a time.
struct Reader {
  std::FILE* file;
  std::size_t start;  // first byte not handed out yet
  std::size_t end;    // end of the bytes in the block
  bool drained;       // the file has nothing more to give: its end, or a read error
  bool hit_end;       // a read stopped at the end of the file, as fgets would find it
  char block[kBlockSize];
};

// Makes sure that the block holds a whole read and the byte after it, as far as the file has them.
void top_up(Reader* reader) {
  if (reader->drained || reader->end - reader->start >= kChunkSize) return;
  reader->end -= reader->start;
  std::memmove(reader->block, reader->block + reader->start, reader->end);
  reader->start = 0;
  const std::size_t wanted = kBlockSize - reader->end;
  const std::size_t got = std::fread(reader->block + reader->end, 1, wanted, reader->file);
  reader->end += got;
  reader->drained = got < wanted;
}

// Copies the next read to `area` as fgets would make it: at most 511 bytes, up to and including
// the next line break. Returns its length, 0 when nothing is left.
std::size_t next_read(Reader* reader, char* area, LineChunk* chunk) {
  top_up(reader);
  const char* next = reader->block + reader->start;
  const std::size_t left = reader->end - reader->start;
  if (left == 0) return 0;
  const std::size_t limit = left < kChunkSize - 1 ? left : kChunkSize - 1;
  const char* line_break = static_cast<const char*>(std::memchr(next, '\n', limit));
  const std::size_t length = line_break ? static_cast<std::size_t>(line_break - next) + 1 : limit;
  std::memcpy(area, next, length);
  area[length] = '\0';
  reader->start += length;
  // The read holds the rest of its line when it ends in a line break or at the end of the file,
  // and no NUL byte from the file hides part of it.
  const bool at_end = reader->start == reader->end && reader->drained && std::feof(reader->file);
  reader->hit_end = at_end && !line_break;
  chunk->text = area;
  chunk->ends_line = (line_break || at_end) && std::strlen(area) == length;
  return length;
}

// "Import device: [f1 f2 f3] \n" in one write, the fields taken as they stand in the read with
// the commas between them turned into blanks: this line is printed for every device.
void print_device(const char* fields, const DeviceTriple& triple) {
  static const char kHead[] = "Import device: [";
  static const char kTail[] = "] \n";
  char line[sizeof kHead + kChunkSize + sizeof kTail];
  char* out = line;
  std::memcpy(out, kHead, sizeof kHead - 1);
  out += sizeof kHead - 1;
  const std::size_t span = triple.length[0] + 1 + triple.length[1] + 1 + triple.length[2];
  std::memcpy(out, fields, span);
  out[triple.length[0]] = ' ';
  out[triple.length[0] + 1 + triple.length[1]] = ' ';
  out += span;
  std::memcpy(out, kTail, sizeof kTail - 1);
  out += sizeof kTail - 1;
  // Single-threaded: the stream needs no lock.
  fwrite_unlocked(line, 1, static_cast<std::size_t>(out - line), stdout);
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
  print_device(open + 1, *triple);
  return kDeviceTriple;
}

int read_triple_file(std::FILE* file, int* line_number, DeviceTriple* triple, TripleSink sink,
                     void* context) {
  Reader reader;
  reader.file = file;
  reader.start = reader.end = 0;
  reader.drained = reader.hit_end = false;
  char area[kChunkSize];
  LineChunk chunk;
  while (!reader.hit_end) {
    ++*line_number;
    if (next_read(&reader, area, &chunk) == 0) break;
    if (parse_triple_line(chunk, *line_number, triple) == kDeviceTriple) sink(*triple, context);
  }
  if (!std::ferror(file)) return 0;
  std::printf("Line %d read error.\n", *line_number);
  return -1;
}
