// The devices of one list, by their fields, so that a repeated device can name the earlier line.
#ifndef TRIPLE_IMPORT_SEEN_DEVICES_H
#define TRIPLE_IMPORT_SEEN_DEVICES_H

#include <cstddef>
#include <cstdint>

#include "import_command.h"
#include "triple_file.h"

// No device entry of the command is shorter than ["a","b","c"], with its comma, so a list that
// one import carries holds at most this many devices, and their fields, each with a terminator,
// take fewer bytes than their entries. A list with more is refused whole anyway.
constexpr std::size_t kShortestEntry = 14;
constexpr std::size_t kMostEntryBytes = kCommandMaxLength - kCommandPrefixLength - 1;
constexpr std::size_t kMostDevices = kMostEntryBytes / kShortestEntry;
// Power-of-two tables of indexes, at most three quarters full.
constexpr std::size_t kSeenSlots = 16384;
static_assert(4 * kMostDevices <= 3 * kSeenSlots, "the tables hold every device of one import");

struct SeenDevice {
  unsigned long long line;
  std::uint32_t offset;       // of its fields in `fields`, each ended by a NUL
  std::uint32_t name_length;  // fields 1 and 2 with their NULs: the device's name
  std::uint32_t length;       // all three with their NULs
};

struct SeenDevices {
  char fields[kMostEntryBytes];
  std::size_t fields_used;
  SeenDevice devices[kMostDevices];
  std::size_t count;
  // An index into `devices` plus 1, or 0 for a free slot; by all three fields, and by the name.
  std::uint32_t by_device[kSeenSlots];
  std::uint32_t by_name[kSeenSlots];
  unsigned long long full_at;  // the first device's line that found no room, or 0
};

enum Sighting {
  kNewDevice,
  kSameDevice,  // all three fields as on an earlier line
  kSameName,    // fields 1 and 2 as on an earlier line, another field 3
};

// Forgets every device: a new list begins.
void forget_devices(SeenDevices* seen);

// Looks `triple` up among the devices seen so far and, when it is new and there is room, keeps
// it. `earlier` gets the line of the first device with the same fields, or with the same name.
// Once a device found no room, the search stops: every later device is new.
Sighting sight_device(SeenDevices* seen, const DeviceTriple& triple, unsigned long long line,
                      unsigned long long* earlier);

#endif
