// The tool against the stand-in configuration manager on a private gateway bus; each test runs
// under scripts/gateway-bus, which provides the bus, and the bus starts the stand-in when called.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "gateway_bus.h"
#include "tool_run.h"

namespace {

const std::string kBus = std::string("--bus=") + kGatewayBusAddress;
const std::string kDest = std::string("--dest=") + kConfigManagerName;
const std::string kMethods = std::string(kConfigManagerInterface) + ".";

// dbus-send itself, not the sandbox's recording stand-in.
RunOptions on_system_path() {
  RunOptions options;
  const char* path = std::getenv("PATH");
  options.path = path && *path ? path : "/usr/bin:/bin";
  return options;
}

std::string stored_file() {
  std::ifstream in(std::getenv("CONFIGMANAGER_STORE"), std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The device list as the configuration manager gives it back over the bus.
std::string read_back(const Sandbox& box) {
  const ToolResult r =
      box.run_program({"dbus-send", kBus, "--print-reply=literal", kDest, kConfigManagerPath,
                       kMethods + "get_config", std::string("string:") + kDeviceListKey},
                      on_system_path());
  EXPECT_EQ(r.status, 0) << r.err;
  const std::size_t start = r.out.find_first_not_of(' ');
  return start == std::string::npos ? "" : r.out.substr(start);
}

class EndToEnd : public testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("CONFIGMANAGER_STORE")) GTEST_SKIP() << "run it under scripts/gateway-bus";
  }
  Sandbox box;
};

TEST_F(EndToEnd, StoredListHoldsExactlyTheTriplesOfTheFile) {
  const ToolResult r = box.run({box.write_file("devices.txt",
                                               "# hall B\n"
                                               "[pk1,dev1,s1]\n"
                                               "[it's,say \"hi\",back\\slash]\n"
                                               "[$(touch pwned),`id`;x, two  blanks ]\n"
                                               "[Grüße,温度,✓]\n"
                                               "[noncharacter,\xef\xbf\xbe,x]\n"
                                               "not a triple\n")},
                               on_system_path());
  EXPECT_EQ(r.status, 0) << r.out;
  // A bus would refuse the whole list for the noncharacter U+FFFE; its line alone is left out.
  EXPECT_NE(r.out.find("Line 6: get triple error: [noncharacter,"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Find 4 items.\nmethod return"), std::string::npos) << r.out;
  const Triples expected = {{"pk1", "dev1", "s1"},
                            {"it's", "say \"hi\"", "back\\slash"},
                            {"$(touch pwned)", "`id`;x", " two  blanks "},
                            {"Grüße", "温度", "✓"}};
  EXPECT_EQ(decode_device_list("string:" + read_back(box)), expected);
  EXPECT_FALSE(box.exists("pwned"));
}

TEST_F(EndToEnd, ValueThatIsNotAListOfTriplesIsRefused) {
  ASSERT_EQ(box.run({box.write_file("devices.txt", "[a,b,c]\n")}, on_system_path()).status, 0);
  const std::string before = stored_file();
  for (const std::string value :
       {"not json", "{}", "[[\"a\",\"b\"]]", "[[\"a\",\"b\",1]]", "[\"a\",\"b\",\"c\"]"}) {
    const ToolResult r = box.run_program(
        {"dbus-send", kBus, "--print-reply", kDest, kConfigManagerPath, kMethods + "set_config",
         std::string("string:") + kDeviceListKey, "string:" + value},
        on_system_path());
    EXPECT_NE(r.status, 0) << value;
    EXPECT_NE(r.err.find("Error " + kMethods + "Error.InvalidValue"), std::string::npos) << r.err;
  }
  EXPECT_EQ(stored_file(), before);
  EXPECT_EQ(read_back(box), R"([["a","b","c"]])");
}

// Its tests run on a bus that has no configuration manager to start.
class EndToEndWithoutConfigManager : public EndToEnd {};

TEST_F(EndToEndWithoutConfigManager, ImportFailsTheRun) {
  const ToolResult r = box.run({box.write_file("devices.txt", "[a,b,c]\n")}, on_system_path());
  EXPECT_NE(r.out.find("Find 1 items.\nImport command failed: status 1\n"), std::string::npos)
      << r.out;
  EXPECT_NE(r.err.find("org.freedesktop.DBus.Error.ServiceUnknown"), std::string::npos) << r.err;
  EXPECT_EQ(r.status, 255);
}

}  // namespace
