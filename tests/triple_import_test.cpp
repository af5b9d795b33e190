// Black-box runs of the built tool with a recording dbus-send first on PATH.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "device_lines.h"
#include "set_config_words.h"
#include "tool_run.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
constexpr bool kSanitized = __has_feature(address_sanitizer);
#else
constexpr bool kSanitized = false;
#endif

std::string current_dir_line() {
  return "Current Dir = " + tool_dir() + " \n";
}

// Checks one set_config call and returns the device list it carried.
Triples sent_list(const Sandbox& box) {
  EXPECT_EQ(box.dbus_calls(), 1);
  const std::vector<std::string> argv = box.dbus_argv();
  EXPECT_EQ(argv.size(), kSetConfigWords.size() + 1);
  if (argv.size() != kSetConfigWords.size() + 1) return {};
  EXPECT_EQ(std::vector<std::string>(argv.begin(), argv.end() - 1), kSetConfigWords);
  return decode_device_list(argv.back());
}

TEST(TripleImport, WrongArgumentCountPrintsUsageAndSucceeds) {
  Sandbox box;
  for (const auto& args : {std::vector<std::string>{}, std::vector<std::string>{"a", "b"}}) {
    const ToolResult r = box.run(args);
    EXPECT_EQ(r.out, "Usage: " + tool_path() + " devices_triple.txt\n");
    EXPECT_EQ(r.status, 0);
  }
  EXPECT_EQ(box.dbus_calls(), 0);
}

TEST(TripleImport, EmptyArgumentVectorUsesTheToolName) {
  if (tool_is_emulated()) GTEST_SKIP() << "the emulator always passes a program name";
  Sandbox box;
  RunOptions options;
  options.empty_argument_vector = true;
  const ToolResult r = box.run({}, options);
  EXPECT_EQ(r.out, "Usage: triple_import devices_triple.txt\n");
  EXPECT_EQ(r.status, 0);
}

TEST(TripleImport, UnopenableFileIsReportedWithoutLineBreak) {
  Sandbox box;
  const ToolResult r = box.run({"no/such/file.txt"});
  EXPECT_EQ(r.out, current_dir_line() + tool_path() + ": Unable to open no/such/file.txt");
  EXPECT_EQ(r.status, 255);
}

TEST(TripleImport, ExecutableInTheRootDirectoryReportsAnEmptyDirectory) {
  // The root is the sandbox's own, so nothing is written to the machine's.
  Sandbox box;
  std::filesystem::create_directory(box.dir() + "/root");
  std::filesystem::copy_file(tool_path(), box.dir() + "/root/triple_import");
  std::vector<std::string> words = tool_words("/triple_import");
  words.push_back("missing.txt");
  RunOptions options;
  options.root = "root";
  const ToolResult r = box.run_program(words, options);
  // Where no namespace, mount or root of our own can be had, the attempt itself says so.
  if (r.status == kNoPrivateRoot) GTEST_SKIP() << "no private root here: " << r.err;
  EXPECT_EQ(r.out, "Current Dir =  \n/triple_import: Unable to open missing.txt");
  EXPECT_EQ(r.status, 255);
}

TEST(TripleImport, CommandBufferThatCannotBeHadFailsTheRun) {
  if (tool_is_emulated()) GTEST_SKIP() << "the emulator needs address space of its own";
  if (kSanitized) GTEST_SKIP() << "the sanitizers reserve address space beyond any limit";
  // The least address space in which the tool starts and prints its usage line, to 64 KiB: the
  // 2 MiB command buffer cannot fit there.
  Sandbox box;
  const std::string file = box.write_file("devices.txt", "[a,b,c]\n");
  const auto starts = [&box](unsigned long long limit) {
    RunOptions options;
    options.address_space_limit = limit;
    return box.run({}, options).status == 0;
  };
  unsigned long long fails = 0;
  unsigned long long runs = 1ull << 30;
  ASSERT_TRUE(starts(runs));
  while (runs - fails > 1 << 16) {
    const unsigned long long middle = (fails + runs) / 2;
    if (starts(middle)) {
      runs = middle;
    } else {
      fails = middle;
    }
  }
  RunOptions options;
  options.address_space_limit = runs;
  const ToolResult r = box.run({file}, options);
  EXPECT_EQ(r.out, "cmd malloc 2MB failed.\n");
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(box.dbus_calls(), 0);
}

TEST(TripleImport, ExecutableBeyondTheLookupsReachFailsTheRun) {
  // Its directory is longer than the 4,096 bytes that the lookup takes: made, entered and run
  // from one folder at a time, as no single path may be that long.
  Sandbox box;
  const std::string step(200, 'd');
  std::string deep;
  int dir = open(box.dir().c_str(), O_RDONLY | O_DIRECTORY);
  for (int i = 0; i < 21; ++i) {
    ASSERT_EQ(mkdirat(dir, step.c_str(), 0700), 0);
    const int next = openat(dir, step.c_str(), O_RDONLY | O_DIRECTORY);
    close(dir);
    dir = next;
    deep += (deep.empty() ? "" : "/") + step;
  }
  std::ifstream tool(tool_path(), std::ios::binary);
  const std::string binary((std::istreambuf_iterator<char>(tool)),
                           std::istreambuf_iterator<char>());
  const int copy = openat(dir, "triple_import", O_WRONLY | O_CREAT, 0700);
  ASSERT_EQ(write(copy, binary.data(), binary.size()), static_cast<ssize_t>(binary.size()));
  close(copy);
  close(dir);

  std::vector<std::string> words = tool_words("./triple_import");
  words.push_back(box.write_file("devices.txt", "[a,b,c]\n"));
  RunOptions options;
  options.working_dir = deep;
  const ToolResult r = box.run_program(words, options);
  EXPECT_EQ(r.out, "readlink /proc/self/exe failed.\n");
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(box.dbus_calls(), 0);
}

TEST(TripleImport, ReadErrorSendsNothing) {
  Sandbox box;
  const ToolResult r = box.run({box.dir()});
  EXPECT_EQ(r.out, current_dir_line() + "Line 1 read error.\nFind 0 items.\n");
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(box.dbus_calls(), 0);
}

TEST(TripleImport, NoAcceptedTripleSendsNothing) {
  const struct {
    std::string file;
    std::string messages;
  } cases[] = {
      {"", ""},
      {"# only a comment\n", ""},
      {"# c\nno brackets\n[a,b]\n",
       "Line 2 format error: no brackets\n \nLine 3: get triple error: [a,b]\n \n"},
  };
  for (const auto& c : cases) {
    Sandbox box;
    const ToolResult r = box.run({box.write_file("devices.txt", c.file)});
    EXPECT_EQ(r.out, current_dir_line() + c.messages + "Find 0 items.\n") << c.file;
    EXPECT_EQ(r.status, 255);
    EXPECT_EQ(box.dbus_calls(), 0);
  }
}

TEST(TripleImport, TypicalFileSendsItsTriplesInOrderAfterItsOwnLines) {
  Sandbox box;
  const ToolResult r = box.run(
      {box.write_file("devices.txt", "# gateway 7\n[pk1,dev1,s1]\nno brackets\n[pk2,dev2,s2]\n")});
  EXPECT_EQ(r.out, current_dir_line() +
                       "Import device: [pk1 dev1 s1] \n"
                       "Line 3 format error: no brackets\n \n"
                       "Import device: [pk2 dev2 s2] \n"
                       "Find 2 items.\n"
                       "dbus-send stand-in ran\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(sent_list(box), (Triples{{"pk1", "dev1", "s1"}, {"pk2", "dev2", "s2"}}));
  EXPECT_EQ(box.dbus_argv().back(), R"(string:[["pk1","dev1","s1"],["pk2","dev2","s2"]])");
  EXPECT_EQ(box.dbus_files().find("devices.txt"), std::string::npos) << box.dbus_files();
}

TEST(TripleImport, FieldsReachTheListByteForByteAndRunNothing) {
  Sandbox box;
  const ToolResult r = box.run({box.write_file("devices.txt",
                                               "[it's,say \"hi\",back\\slash]\n"
                                               "[$(touch pwned),`touch pwned`,a;touch pwned]\n"
                                               "[' ; touch pwned; ',\"'\",x'\"'\"y]\n"
                                               "[ blank , Grüße ,温度 ✓]\r\n"
                                               "[tab\there,dup,dup]\n"
                                               "[tab\there,dup,dup]\n"
                                               "[a,b,open to the end\r\n")});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(sent_list(box), (Triples{
                                {"it's", "say \"hi\"", "back\\slash"},
                                {"$(touch pwned)", "`touch pwned`", "a;touch pwned"},
                                {"' ; touch pwned; '", "\"'\"", "x'\"'\"y"},
                                {" blank ", " Grüße ", "温度 ✓"},
                                {"tab\there", "dup", "dup"},
                                {"tab\there", "dup", "dup"},
                                {"a", "b", "open to the end"},
                            }));
  EXPECT_FALSE(box.exists("pwned"));
}

TEST(TripleImport, QuoteInAFieldNeverEndsTheShellWord) {
  // ASCII alone, so that every shell decodes it in every locale; the yash runs of this case take
  // it into locales whose byte of a backslash is another character.
  Sandbox box;
  const ToolResult r = box.run({box.write_file("devices.txt",
                                               "[a,b,c';touch pwned;: ']\n"
                                               "['',x'y,\\'\\]\n")});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(sent_list(box), (Triples{{"a", "b", "c';touch pwned;: '"}, {"''", "x'y", "\\'\\"}}));
  EXPECT_FALSE(box.exists("pwned"));
}

TEST(TripleImport, FailedCommandFailsTheRun) {
  Sandbox box;
  box.set_dbus_status(3);
  const ToolResult refused = box.run({box.write_file("devices.txt", "[a,b,c]\n")});
  EXPECT_EQ(refused.out, current_dir_line() +
                             "Import device: [a b c] \nFind 1 items.\n"
                             "dbus-send stand-in ran\nImport command failed: status 3\n");
  EXPECT_EQ(refused.status, 255);

  // With no dbus-send on the search path the shell answers 127.
  RunOptions no_dbus_send;
  no_dbus_send.path = box.dir() + "/empty";
  const ToolResult missing = box.run({box.dir() + "/devices.txt"}, no_dbus_send);
  EXPECT_NE(missing.out.find("Find 1 items.\nImport command failed: status 127\n"),
            std::string::npos)
      << missing.out;
  EXPECT_EQ(missing.status, 255);
}

TEST(TripleImport, ParentThatIgnoresChildrenGetsTheCommandsOwnResult) {
  // Such a parent leaves SIGCHLD ignored, and the kernel would then reap the shell by itself.
  for (const int dbus_status : {0, 3}) {
    Sandbox box;
    box.set_dbus_status(dbus_status);
    RunOptions options;
    options.ignore_sigchld = true;
    const ToolResult r = box.run({box.write_file("devices.txt", "[a,b,c]\n")}, options);
    EXPECT_EQ(r.status, dbus_status == 0 ? 0 : 255) << r.out;
    EXPECT_EQ(box.dbus_calls(), 1);
  }
}

// The first `count` typical devices, and the triple file that lists them.
Triples devices_of_67(int count) {
  Triples devices;
  for (int i = 0; i < count; ++i) devices.push_back(device_triple(i));
  return devices;
}

std::string file_of_67(int count) {
  std::string file;
  for (int i = 0; i < count; ++i) file += device_line(i);
  return file;
}

// With the 1,953 typical devices, this last one makes a command of exactly 131,071 bytes, the
// most that the shell can be given.
const char kLastOfTheLargest[] = "[xxxxxxxxxxx,y,z]\n";

TEST(TripleImport, LargestListIsSentWhole) {
  Sandbox box;
  const ToolResult r =
      box.run({box.write_file("devices.txt", file_of_67(1953) + kLastOfTheLargest)});
  EXPECT_EQ(r.status, 0);
  Triples expected = devices_of_67(1953);
  expected.push_back({"xxxxxxxxxxx", "y", "z"});
  EXPECT_EQ(sent_list(box), expected);
}

TEST(TripleImport, TooLargeListIsRefusedWhole) {
  const struct {
    std::string last_line;
    std::string tail;
  } cases[] = {
      {"[xxxxxxxxxxx,y,zz]\n",
       "Find 1954 items.\nDevice list too large: 131072 bytes, at most 131071.\n"},
      {device_line(1953),
       "Find 1954 items.\nDevice list too large: 131114 bytes, at most 131071.\n"},
  };
  for (const auto& c : cases) {
    Sandbox box;
    const ToolResult r = box.run({box.write_file("devices.txt", file_of_67(1953) + c.last_line)});
    ASSERT_GE(r.out.size(), c.tail.size());
    EXPECT_EQ(r.out.substr(r.out.size() - c.tail.size()), c.tail);
    EXPECT_EQ(r.status, 255);
    EXPECT_EQ(box.dbus_calls(), 0);
  }
}

TEST(TripleImport, ListPastFourGibibytesFromAPipeIsMeasuredExactly) {
  // The test is built for the tool's own target, so its size_t is the tool's.
  if (sizeof(std::size_t) > 4)
    GTEST_SKIP() << "proves a 32-bit size_t: it runs in the armhf and asan-i386 suites";
  // 2,200,000 lines of 506 single quotes, each written as 5 bytes, make a command of
  // 5,590,200,196 bytes: past what a 32-bit size_t counts. Streamed, so nothing lands on disk.
  constexpr unsigned long long kLines = 2200000;
  const std::string line = "[" + std::string(169, '\'') + "," + std::string(169, '\'') + "," +
                           std::string(168, '\'') + "]\n";
  const std::string imported = "Import device: [" + std::string(169, '\'') + " " +
                               std::string(169, '\'') + " " + std::string(168, '\'') + "] \n";
  RunOptions options;
  options.write_input = [&line](int fd) {
    std::string block;
    for (int i = 0; i < 128; ++i) block += line;
    for (unsigned long long i = 0; i < kLines / 128; ++i)
      if (!write_all(fd, block.data(), block.size())) return;
    for (unsigned long long i = 0; i < kLines % 128; ++i)
      if (!write_all(fd, line.data(), line.size())) return;
  };
  // Every line but the device lines is kept, with its place among the lines.
  unsigned long long lines = 0;
  unsigned long long imports = 0;
  std::vector<std::pair<unsigned long long, std::string>> others;
  std::string pending;
  options.take_output = [&](const char* data, std::size_t size) {
    pending.append(data, size);
    std::size_t start = 0;
    for (std::size_t end; (end = pending.find('\n', start)) != std::string::npos; start = end + 1) {
      const std::size_t length = end + 1 - start;
      if (pending.compare(start, length, imported) == 0) {
        ++imports;
      } else if (others.size() < 8) {
        others.push_back({lines, pending.substr(start, length)});
      }
      ++lines;
    }
    pending.erase(0, start);
  };
  Sandbox box;
  const ToolResult r = box.run({"/dev/stdin"}, options);
  EXPECT_EQ(imports, kLines);
  EXPECT_EQ(pending, "");
  const std::vector<std::pair<unsigned long long, std::string>> expected = {
      {0, current_dir_line()},
      {kLines + 1, "Find 2200000 items.\n"},
      {kLines + 2, "Device list too large: 5590200196 bytes, at most 131071.\n"},
  };
  EXPECT_EQ(others, expected);
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(box.dbus_calls(), 0);
}

}  // namespace
