#include "triple_file.h"

#include <cerrno>
#include <cstring>

namespace {

// D-Bus carries only valid UTF-8 and JSON text is UTF-8, so a field with any other byte sequence
// could never be stored. Nor could a noncharacter (U+FDD0 to U+FDEF, and the last two code points
// of every plane): buses that follow D-Bus before 0.21, and sd-bus, refuse the whole message, and
// with it every other device of the list. Such a line is refused here, under its own number.
// Returns the offset of the first sequence that cannot be stored, or `length`; `code_point` gets
// a noncharacter's value there, and 0 where the bytes are not UTF-8 at all.
std::size_t first_unstorable(const char* field, std::size_t length, unsigned long* code_point) {
  const unsigned char* text = reinterpret_cast<const unsigned char*>(field);
  *code_point = 0;
  for (std::size_t i = 0; i < length;) {
    if (text[i] < 0x80) {  // most fields are ASCII alone
      ++i;
      continue;
    }
    unsigned long code = 0;
    const std::size_t bytes = utf8_sequence(text + i, length - i, &code);
    if (bytes == 0) return i;
    if ((code >= 0xFDD0 && code <= 0xFDEF) || (code & 0xFFFE) == 0xFFFE) {
      *code_point = code;
      return i;
    }
    i += bytes;
  }
  return length;
}

// Splits what follows the first '[' of the read `text`: fields 1 and 2 end at ',', field 3 at ']'.
// Nothing is trimmed; blanks belong to the fields. Field 3 may run to the end of `text` without its
// ']' only where `open_end` says the text ends its line. Fills `triple`, or says in `verdict` why
// it cannot.
void split_fields(const char* text, const char* rest, bool open_end, DeviceTriple* triple,
                  LineVerdict* verdict) {
  verdict->outcome = kTripleError;
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    const bool last = i + 1 == kFieldCount;
    const char* begin = rest;
    rest = strchrnul(rest, last ? ']' : ',');
    std::size_t length = static_cast<std::size_t>(rest - begin);
    verdict->field = i;
    verdict->start = static_cast<std::size_t>(begin - text);
    verdict->length = length;
    if (*rest != '\0') {
      ++rest;  // past the field's ',' or ']'
    } else if (!last) {
      verdict->cause = kMissingField;
      verdict->field = i + 1;
      return;
    } else if (!open_end) {
      verdict->cause = kFieldCut;
      return;
    } else if (length > 0 && rest[-1] == '\n') {  // "\n" or "\r\n" is not part of the field
      --length;
      if (length > 0 && begin[length - 1] == '\r') --length;
    }
    verdict->length = length;
    if (length == 0) {
      verdict->cause = kEmptyField;
      return;
    }
    if (length >= kFieldSize) {
      verdict->cause = kFieldTooLong;
      return;
    }
    const std::size_t unstorable = first_unstorable(begin, length, &verdict->code_point);
    if (unstorable != length) {
      verdict->cause = verdict->code_point != 0 ? kNoncharacter : kNotUtf8;
      verdict->offset = unstorable;
      return;
    }
    std::memcpy(triple->field[i], begin, length);
    triple->field[i][length] = '\0';
  }
  verdict->outcome = kDeviceTriple;
  verdict->end = static_cast<std::size_t>(rest - text);
}

// One read with fgets into the reader's text: at most kChunkSize - 1 bytes, through the next line
// break. Returns its length, which tells a NUL byte from the file apart from the end of the read:
// the text is filled with line breaks first, so the terminator that fgets writes is the last NUL
// in it. Returns 0 where nothing could be read or a read error struck.
std::size_t read_chunk(ChunkReader* reader) {
  char* text = reader->text;
  std::memset(text, '\n', kChunkSize);
  if (!std::fgets(text, kChunkSize, reader->file)) return 0;
  const char* terminator = static_cast<const char*>(memrchr(text, '\0', kChunkSize));
  const std::size_t length = static_cast<std::size_t>(terminator - text);
  // A read cut short looks one byte ahead (and puts it back), so that the end-of-file indicator
  // tells whether the read ends the file. An error in that look is kept for the next line.
  if (length == kChunkSize - 1 && text[length - 1] != '\n') {
    const int next = getc_unlocked(reader->file);
    if (next != EOF)
      (void)std::ungetc(next, reader->file);
    else if (ferror_unlocked(reader->file))
      reader->error = errno != 0 ? errno : EIO;
  }
  return length;
}

}  // namespace

LineVerdict classify_triple_line(const LineChunk& chunk, DeviceTriple* triple) {
  LineVerdict verdict = {kComment, kNoCause, 0, 0, 0, 0, 0, 0};
  const char* text = chunk.text;
  if (text[0] == '#') return verdict;
  const char* open = std::strchr(text, '[');
  if (!open) {
    verdict.outcome = kFormatError;
    verdict.cause = kNoBracket;
    return verdict;
  }
  // Field 3 may run to the end of its line without the ']', but not to a cut in it.
  split_fields(text, open + 1, chunk.ends_line && chunk.visible == chunk.length, triple, &verdict);
  return verdict;
}

LineOutcome parse_triple_line(const LineChunk& chunk, unsigned long long line_number,
                              DeviceTriple* triple) {
  const LineOutcome outcome = classify_triple_line(chunk, triple).outcome;
  if (outcome == kFormatError) {
    std::printf("Line %llu format error: %s \n", line_number, chunk.text);
  } else if (outcome == kTripleError) {
    std::printf("Line %llu: get triple error: %s \n", line_number, chunk.text);
  } else if (outcome == kDeviceTriple) {
    std::printf("Import device: [%s %s %s] \n", triple->field[0], triple->field[1],
                triple->field[2]);
  }
  return outcome;
}

std::size_t utf8_sequence(const unsigned char* text, std::size_t length,
                          unsigned long* code_point) {
  // A lead byte announces one to three continuation bytes, and the code point must need them.
  std::size_t extra;
  unsigned long code;
  unsigned long least;
  if (text[0] < 0x80) {
    extra = 0, code = text[0], least = 0;
  } else if ((text[0] & 0xE0) == 0xC0) {
    extra = 1, code = text[0] & 0x1F, least = 0x80;
  } else if ((text[0] & 0xF0) == 0xE0) {
    extra = 2, code = text[0] & 0x0F, least = 0x800;
  } else if ((text[0] & 0xF8) == 0xF0) {
    extra = 3, code = text[0] & 0x07, least = 0x10000;
  } else {
    return 0;
  }
  if (length <= extra) return 0;
  for (std::size_t i = 1; i <= extra; ++i) {
    if ((text[i] & 0xC0) != 0x80) return 0;
    code = code << 6 | (text[i] & 0x3F);
  }
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  *code_point = code;
  return extra + 1;
}

bool next_chunk(ChunkReader* reader, LineChunk* chunk) {
  std::FILE* file = reader->file;
  if (feof_unlocked(file) && reader->error == 0) return false;
  ++reader->line_number;
  if (reader->error != 0) return false;  // the look-ahead's, after the read before it
  const std::size_t length = read_chunk(reader);
  if (length == 0) {
    // fgets leaves errno as the failed read set it; a stream of the C library's own may not.
    if (ferror_unlocked(file)) reader->error = errno != 0 ? errno : EIO;
    return false;
  }
  const char* text = reader->text;
  chunk->text = text;
  chunk->length = length;
  chunk->visible = std::strlen(text);
  chunk->ends_line = text[length - 1] == '\n' || feof_unlocked(file);
  return true;
}

int read_triple_file(std::FILE* file, unsigned long long* line_number, DeviceTriple* triple,
                     TripleSink sink, void* context) {
  ChunkReader reader = {file, *line_number, 0, {}};
  LineChunk chunk;
  while (next_chunk(&reader, &chunk))
    if (parse_triple_line(chunk, reader.line_number, triple) == kDeviceTriple)
      sink(*triple, context);
  *line_number = reader.line_number;
  if (reader.error == 0) return 0;
  std::printf("Line %llu read error.\n", *line_number);
  return -1;
}
