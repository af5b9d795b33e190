#include "triple_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// What `body` prints on standard output, taken in memory: GoogleTest's own capture writes to
// /tmp, whatever TMPDIR says.
template <typename Body>
std::string stdout_of(Body body) {
  char* text = nullptr;
  std::size_t size = 0;
  std::FILE* const saved = stdout;
  stdout = open_memstream(&text, &size);
  body();
  std::fclose(stdout);
  stdout = saved;
  const std::string out(text, size);
  std::free(text);
  return out;
}

using Fields = std::array<std::string, 3>;

TEST(ClassifyTripleLine, NamesTheCauseOfARefusalAndWhereItLies) {
  const struct {
    std::string line;
    bool ends_line;
    LineCause cause;
    std::size_t field, offset, length;
    unsigned long code_point;
  } cases[] = {
      {"no bracket\n", true, kNoBracket, 0, 0, 0, 0},
      {"\n", true, kNoBracket, 0, 0, 0, 0},
      {"[\n", true, kMissingField, 1, 0, 1, 0},
      {"[a,b]\n", true, kMissingField, 2, 0, 3, 0},
      {"[,b,c]\n", true, kEmptyField, 0, 0, 0, 0},
      {"[a,b,\r\n", true, kEmptyField, 2, 0, 0, 0},
      {"[a," + std::string(256, 'y') + ",c]\n", true, kFieldTooLong, 1, 0, 256, 0},
      {"[a,b,c", false, kFieldCut, 2, 0, 1, 0},  // field 3 open needs the whole line
      {"[a,b,c]and more", false, kNoCause, 2, 0, 1, 0},
      {"[a,b,ab\xff]\n", true, kNotUtf8, 2, 2, 3, 0},
      {"[a,xy\xef\xbf\xbe,c]\n", true, kNoncharacter, 1, 2, 5, 0xFFFE},
      {"[\xf4\x8f\xbf\xbf,b,c]\n", true, kNoncharacter, 0, 0, 4, 0x10FFFF},
      {"[a,b,c]\n", true, kNoCause, 2, 0, 1, 0},
  };
  for (const auto& c : cases) {
    DeviceTriple triple = {};
    const LineChunk chunk = {c.line.c_str(), c.line.size(), c.line.size(), c.ends_line};
    const LineVerdict v = classify_triple_line(chunk, &triple);
    EXPECT_EQ(v.cause, c.cause) << c.line;
    if (c.cause == kNoBracket) continue;
    EXPECT_EQ(v.field, c.field) << c.line;
    EXPECT_EQ(v.offset, c.offset) << c.line;
    EXPECT_EQ(v.length, c.length) << c.line;
    EXPECT_EQ(v.code_point, c.code_point) << c.line;
  }
}

TEST(Utf8Sequence, DecodesEachLengthToItsEdgesAndRefusesWhatIsNotUtf8) {
  using namespace std::string_literals;
  const struct {
    std::string bytes;   // the text, all of it given
    std::size_t length;  // of the sequence at its start, 0 for none
    unsigned long code_point;
  } cases[] = {
      // clang-format off
      // Each length's first and last code point, and one between; what follows is not taken.
      {"\0"s, 1, 0}, {"\x7f", 1, 0x7F}, {"az", 1, 'a'}, {"\xc2\x80", 2, 0x80}, {"\xd0\x96", 2, 0x416},
      {"\xdf\xbf", 2, 0x7FF}, {"\xc3\xa9z", 2, 0xE9}, {"\xe0\xa0\x80", 3, 0x800}, {"\xe4\xb8\xad", 3, 0x4E2D},
      {"\xef\xbf\xbf", 3, 0xFFFF}, {"\xed\x9f\xbf", 3, 0xD7FF}, {"\xee\x80\x80", 3, 0xE000},
      {"\xf0\x90\x80\x80", 4, 0x10000}, {"\xf0\x9f\x98\x80", 4, 0x1F600}, {"\xf4\x8f\xbf\xbf", 4, 0x10FFFF},
      // Continuation bytes alone, and bytes that never lead.
      {"\x80", 0, 0}, {"\xbf", 0, 0}, {"\xf5\x80\x80\x80", 0, 0}, {"\xf8\x88\x80\x80\x80", 0, 0}, {"\xff", 0, 0},
      // Overlong forms, surrogates, past U+10FFFF.
      {"\xc0\x80", 0, 0}, {"\xc1\xbf", 0, 0}, {"\xe0\x9f\xbf", 0, 0}, {"\xf0\x8f\xbf\xbf", 0, 0},
      {"\xed\xa0\x80", 0, 0}, {"\xed\xbf\xbf", 0, 0}, {"\xf4\x90\x80\x80", 0, 0},
      // Cut: at the end of the text, or by a byte that does not continue.
      {"\xc3", 0, 0}, {"\xe2\x82", 0, 0}, {"\xf0\x9f\x98", 0, 0}, {"\xc3\x41", 0, 0},
      {"\xe2\x28\xa1", 0, 0}, {"\xe2\x82\xc0", 0, 0}, {"\xf0\x9f\x98\x7f", 0, 0},
      // clang-format on
  };
  for (const auto& c : cases) {
    unsigned long code_point = 0;
    const auto* text = reinterpret_cast<const unsigned char*>(c.bytes.data());
    EXPECT_EQ(utf8_sequence(text, c.bytes.size(), &code_point), c.length) << c.bytes;
    if (c.length != 0) {
      EXPECT_EQ(code_point, c.code_point) << c.bytes;
    }
  }
}

// A stream read to its end: the output, and the triples handed over.
struct FileRun {
  int status;
  unsigned long long line_number;
  std::string out;
  std::vector<Fields> triples;
};

void collect(const DeviceTriple& triple, void* context) {
  static_cast<std::vector<Fields>*>(context)->push_back(
      {triple.field[0], triple.field[1], triple.field[2]});
}

FileRun read_stream(std::FILE* file, unsigned long long lines_before) {
  FileRun run = {0, lines_before, "", {}};
  DeviceTriple triple = {};
  run.out = stdout_of([&] {
    run.status = read_triple_file(file, &run.line_number, &triple, collect, &run.triples);
  });
  std::fclose(file);
  return run;
}

// In memory, NUL bytes included: nothing of the test lands on disk.
FileRun read_content(std::string content, unsigned long long lines_before = 0) {
  return read_stream(fmemopen(content.data(), content.size(), "r"), lines_before);
}

TEST(ReadTripleFile, LineNumbersRunPastTheLimitsOf32Bits) {
  // A file streamed through a pipe has no size that bounds its number of lines.
  const std::pair<unsigned long long, std::string> cases[] = {{2147483647ull, "2147483648"},
                                                              {4294967295ull, "4294967296"}};
  for (const auto& [lines_before, shown] : cases)
    EXPECT_EQ(read_content("bad\n", lines_before).out, "Line " + shown + " format error: bad\n \n");
}

TEST(ReadTripleFile, FinalLineBreakCostsOneMoreLineNumber) {
  EXPECT_EQ(read_content("[a,b,c]\n").line_number, 2u);
  EXPECT_EQ(read_content("").line_number, 1u);
  // A last line of one byte after a line break, and a last read of exactly 511 bytes.
  const FileRun one = read_content("[a,b,c]\nx");
  EXPECT_EQ(one.out, "Import device: [a b c] \nLine 2 format error: x \n");
  EXPECT_EQ(one.line_number, 2u);
  const FileRun full = read_content("[a,b,c]" + std::string(504, 'x'));
  EXPECT_EQ(full.out, "Import device: [a b c] \n");
  EXPECT_EQ(full.line_number, 1u);
}

TEST(ReadTripleFile, ReadErrorIsReportedWithItsLineNumber) {
  const FileRun run = read_stream(std::fopen("/", "r"), 4);
  EXPECT_EQ(run.status, -1);
  EXPECT_EQ(run.out, "Line 5 read error.\n");
}

// A stream whose reads return the pieces given, in turn; an empty piece is a read that fails
// with EIO, after which the next read goes on, as a flaky medium or a signal may.
struct Pieces {
  std::vector<std::string> pieces;
  std::size_t next;
};

ssize_t read_piece(void* cookie, char* buffer, std::size_t size) {
  Pieces* p = static_cast<Pieces*>(cookie);
  if (p->next == p->pieces.size()) return 0;
  const std::string& piece = p->pieces[p->next++];
  if (piece.empty()) {
    errno = EIO;
    return -1;
  }
  const std::size_t length = std::min(size, piece.size());
  std::memcpy(buffer, piece.data(), length);
  return static_cast<ssize_t>(length);
}

FileRun read_pieces(Pieces* pieces) {
  return read_stream(fopencookie(pieces, "r", {read_piece, nullptr, nullptr, nullptr}), 0);
}

TEST(ReadTripleFile, ReadErrorEndsTheReadingEvenWhenItWouldClear) {
  const std::string open = std::string(505, ' ') + "[a,b,c";  // 511 bytes: the read looks ahead
  const std::string device = "[d,e,f]\n";
  // The error in the look-ahead after a full read, which is handed out whole and the error the next
  // line's; in a read of its own; and on the first read.
  const struct {
    std::vector<std::string> pieces;
    std::string out;
    std::size_t triples;
  } cases[] = {
      {{open, "", "d]\n" + device},
       "Line 1: get triple error: " + open + " \nLine 2 read error.\n",
       0},
      {{"[a,b,c]" + std::string(504, 'x'), "", device},
       "Import device: [a b c] \nLine 2 read error.\n",
       1},
      {{"[a,b,c]\n", "", device}, "Import device: [a b c] \nLine 2 read error.\n", 1},
      {{"", device}, "Line 1 read error.\n", 0},
  };
  for (const auto& c : cases) {
    Pieces pieces = {c.pieces, 0};
    const FileRun run = read_pieces(&pieces);
    EXPECT_EQ(run.status, -1) << c.out;
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.triples.size(), c.triples) << c.out;
  }
  // A reader that met the error keeps its errno for the caller.
  Pieces pieces = {{"[a,b,c]\n", ""}, 0};
  std::FILE* file = fopencookie(&pieces, "r", {read_piece, nullptr, nullptr, nullptr});
  ChunkReader reader = {file, 0, 0, {}};
  LineChunk chunk;
  EXPECT_TRUE(next_chunk(&reader, &chunk));
  EXPECT_FALSE(next_chunk(&reader, &chunk));
  EXPECT_EQ(reader.error, EIO);
  EXPECT_EQ(reader.line_number, 2u);
  std::fclose(file);
}

TEST(ReadTripleFile, LastReadOfExactly511BytesIsWholeAtTheEndOfTheFile) {
  // The look-ahead meets the end of the file: field 3 without ']' runs to it and is a device.
  const std::string open = std::string(505, ' ') + "[a,b,c";
  Pieces pieces = {{open}, 0};
  const FileRun run = read_pieces(&pieces);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.triples, (std::vector<Fields>{{"a", "b", "c"}}));
}

}  // namespace
