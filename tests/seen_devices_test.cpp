#include "seen_devices.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>

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

TEST(SeenDevices, KeepsNoMoreThanOneImportCarriesYetKnowsThoseItKept) {
  auto seen = std::make_unique<SeenDevices>();
  forget_devices(seen.get());
  char name[16];
  unsigned long long earlier = 0;
  for (std::size_t i = 0; i <= kMostDevices; ++i) {
    std::snprintf(name, sizeof name, "%zu", i);
    EXPECT_EQ(sight_device(seen.get(), triple(name, "b", "c"), i + 1, &earlier), kNewDevice);
  }
  EXPECT_EQ(seen->count, kMostDevices);
  EXPECT_EQ(seen->full_at, kMostDevices + 1);
  EXPECT_EQ(sight_device(seen.get(), triple("7", "b", "c"), 1, &earlier), kSameDevice);
  EXPECT_EQ(earlier, 8u);
  // Fields as long as they come fill the room for fields before the count runs out.
  forget_devices(seen.get());
  const std::string wide(255, 'w');
  for (std::size_t i = 0; seen->full_at == 0; ++i) {
    std::snprintf(name, sizeof name, "%zu", i);
    sight_device(seen.get(), triple(name, wide.c_str(), wide.c_str()), i + 1, &earlier);
  }
  EXPECT_LT(seen->count, kMostDevices);
  EXPECT_LE(seen->fields_used, sizeof seen->fields);
  EXPECT_GT(seen->fields_used + 2 * 256 + 5, sizeof seen->fields);
}

}  // namespace
