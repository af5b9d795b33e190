#include "refusals.h"

#include <cstring>

namespace {

// A spreadsheet's export with another separator: at least the two of a row of three fields.
const char* other_separator(const char* text) {
  const char* semicolon = std::strchr(text, ';');
  if (semicolon && std::strchr(semicolon + 1, ';')) return "';'";
  const char* tab = std::strchr(text, '\t');
  if (tab && std::strchr(tab + 1, '\t')) return "tabs";
  return nullptr;
}

void report_no_bracket(Findings* findings, const LineChunk& chunk, const char* hidden) {
  const char* text = chunk.text;
  const char* separator = other_separator(text);
  if (chunk.visible == 0) {
    finding(findings, kError, "the line starts with a NUL byte (a UTF-16 file?)");
  } else if (hidden) {
    finding(findings, kError, "%s before the '#', so this comment is a line without '['", hidden);
  } else if (is_line_end(text)) {
    finding(findings, kError, "the line is empty: triple_import reports it, and it can be deleted");
  } else if (chunk.visible < chunk.length) {
    finding(findings, kError,
            "no '[' before the NUL byte at byte %zu, which hides the rest of the line",
            chunk.visible + 1);
  } else if (separator) {
    finding(findings, kError,
            "no '[' in the line, whose fields are separated by %s: a device is written "
            "[field1,field2,field3]",
            separator);
  } else {
    finding(findings, kError, "no '[' in the line");
  }
}

// A field missing or empty at the very end of a file that has no last line break.
bool cut_short(const LineChunk& chunk) {
  return chunk.visible == chunk.length && chunk.text[chunk.length - 1] != '\n';
}

}  // namespace

bool is_line_end(const char* text) {
  return std::strcmp(text, "\n") == 0 || std::strcmp(text, "\r\n") == 0;
}

bool starts_with_byte_order_mark(const char* text) {
  return std::strncmp(text, "\xef\xbb\xbf", 3) == 0;
}

const char* comment_hidden_by(const char* text) {
  const char* subject = "blanks stand";
  const char* rest = text;
  if (starts_with_byte_order_mark(rest)) {
    rest += 3;
    subject = "a byte-order mark stands";
  }
  rest += std::strspn(rest, " \t");
  return *rest == '#' && rest != text ? subject : nullptr;
}

void report_refusal(Findings* findings, const LineChunk& chunk, const LineVerdict& verdict,
                    const char* hidden) {
  const unsigned field = static_cast<unsigned>(verdict.field) + 1;
  const unsigned char* at = reinterpret_cast<const unsigned char*>(chunk.text);
  if (hidden && verdict.cause != kNoBracket) {
    finding(findings, kError, "%s before the '#', so this comment is read as a line with '['",
            hidden);
    return;
  }
  switch (verdict.cause) {
    case kNoBracket:
      report_no_bracket(findings, chunk, hidden);
      return;
    case kMissingField: {
      const char* separator = other_separator(std::strchr(chunk.text, '['));
      if (chunk.visible < chunk.length)
        finding(findings, kError,
                "field %u is missing: the NUL byte at byte %zu hides the rest of the line", field,
                chunk.visible + 1);
      else if (separator)
        finding(findings, kError, "field %u is missing: the fields are separated by %s, not ','",
                field, separator);
      else if (cut_short(chunk))
        finding(findings, kError,
                "field %u is missing: the file ends in field %u without a line break: was it cut "
                "short?",
                field, field - 1);
      else
        finding(findings, kError, "field %u is missing: the line ends before %s", field,
                field == 3 ? "a second ','" : "a ','");
      return;
    }
    case kEmptyField:
      if (field == 3 && cut_short(chunk))
        finding(findings, kError,
                "field 3 is empty: the file ends after its ',' without a line break: was it cut "
                "short?");
      else
        finding(findings, kError, "field %u is empty", field);
      return;
    case kFieldTooLong:
      finding(findings, kError, "field %u has %zu bytes, more than the %zu that a field holds",
              field, verdict.length, kFieldSize - 1);
      return;
    case kFieldCut:  // on a line read whole, only a NUL byte cuts field 3
      finding(findings, kError, "field 3 has no ']' and runs into a NUL byte");
      return;
    case kNotUtf8:
      finding(findings, kError, "field %u is not UTF-8 at its byte %zu (0x%02x)", field,
              verdict.offset + 1, at[verdict.start + verdict.offset]);
      return;
    case kNoncharacter:
      finding(findings, kError,
              "field %u holds the noncharacter U+%04lX at its byte %zu, which a bus may refuse "
              "with the whole list",
              field, verdict.code_point, verdict.offset + 1);
      return;
    case kNoCause:
      break;
  }
}
