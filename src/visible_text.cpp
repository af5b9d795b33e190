#include "visible_text.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "triple_file.h"

namespace {

struct CodeRange {
  unsigned long first;
  unsigned long last;
};

// Default_Ignorable_Code_Point of Unicode 15.1 (DerivedCoreProperties.txt), less U+200C and
// U+200D, the non-joiner and the joiner, which Persian, the Indic scripts and emoji need; the
// bidirectional controls among them (U+202A to U+202E, U+2066 to U+2069) are told apart first.
const CodeRange kDefaultIgnorable[] = {
    {0x00AD, 0x00AD},   {0x034F, 0x034F},   {0x061C, 0x061C}, {0x115F, 0x1160}, {0x17B4, 0x17B5},
    {0x180B, 0x180F},   {0x200B, 0x200B},   {0x200E, 0x200F}, {0x2060, 0x206F}, {0x3164, 0x3164},
    {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF},   {0xFFA0, 0xFFA0}, {0xFFF0, 0xFFF8}, {0x1BCA0, 0x1BCA3},
    {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF},
};

}  // namespace

CharacterKind character_kind(unsigned long code) {
  if (code < 0x20 || code == 0x7F) return kControlByte;
  if (code >= 0x80 && code <= 0x9F) return kC1Control;
  if ((code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069)) return kBidiControl;
  const bool ignorable = std::any_of(
      std::begin(kDefaultIgnorable), std::end(kDefaultIgnorable),
      [code](const CodeRange& range) { return code >= range.first && code <= range.last; });
  return ignorable ? kInvisible : kShows;
}

// Control bytes, DEL, C1 and bidirectional controls and bytes that are not UTF-8 are written as
// \n, \t, \r or \xNN, and the backslash doubled, so that every escape reads back one way.
void print_name(std::FILE* out, const char* name) {
  const unsigned char* text = reinterpret_cast<const unsigned char*>(name);
  const std::size_t length = std::strlen(name);
  for (std::size_t i = 0; i < length;) {
    unsigned long code = 0;
    std::size_t bytes = utf8_sequence(text + i, length - i, &code);
    const CharacterKind kind = bytes == 0 ? kControlByte : character_kind(code);
    const bool control = kind != kShows && kind != kInvisible;
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
