#include "file_check.h"

#include <cstdarg>
#include <cstring>

#include "import_command.h"
#include "seen_devices.h"
#include "triple_file.h"

namespace {

const char kByteOrderMark[] = "\xef\xbb\xbf";
const char kNoBreakSpace[] = "\xc2\xa0";

enum FindingKind { kError, kWarning };

// Characters that are stored or printed but do not show, or that move what follows.
enum ControlKind { kNoControl, kControlByte, kC1Control, kBidiControl };

ControlKind control_kind(unsigned long code) {
  if (code < 0x20 || code == 0x7f) return kControlByte;
  if (code >= 0x80 && code <= 0x9f) return kC1Control;
  if ((code >= 0x202a && code <= 0x202e) || (code >= 0x2066 && code <= 0x2069)) return kBidiControl;
  return kNoControl;
}

struct FileCheck {
  const char* name;
  CheckCounts* counts;
  ImportCommand command;
  SeenDevices* seen;
  DeviceTriple triple;
  unsigned long long line;       // the tool's number of the read
  unsigned long long file_line;  // the line of the file that the read belongs to
  unsigned long long piece;      // which read of that line, from 1
  bool line_ended;               // the read before ended its line of the file
  bool utf16;                    // said once for the file: its lines would only repeat it
};

// Prints one finding: FILE:LINE: KIND: TEXT, and where the line of the file is not the tool's
// line, which line and which piece of it the finding is about.
// NOLINTNEXTLINE(cert-dcl50-cpp): printf's formats, as every message of the tool's
void finding(FileCheck* check, FindingKind kind, const char* format, ...) {
  print_name(stdout, check->name);
  std::printf(":%llu: %s: ", check->line, kind == kError ? "error" : "warning");
  va_list args;
  va_start(args, format);
  (void)std::vprintf(format, args);  // NOLINT(clang-analyzer-valist.Uninitialized): va_start'ed
  va_end(args);
  if (check->piece > 1 || check->file_line != check->line)
    std::printf(" (line %llu of the file, piece %llu)", check->file_line, check->piece);
  std::putchar('\n');
  if (kind == kWarning) ++check->counts->warnings;
}

const char* outcome_name(LineOutcome outcome) {
  switch (outcome) {
    case kComment:
      return "a comment";
    case kFormatError:
      return "a format error";
    case kTripleError:
      return "a triple error";
    case kDeviceTriple:
      break;
  }
  return "a device";
}

bool starts_with_bom(const char* text) {
  return std::strncmp(text, kByteOrderMark, 3) == 0;
}

bool is_line_end(const char* text) {
  return std::strcmp(text, "\n") == 0 || std::strcmp(text, "\r\n") == 0;
}

// What stands before a '#' at the start of the line and so keeps it from being a comment, as
// the subject of a sentence; null where nothing does.
const char* comment_hidden_by(const char* text) {
  const char* subject = "blanks stand";
  const char* rest = text;
  if (starts_with_bom(rest)) {
    rest += 3;
    subject = "a byte-order mark stands";
  }
  rest += std::strspn(rest, " \t");
  return *rest == '#' && rest != text ? subject : nullptr;
}

// A spreadsheet's export with another separator: at least the two of a row of three fields.
const char* other_separator(const char* text) {
  const char* semicolon = std::strchr(text, ';');
  if (semicolon && std::strchr(semicolon + 1, ';')) return "';'";
  const char* tab = std::strchr(text, '\t');
  if (tab && std::strchr(tab + 1, '\t')) return "tabs";
  return nullptr;
}

// A UTF-16 file, as spreadsheets export "Unicode text": by its byte-order mark, or by NUL bytes
// between ASCII ones. Either way every line is refused, so that is said once, as the cause.
const char* utf16_sign(const LineChunk& chunk) {
  const unsigned char* text = reinterpret_cast<const unsigned char*>(chunk.text);
  if (chunk.length < 2) return nullptr;
  if ((text[0] == 0xff && text[1] == 0xfe) || (text[0] == 0xfe && text[1] == 0xff))
    return "it starts with a UTF-16 byte-order mark";
  // Up to 16 bytes, of which every other one is NUL: from the first byte (big-endian) or the
  // second.
  const std::size_t bytes = chunk.length >= 16 ? 16 : chunk.length;
  for (std::size_t zero = 0; zero < 2; ++zero) {
    std::size_t i = 0;
    // cppcheck-suppress knownConditionTrueFalse  // it takes `bytes` for less than 1
    while (i < bytes && (i % 2 == zero ? text[i] == 0 : text[i] != 0 && text[i] < 0x80)) ++i;
    if (i == bytes) return "NUL bytes stand between its ASCII bytes";
  }
  return nullptr;
}

void report_no_bracket(FileCheck* check, const LineChunk& chunk) {
  const char* text = chunk.text;
  const char* hidden = comment_hidden_by(text);
  const std::size_t visible = chunk.visible;
  const char* separator = other_separator(text);
  if (visible == 0) {
    finding(check, kError, "the line starts with a NUL byte (a UTF-16 file?)");
  } else if (hidden && check->piece == 1) {
    finding(check, kError, "%s before the '#', so this comment is a line without '['", hidden);
  } else if (is_line_end(text) && check->piece > 1) {
    finding(check, kError,
            "the line break is read alone, after a full read of %zu bytes: shorten the line to "
            "%zu bytes or fewer, its line break included",
            kChunkSize - 1, kChunkSize - 1);
  } else if (is_line_end(text)) {
    finding(check, kError, "the line is empty: triple_import reports it, and it can be deleted");
  } else if (visible < chunk.length) {
    finding(check, kError,
            "no '[' before the NUL byte at byte %zu, which hides the rest of the line",
            visible + 1);
  } else if (separator) {
    finding(check, kError,
            "no '[' in the line, whose fields are separated by %s: a device is written "
            "[field1,field2,field3]",
            separator);
  } else {
    finding(check, kError, "no '[' in the line");
  }
}

void report_refusal(FileCheck* check, const LineChunk& chunk, const LineVerdict& verdict) {
  const unsigned field = static_cast<unsigned>(verdict.field) + 1;
  const unsigned char* at = reinterpret_cast<const unsigned char*>(chunk.text);
  const char* hidden = check->piece == 1 ? comment_hidden_by(chunk.text) : nullptr;
  if (hidden && verdict.cause != kNoBracket) {
    finding(check, kError, "%s before the '#', so this comment is read as a line with '['", hidden);
    return;
  }
  switch (verdict.cause) {
    case kNoBracket:
      report_no_bracket(check, chunk);
      return;
    case kMissingField: {
      const std::size_t visible = chunk.visible;
      const char* separator = other_separator(std::strchr(chunk.text, '['));
      if (visible < chunk.length)
        finding(check, kError,
                "field %u is missing: the NUL byte at byte %zu hides the rest of the line", field,
                visible + 1);
      else if (separator)
        finding(check, kError, "field %u is missing: the fields are separated by %s, not ','",
                field, separator);
      else
        finding(check, kError, "field %u is missing: the line ends before %s", field,
                field == 3 ? "a second ','" : "a ','");
      return;
    }
    case kEmptyField:
      finding(check, kError, "field %u is empty", field);
      return;
    case kFieldTooLong:
      finding(check, kError, "field %u has %zu bytes, more than the %zu that a field holds", field,
              verdict.length, kFieldSize - 1);
      return;
    case kFieldCut:
      if (chunk.visible != chunk.length)
        finding(check, kError, "field 3 has no ']' and runs into a NUL byte");
      else
        finding(check, kError, "field 3 has no ']' and runs into the end of a %zu-byte read",
                kChunkSize - 1);
      return;
    case kNotUtf8:
      finding(check, kError, "field %u is not UTF-8 at its byte %zu (0x%02x)", field,
              verdict.offset + 1, at[verdict.start + verdict.offset]);
      return;
    case kNoncharacter:
      finding(check, kError,
              "field %u holds the noncharacter U+%04lX at its byte %zu, which a bus may refuse "
              "with the whole list",
              field, verdict.code_point, verdict.offset + 1);
      return;
    case kNoCause:
      break;
  }
}

// A blank, a tab or a no-break space at the start or the end of a field: null for none.
const char* first_edge(const char* field) {
  if (field[0] == ' ') return "blank";
  if (field[0] == '\t') return "tab";
  return std::strncmp(field, kNoBreakSpace, 2) == 0 ? "no-break space" : nullptr;
}

const char* last_edge(const char* field, std::size_t length) {
  if (field[length - 1] == ' ') return "blank";
  if (field[length - 1] == '\t') return "tab";
  return length >= 2 && std::strcmp(field + length - 2, kNoBreakSpace) == 0 ? "no-break space"
                                                                            : nullptr;
}

// Bytes and characters that are stored but do not show: the first of each kind in the field.
void report_controls(FileCheck* check, unsigned field_number, const char* field,
                     std::size_t length) {
  const unsigned char* text = reinterpret_cast<const unsigned char*>(field);
  bool said_byte = false;
  bool said_c1 = false;
  bool said_bidi = false;
  for (std::size_t i = 0; i < length;) {
    unsigned long code = text[i];
    const std::size_t bytes = utf8_sequence(text + i, length - i, &code);  // a device's: UTF-8
    const bool edge_tab = code == '\t' && (i == 0 || i + 1 == length);     // said as an edge
    const ControlKind kind = control_kind(code);
    if (kind == kControlByte && !edge_tab && !said_byte) {
      said_byte = true;
      finding(check, kWarning, "field %u holds the control byte 0x%02lx at its byte %zu",
              field_number, code, i + 1);
    } else if (kind == kC1Control && !said_c1) {
      said_c1 = true;
      finding(check, kWarning,
              "field %u holds the C1 control U+%04lX at its byte %zu, invisible yet stored",
              field_number, code, i + 1);
    } else if (kind == kBidiControl && !said_bidi) {
      said_bidi = true;
      finding(check, kWarning,
              "field %u holds the bidirectional control U+%04lX at its byte %zu, invisible yet "
              "stored",
              field_number, code, i + 1);
    }
    i += bytes ? bytes : 1;
  }
}

// What triple_import stores but is most likely a mistake.
void report_doubts(FileCheck* check, const LineChunk& chunk, const LineVerdict& verdict) {
  const char* hidden = check->piece == 1 ? comment_hidden_by(chunk.text) : nullptr;
  if (hidden)
    finding(check, kWarning, "%s before the '#', so this comment is read as a line with '['",
            hidden);
  const DeviceTriple& triple = check->triple;
  for (unsigned i = 0; i < kFieldCount; ++i) {
    const char* field = triple.field[i];
    const std::size_t length = std::strlen(field);
    const unsigned number = i + 1;
    const char* first = first_edge(field);
    const char* last = last_edge(field, length);
    if (first) finding(check, kWarning, "field %u starts with a %s", number, first);
    if (last) finding(check, kWarning, "field %u ends with a %s", number, last);
    if (length >= 2 && field[0] == '"' && field[length - 1] == '"')
      finding(check, kWarning, "field %u is in double quotes, which are stored with it", number);
    report_controls(check, number, field, length);
  }
  if (std::strchr(triple.field[2], ','))
    finding(check, kWarning, "field 3 holds a ',', stored as part of it: a fourth field?");

  // Field 3 ends at its ']', or runs to the end of the line; what follows the ']' is ignored, a
  // NUL byte's hiding included.
  const std::size_t end = verdict.end;
  if (chunk.text[end - 1] != ']') {
    if (chunk.text[chunk.length - 1] == '\n')
      finding(check, kWarning, "field 3 has no ']': it runs to the end of the line");
    else
      finding(check, kWarning,
              "field 3 has no ']' and the file ends without a line break: was it cut short?");
  } else {
    std::size_t after = chunk.length - end;
    if (after > 0 && chunk.text[chunk.length - 1] == '\n') --after;
    if (after > 0 && chunk.text[end + after - 1] == '\r' && chunk.text[end + after] == '\n')
      --after;
    if (after > 0 && std::memchr(chunk.text + end, '\0', after))
      finding(check, kWarning, "text after the ']' is ignored, behind a NUL byte");
    else if (after > 0)
      finding(check, kWarning, "text after the ']' is ignored");
  }

  unsigned long long earlier = 0;
  const Sighting sighting = sight_device(check->seen, triple, check->line, &earlier);
  if (sighting == kSameDevice)
    finding(check, kWarning, "the same device as line %llu, stored twice", earlier);
  else if (sighting == kSameName)
    finding(check, kWarning, "the same fields 1 and 2 as line %llu, with another field 3", earlier);
}

void check_read(FileCheck* check, const LineChunk& chunk) {
  if (check->line_ended) {
    ++check->file_line;
    check->piece = 1;
  } else {
    ++check->piece;
  }
  check->line_ended = chunk.text[chunk.length - 1] == '\n';
  const bool first_read = check->file_line == 1 && check->piece == 1;
  const char* utf16 = first_read ? utf16_sign(chunk) : nullptr;
  if (utf16) {
    ++check->counts->file_errors;
    check->utf16 = true;
    finding(check, kError,
            "the file is UTF-16 (%s), which triple_import reads byte by byte: save it as UTF-8",
            utf16);
  }

  const LineVerdict verdict = classify_triple_line(chunk, &check->triple);
  const bool refused = verdict.outcome == kFormatError || verdict.outcome == kTripleError;
  if (refused) ++check->counts->refused;
  if (verdict.outcome == kDeviceTriple) {
    ++check->counts->devices;
    append_device_entry(&check->command, check->triple);
  }
  if (check->utf16) return;

  if ((!chunk.ends_line || check->piece > 1) && !(check->piece > 1 && is_line_end(chunk.text)))
    finding(check, kWarning,
            "a line of the file over %zu bytes, its line break included, is read in pieces, each "
            "a line of its own: this piece is %s",
            kChunkSize - 1, outcome_name(verdict.outcome));
  if (check->piece == 1 && starts_with_bom(chunk.text) && !comment_hidden_by(chunk.text)) {
    if (check->file_line == 1)
      finding(check, kWarning, "the file starts with a UTF-8 byte-order mark");
    else
      finding(check, kWarning, "a UTF-8 byte-order mark starts the line: were files joined?");
  }
  if (refused)
    report_refusal(check, chunk, verdict);
  else if (verdict.outcome == kDeviceTriple)
    report_doubts(check, chunk, verdict);
}

const char* plural(unsigned long long count) {
  return count == 1 ? "" : "s";
}

// The import command's size for the devices found, against what one import can carry.
void summarise(FileCheck* check) {
  CheckCounts* counts = check->counts;
  if (counts->devices > 0) close_device_list(&check->command);
  const bool too_large = check->command.length > kCommandMaxLength;
  if (counts->devices == 0 || too_large) ++counts->file_errors;
  if (counts->devices == 0) {
    print_name(stdout, check->name);
    std::printf(": error: no device triple: triple_import would send nothing\n");
  } else if (too_large) {
    print_name(stdout, check->name);
    std::printf(
        ": error: the import command would take %llu bytes, %llu more than the %zu that one "
        "import carries: triple_import would refuse the whole list",
        check->command.length, check->command.length - kCommandMaxLength, kCommandMaxLength);
    if (check->seen->full_at != 0)
      std::printf("; the check for duplicates stopped at line %llu", check->seen->full_at);
    std::putchar('\n');
  }
  print_name(stdout, check->name);
  std::printf(": %llu device%s, %llu refused line%s, %llu warning%s", counts->devices,
              plural(counts->devices), counts->refused, plural(counts->refused), counts->warnings,
              plural(counts->warnings));
  if (counts->devices > 0 && !too_large) {
    // The entries, each with its comma: the closing "]'" takes the last comma's place.
    const unsigned long long entries = check->command.length - kCommandPrefixLength - 1;
    const unsigned long long width = (entries + counts->devices - 1) / counts->devices;
    std::printf(
        "; the import command takes %llu of %zu bytes, room for about %llu more devices "
        "of this file's average width",
        check->command.length, kCommandMaxLength,
        (kCommandMaxLength - check->command.length) / width);
  }
  std::putchar('\n');
}

}  // namespace

// Control bytes, DEL, C1 and bidirectional controls and bytes that are not UTF-8 are written as
// \n, \t, \r or \xNN, and the backslash doubled, so that every escape reads back one way.
void print_name(std::FILE* out, const char* name) {
  const unsigned char* text = reinterpret_cast<const unsigned char*>(name);
  std::size_t length = std::strlen(name);
  for (std::size_t i = 0; i < length;) {
    unsigned long code = 0;
    std::size_t bytes = utf8_sequence(text + i, length - i, &code);
    const bool control = bytes == 0 || control_kind(code) != kNoControl;
    if (bytes == 0) bytes = 1;
    if (code == '\\') {
      (void)std::fputs("\\\\", out);
    } else if (!control) {
      (void)std::fwrite(text + i, 1, bytes, out);
    } else if (code == '\n' || code == '\t' || code == '\r') {
      (void)std::fprintf(out, "\\%c", code == '\n' ? 'n' : code == '\t' ? 't' : 'r');
    } else {
      for (std::size_t j = 0; j < bytes; ++j) (void)std::fprintf(out, "\\x%02x", text[i + j]);
    }
    i += bytes;
  }
}

int check_triple_file(std::FILE* file, const char* name, char* command_buffer,
                      CheckCounts* counts) {
  static SeenDevices seen;  // 400 KiB, bounded whatever the file's size
  FileCheck check = {};
  check.name = name;
  check.counts = counts;
  check.seen = &seen;
  check.line_ended = true;
  *counts = CheckCounts();
  forget_devices(&seen);
  start_import_command(&check.command, command_buffer);
  ChunkReader reader = {file, 0, 0, {}};
  LineChunk chunk;
  while (next_chunk(&reader, &chunk)) {
    check.line = reader.line_number;
    check_read(&check, chunk);
  }
  counts->lines = reader.line_number;
  if (reader.error != 0) return reader.error;
  summarise(&check);
  return 0;
}
