#include "import_command.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "gateway_bus.h"

namespace {

const std::string kPrefix = import_command_prefix();

DeviceTriple make_triple(const std::string& f1, const std::string& f2, const std::string& f3) {
  DeviceTriple triple = {};
  const std::string* fields[] = {&f1, &f2, &f3};
  for (std::size_t i = 0; i < kFieldCount; ++i) std::strcpy(triple.field[i], fields[i]->c_str());
  return triple;
}

// The widest triple that the reader hands over: the 511-byte line [f1,f2,f3] and its line break,
// with fields of 255, 250 and 1 bytes. Its entry takes 11 characters besides the escaped fields.
DeviceTriple widest_triple(char byte) {
  return make_triple(std::string(255, byte), std::string(250, byte), std::string(1, byte));
}
constexpr std::size_t kWidestFieldBytes = 506;

// The command for these triples, built in a fresh buffer; one `filled` holds no terminator before.
struct Built {
  std::unique_ptr<char[]> buffer;
  std::unique_ptr<ImportCommand> command;
  std::string text() const { return command->text; }
};

Built build(const std::vector<DeviceTriple>& triples, bool filled = false) {
  Built b = {std::unique_ptr<char[]>(new char[kCommandBufferSize]),
             std::unique_ptr<ImportCommand>(new ImportCommand())};
  if (filled) std::memset(b.buffer.get(), 'x', kCommandBufferSize);
  start_import_command(b.command.get(), b.buffer.get());
  for (const DeviceTriple& t : triples) append_device_entry(b.command.get(), t);
  close_device_list(b.command.get());
  return b;
}

TEST(ImportCommand, PlainTriplesGiveTheFixedCommand) {
  const Built one = build({make_triple("a", "b", "c")});
  EXPECT_EQ(one.text(), kPrefix + R"(["a","b","c"]])" + "'");
  EXPECT_EQ(one.command->length, one.text().size());

  const Built two = build({make_triple("a", "b", "c"), make_triple("d", "e", "f")});
  EXPECT_EQ(two.text(), kPrefix + R"(["a","b","c"],["d","e","f"]])" + "'");
}

TEST(ImportCommand, FieldsAreEscapedForJsonAndTheQuotedShellWordWhereverTheByteStands) {
  // A byte may stand first, last or anywhere between. Those that neither JSON nor the shell word
  // escapes are written as they are, a byte of UTF-8 among them: the reader has checked the field.
  const std::pair<char, std::string> bytes[] = {
      {'\'', "'\"'\"'"}, {'"', "\\\""},    {'\\', "\\\\"}, {'\x01', "\\u0001"}, {'\x1f', "\\u001f"},
      {'\b', "\\b"},     {'\f', "\\f"},    {'\n', "\\n"},  {'\r', "\\r"},       {'\t', "\\t"},
      {'$', "$"},        {'`', "`"},       {'(', "("},     {';', ";"},          {' ', " "},
      {'\x7f', "\x7f"},  {'\xc3', "\xc3"},
  };
  for (const auto& [byte, written] : bytes) {
    for (std::size_t length : {1u, 2u, 3u, 255u}) {
      for (std::size_t at = 0; at < length; ++at) {
        std::string field(length, 'a');
        field[at] = byte;
        const Built b = build({make_triple(field, "b", "c")});
        const std::string expected =
            std::string(at, 'a') + written + std::string(length - at - 1, 'a');
        ASSERT_EQ(b.text(), kPrefix + "[\"" + expected + R"(","b","c"]])" + "'")
            << int(byte) << " at " << at << " of " << length;
      }
    }
  }
}

TEST(ImportCommand, LongestEntryIsNeverCut) {
  const std::string f1(255, 'x'), f2(248, 'y');
  const Built b = build({make_triple(f1, f2, "z")});
  EXPECT_EQ(b.text(), kPrefix + "[\"" + f1 + "\",\"" + f2 + R"(","z"]])" + "'");

  // Every byte of every field at its widest escape.
  const Built widest = build({widest_triple('\x01')});
  EXPECT_EQ(widest.command->length, kPrefix.size() + kWidestFieldBytes * 6 + 10 + 2);
}

TEST(ImportCommand, LengthLimitIsTheShellArgumentLimit) {
  // 1,953 entries of 67 characters and one of 24 make exactly the longest command.
  const DeviceTriple small =
      make_triple(std::string(19, 'a'), std::string(19, 'b'), std::string(18, 'c'));
  std::vector<DeviceTriple> triples(1953, small);
  triples.push_back(make_triple(std::string(11, 'x'), "y", "z"));
  const Built longest = build(triples);
  EXPECT_EQ(longest.command->length, kCommandMaxLength);

  triples.back() = make_triple(std::string(11, 'x'), "y", "zz");
  const Built over = build(triples);
  EXPECT_EQ(over.command->length, kCommandMaxLength + 1);
}

TEST(ImportCommand, CommandThatFillsTheBufferKeepsItsTerminatorInside) {
  // The prefix, 4,055 of the widest entries (517 characters) and two of 260 make
  // kCommandBufferSize - 1.
  const std::string rest(83, 'r');
  std::vector<DeviceTriple> triples(4055, widest_triple('w'));
  triples.push_back(make_triple(rest, rest, rest));
  triples.push_back(make_triple(rest, rest, rest));
  const Built b = build(triples, true);
  ASSERT_EQ(b.command->length, kCommandBufferSize - 1);
  EXPECT_EQ(b.buffer[kCommandBufferSize - 1], '\0');
  EXPECT_EQ(b.text().substr(b.text().size() - 7), "rrr\"]]'");

  // One byte more and the closing no longer fits with its terminator: it is only measured.
  triples.back() = make_triple(rest, rest, rest + "r");
  const Built over = build(triples, true);
  EXPECT_EQ(over.command->length, kCommandBufferSize);
  EXPECT_LT(std::strlen(over.buffer.get()), kCommandBufferSize);
}

TEST(ImportCommand, ListBeyondTheBufferIsMeasuredNotWritten) {
  const DeviceTriple triple = widest_triple('\x01');
  const std::size_t entry = kWidestFieldBytes * 6 + 11;
  const std::size_t count = kCommandBufferSize / entry + 10;
  const Built b = build(std::vector<DeviceTriple>(count, triple), true);
  EXPECT_EQ(b.command->length, kPrefix.size() + count * entry + 1);
  EXPECT_LT(std::strlen(b.buffer.get()), kCommandBufferSize);
}

TEST(ImportCommand, LengthPastFourGibibytesWritesNothingAndStaysExact) {
  // Where size_t has 32 bits, a length that wrapped would write the next entries in front of the
  // buffer, then over the start of the command.
  constexpr std::size_t kGuard = 4096;
  std::vector<char> area(kGuard + kCommandBufferSize + kGuard, 'g');
  ImportCommand command = {};
  start_import_command(&command, area.data() + kGuard);
  const std::vector<char> before = area;
  const unsigned long long just_below = (1ull << 32) - 100;
  command.length = just_below;
  const std::size_t entry = kWidestFieldBytes * 5 + 11;  // a quote is written '"'"'
  for (int i = 0; i < 4; ++i) append_device_entry(&command, widest_triple('\''));
  close_device_list(&command);
  EXPECT_EQ(command.length, just_below + 4 * entry + 1);
  EXPECT_TRUE(area == before);
}

TEST(ImportCommand, ShellStatusIsReturned) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"true", 0}, {"exit 3", 3}, {"kill -9 $$", -1}};
  for (auto [text, status] : cases) {
    const ImportCommand command = {&text[0], text.size()};
    EXPECT_EQ(run_import_command(command), status) << text;
  }
}

}  // namespace
