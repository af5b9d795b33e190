// Black-box runs of the built tool with a recording dbus-send first on PATH.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "device_lines.h"
#include "set_config_words.h"
#include "tool_run.h"

namespace {

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
  const std::string copy = "/triple_import_test." + std::to_string(getpid());
  std::error_code error;
  std::filesystem::copy_file(tool_path(), copy, error);
  if (error) GTEST_SKIP() << "the root directory is not writable here";
  Sandbox box;
  std::vector<std::string> words = tool_words(copy);
  words.push_back("missing.txt");
  const ToolResult r = box.run_program(words);
  std::filesystem::remove(copy);
  EXPECT_EQ(r.out, "Current Dir =  \n" + copy + ": Unable to open missing.txt");
  EXPECT_EQ(r.status, 255);
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

TEST(TripleImport, LargestListIsSentWhole) {
  Sandbox box;
  const ToolResult r = box.run({box.write_file("devices.txt", file_of_67(1953))});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(sent_list(box), devices_of_67(1953));
}

TEST(TripleImport, TooLargeListIsRefusedWhole) {
  Sandbox box;
  const ToolResult r = box.run({box.write_file("devices.txt", file_of_67(1954))});
  const std::string tail =
      "Find 1954 items.\nDevice list too large: 131114 bytes, at most 131071.\n";
  ASSERT_GE(r.out.size(), tail.size());
  EXPECT_EQ(r.out.substr(r.out.size() - tail.size()), tail);
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(box.dbus_calls(), 0);
}

}  // namespace
