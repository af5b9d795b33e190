#include "seen_devices.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

DeviceTriple triple(const char* a, const char* b, const char* c) {
  DeviceTriple t = {};
  std::strcpy(t.field[0], a);
  std::strcpy(t.field[1], b);
  std::strcpy(t.field[2], c);
  return t;
}

TEST(SeenDevices, RepeatsNameTheLineWithTheSameFields) {
  auto seen = std::make_unique<SeenDevices>();
  forget_devices(seen.get());
  // A device is its three fields: "ab","c" is not "a","bc".
  const struct {
    DeviceTriple device;
    Sighting sighting;
    unsigned long long earlier;
  } lines[] = {
      {triple("a", "b", "X1"), kNewDevice, 0},  {triple("a", "b", "Y2"), kSameName, 1},
      {triple("a", "b", "Y2"), kSameDevice, 2}, {triple("a", "b", "X1"), kSameDevice, 1},
      {triple("ab", "c", "X1"), kNewDevice, 0}, {triple("a", "bc", "X1"), kNewDevice, 0},
      {triple("a", "b", "Z3"), kSameName, 1},
  };
  unsigned long long line = 0;
  for (const auto& l : lines) {
    unsigned long long earlier = 0;
    EXPECT_EQ(sight_device(seen.get(), l.device, ++line, &earlier), l.sighting) << line;
    EXPECT_EQ(earlier, l.earlier) << line;
  }
  forget_devices(seen.get());
  unsigned long long earlier = 0;
  EXPECT_EQ(sight_device(seen.get(), lines[0].device, 1, &earlier), kNewDevice);
}

// The longest list of `device(i)` that one import carries, as the tool builds its command.
template <typename Device>
std::size_t most_that_one_import_carries(Device device) {
  std::vector<char> buffer(kCommandBufferSize);
  ImportCommand command;
  start_import_command(&command, buffer.data());
  std::size_t count = 0;
  for (;; ++count) {
    append_device_entry(&command, device(count));
    if (command.length + 1 > kCommandMaxLength) return count;  // less the last ',', and "]'"
  }
}

TEST(SeenDevices, KeepsTheLargestListThatOneImportCarries) {
  // The shortest devices, three fields of one byte each, and the widest, of 255 bytes each.
  const auto shortest = [](std::size_t i) {
    const char* digits = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const char field[3][2] = {{digits[i % 62], 0}, {digits[i / 62 % 62], 0}, {digits[i / 3844], 0}};
    return triple(field[0], field[1], field[2]);
  };
  const auto widest = [](std::size_t i) {
    std::string field = std::to_string(i);
    field.resize(255, 'w');
    return triple(field.c_str(), field.c_str(), field.c_str());
  };
  auto seen = std::make_unique<SeenDevices>();
  for (const auto& device : {std::function<DeviceTriple(std::size_t)>(shortest), {widest}}) {
    forget_devices(seen.get());
    const std::size_t most = most_that_one_import_carries(device);
    unsigned long long earlier = 0;
    for (std::size_t i = 0; i < most; ++i)
      ASSERT_NE(sight_device(seen.get(), device(i), i + 1, &earlier), kSameDevice) << i;
    EXPECT_EQ(seen->full_at, 0u) << most;
    // Every device kept names its line when it comes again.
    for (std::size_t i = 0; i < most; ++i) {
      ASSERT_EQ(sight_device(seen.get(), device(i), most + 1, &earlier), kSameDevice) << i;
      EXPECT_EQ(earlier, i + 1);
    }
  }
  // Past the shortest list, the next device is the first that the table cannot keep, and the search
  // stops there, for a list with it is refused whole anyway.
  forget_devices(seen.get());
  const std::size_t most = most_that_one_import_carries(shortest);
  unsigned long long earlier = 0;
  for (std::size_t i = 0; i <= most; ++i) sight_device(seen.get(), shortest(i), i + 1, &earlier);
  EXPECT_EQ(seen->full_at, most + 1);
  EXPECT_EQ(sight_device(seen.get(), shortest(most), most + 2, &earlier), kNewDevice);
  EXPECT_EQ(sight_device(seen.get(), shortest(0), most + 3, &earlier), kNewDevice);
}

}  // namespace
