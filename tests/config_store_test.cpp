#include "config_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

TEST(CheckDeviceList, AcceptsOnlyArraysOfThreeStrings) {
  for (const char* good : {"[]", R"([["a","b","c"]])", R"([["a","b","c"],["","ü","\n"]])"})
    EXPECT_EQ(check_device_list(good), "") << good;
  const std::pair<const char*, const char*> bad[] = {
      {"", "the value is not JSON"},
      {R"([["a","b","c"]] x)", "the value is not JSON"},
      {"{}", "the value is not a JSON array"},
      {R"(["a","b","c"])", "device 1 is not an array of three strings"},
      {R"([["a","b","c"],["a","b"]])", "device 2 is not an array of three strings"},
      {R"([["a","b","c","d"]])", "device 1 is not an array of three strings"},
      {R"([["a","b",3]])", "device 1 is not an array of three strings"},
  };
  for (const auto& [value, problem] : bad)
    EXPECT_EQ(check_device_list(value).rfind(problem, 0), 0u) << value;
}

struct ConfigStoreTest : testing::Test {
  const fs::path dir =
      fs::temp_directory_path() / ("config_store_test." + std::to_string(getpid()));
  const std::string path = (dir / "store.json").string();
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }
};

TEST_F(ConfigStoreTest, StoredValuesSurviveARestart) {
  ConfigStore store(path);
  ASSERT_EQ(store.load(), "");
  EXPECT_EQ(store.set(kDeviceListKey, R"([["a","b","c"]])").outcome, ConfigStore::Outcome::kStored);
  EXPECT_EQ(store.set("other", "any text").outcome, ConfigStore::Outcome::kStored);

  ConfigStore restarted(path);
  ASSERT_EQ(restarted.load(), "");
  EXPECT_EQ(restarted.get(kDeviceListKey), R"([["a","b","c"]])");
  EXPECT_EQ(restarted.get("other"), "any text");
  EXPECT_EQ(restarted.get("missing"), std::nullopt);
  EXPECT_FALSE(fs::exists(path + ".tmp"));
}

TEST_F(ConfigStoreTest, RefusedOrUnwritableValueChangesNothing) {
  ConfigStore store(path);
  ASSERT_EQ(store.set(kDeviceListKey, R"([["a","b","c"]])").outcome, ConfigStore::Outcome::kStored);
  const auto refused = store.set(kDeviceListKey, R"([["a","b"]])");
  EXPECT_EQ(refused.outcome, ConfigStore::Outcome::kInvalidValue);
  EXPECT_EQ(store.get(kDeviceListKey), R"([["a","b","c"]])");

  // A folder in the way of the temporary file makes the write fail.
  fs::create_directory(path + ".tmp");
  EXPECT_EQ(store.set(kDeviceListKey, "[]").outcome, ConfigStore::Outcome::kWriteFailed);
  EXPECT_EQ(store.get(kDeviceListKey), R"([["a","b","c"]])");
  ConfigStore restarted(path);
  ASSERT_EQ(restarted.load(), "");
  EXPECT_EQ(restarted.get(kDeviceListKey), R"([["a","b","c"]])");
}

TEST_F(ConfigStoreTest, ForeignStoreFileIsNotTakenOver) {
  std::ofstream(path) << "{\"key\": 7}";
  EXPECT_NE(ConfigStore(path).load(), "");
  std::ofstream(path) << "half a {";
  EXPECT_NE(ConfigStore(path).load(), "");
}

}  // namespace
