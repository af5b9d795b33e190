#include "doubts.h"

#include <cstring>

#include "visible_text.h"

namespace {

const char kNoBreakSpace[] = "\xc2\xa0";

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

// A bracket or a double quote that is stored at the edge of field 1 or 2, which the format lets
// through: "[[a,b,c]]", "[a,b],c]", "["a,b,c]" are typing mistakes far more often than names.
void report_stray_marks(Findings* findings, unsigned number, const char* field,
                        std::size_t length) {
  const bool quoted = length >= 2 && field[0] == '"' && field[length - 1] == '"';
  if (quoted) {
    finding(findings, kWarning, "field %u is in double quotes, which are stored with it", number);
    return;
  }
  if (number == 3) return;
  if (std::strchr("[]\"", field[0]))
    finding(findings, kWarning, "field %u starts with '%c', which is stored with it", number,
            field[0]);
  if (std::strchr("[]\"", field[length - 1]))
    finding(findings, kWarning, "field %u ends with '%c', which is stored with it", number,
            field[length - 1]);
}

// Bytes and characters that are stored but do not show: the first of each kind in the field.
void report_hidden(Findings* findings, unsigned number, const char* field, std::size_t length) {
  const unsigned char* text = reinterpret_cast<const unsigned char*>(field);
  bool said[kInvisible + 1] = {};
  for (std::size_t i = 0; i < length;) {
    unsigned long code = text[i];
    const std::size_t bytes = utf8_sequence(text + i, length - i, &code);  // a device's: UTF-8
    const bool edge_tab = code == '\t' && (i == 0 || i + 1 == length);     // said as an edge
    const CharacterKind kind = character_kind(code);
    if (kind != kShows && !edge_tab && !said[kind]) {
      said[kind] = true;
      if (kind == kControlByte)
        finding(findings, kWarning, "field %u holds the control byte 0x%02lx at its byte %zu",
                number, code, i + 1);
      else
        finding(findings, kWarning,
                "field %u holds the %s U+%04lX at its byte %zu, invisible yet stored", number,
                kind == kC1Control     ? "C1 control"
                : kind == kBidiControl ? "bidirectional control"
                                       : "format character",
                code, i + 1);
    }
    i += bytes ? bytes : 1;
  }
}

// What follows field 3's ']' that the tool ignores, less the line break: blanks and tabs, and a
// carriage return that ends the file, are taken for nothing.
void report_after_field_3(Findings* findings, const LineChunk& chunk, std::size_t end) {
  std::size_t after = chunk.length - end;
  const char* text = chunk.text + end;
  if (after > 0 && text[after - 1] == '\n') --after;
  if (after > 0 && text[after - 1] == '\r') --after;
  if (std::strspn(text, " \t") >= after) return;
  if (std::memchr(text, '\0', after))
    finding(findings, kWarning, "text after the ']' is ignored, behind a NUL byte");
  else
    finding(findings, kWarning, "text after the ']' is ignored");
}

}  // namespace

void report_doubts(Findings* findings, const LineChunk& chunk, const LineVerdict& verdict,
                   const DeviceTriple& triple, const char* hidden, bool whole_line) {
  if (hidden)
    finding(findings, kWarning, "%s before the '#', so this comment is read as a line with '['",
            hidden);
  for (unsigned i = 0; i < kFieldCount; ++i) {
    const char* field = triple.field[i];
    const std::size_t length = std::strlen(field);
    const unsigned number = i + 1;
    const char* first = first_edge(field);
    const char* last = last_edge(field, length);
    if (first) finding(findings, kWarning, "field %u starts with a %s", number, first);
    if (last) finding(findings, kWarning, "field %u ends with a %s", number, last);
    report_stray_marks(findings, number, field, length);
    report_hidden(findings, number, field, length);
  }
  if (std::strchr(triple.field[2], ','))
    finding(findings, kWarning, "field 3 holds a ',', stored as part of it: a fourth field?");
  if (!whole_line) return;
  // Field 3 ends at its ']', or runs to the end of the line.
  if (chunk.text[verdict.end - 1] == ']')
    report_after_field_3(findings, chunk, verdict.end);
  else if (chunk.text[chunk.length - 1] == '\n')
    finding(findings, kWarning, "field 3 has no ']': it runs to the end of the line");
  else
    finding(findings, kWarning,
            "field 3 has no ']' and the file ends without a line break: was it cut short?");
}
