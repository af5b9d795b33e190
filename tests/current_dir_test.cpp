// get_current_dir, the run sequence's lookup of the executable's folder, in this very process: the
// run sequence is built in, with its main renamed, and this executable stands in for the tool's.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "triple_import.h"

namespace {

namespace fs = std::filesystem;

// The text up to the terminator within `area`, or "(unterminated)".
std::string terminated(const char (&area)[kDirSize]) {
  const void* end = std::memchr(area, '\0', sizeof area);
  return end ? std::string(area, static_cast<const char*>(end)) : "(unterminated)";
}

TEST(GetCurrentDir, AnswersInAnyAreaAndKeepsItsFirstAnswer) {
  EXPECT_EQ(get_current_dir(nullptr), -1);

  // The area is not zero-filled: the answer must bring its own terminator.
  const fs::path exe = fs::read_symlink("/proc/self/exe");
  char dir[kDirSize];
  std::memset(dir, 'x', sizeof dir);
  ASSERT_EQ(get_current_dir(dir), 0);
  EXPECT_EQ(terminated(dir), exe.parent_path().string());

  // Moved into another folder, the executable's link names that one (but under qemu-arm, which
  // answers for the link itself); the first answer stays.
  const fs::path elsewhere = exe.parent_path() / "current_dir_test.moved";
  fs::create_directory(elsewhere);
  fs::rename(exe, elsewhere / exe.filename());
  char again[kDirSize];
  std::memset(again, 'y', sizeof again);
  const int status = get_current_dir(again);
  fs::rename(elsewhere / exe.filename(), exe);
  fs::remove(elsewhere);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(terminated(again), exe.parent_path().string());
}

}  // namespace
