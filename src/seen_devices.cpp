#include "seen_devices.h"

#include <cstring>

namespace {

// FNV-1a: the table only needs the bytes spread; equal fields are compared byte for byte.
std::uint32_t hash_bytes(const char* bytes, std::size_t length) {
  std::uint32_t hash = 2166136261U;
  for (std::size_t i = 0; i < length; ++i)
    hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 16777619U;
  return hash;
}

// The slot of the device whose first `length` bytes of fields are `key`, or the free slot where
// it would go.
std::uint32_t* find_slot(SeenDevices* seen, std::uint32_t* table, const char* key,
                         std::size_t length, bool by_name) {
  std::size_t i = hash_bytes(key, length) & (kSeenSlots - 1);
  for (;; i = (i + 1) & (kSeenSlots - 1)) {
    if (table[i] == 0) return &table[i];
    const SeenDevice& device = seen->devices[table[i] - 1];
    if ((by_name ? device.name_length : device.length) == length &&
        std::memcmp(seen->fields + device.offset, key, length) == 0)
      return &table[i];
  }
}

}  // namespace

void forget_devices(SeenDevices* seen) {
  seen->fields_used = 0;
  seen->count = 0;
  seen->full_at = 0;
  std::memset(seen->by_device, 0, sizeof seen->by_device);
  std::memset(seen->by_name, 0, sizeof seen->by_name);
}

Sighting sight_device(SeenDevices* seen, const DeviceTriple& triple, unsigned long long line,
                      unsigned long long* earlier) {
  // A list with more than the table holds is refused whole anyway: the search stops with the
  // keeping, so that no file, however crafted against the hash, costs more than the table's fill.
  if (seen->full_at != 0) return kNewDevice;
  char key[kFieldCount * kFieldSize];
  std::size_t length = 0;
  std::size_t name_length = 0;
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    const std::size_t field_length = std::strlen(triple.field[i]) + 1;
    std::memcpy(key + length, triple.field[i], field_length);
    length += field_length;
    if (i == 1) name_length = length;
  }
  std::uint32_t* same = find_slot(seen, seen->by_device, key, length, false);
  if (*same != 0) {
    *earlier = seen->devices[*same - 1].line;
    return kSameDevice;
  }
  std::uint32_t* named = find_slot(seen, seen->by_name, key, name_length, true);
  const Sighting sighting = *named != 0 ? kSameName : kNewDevice;
  if (*named != 0) *earlier = seen->devices[*named - 1].line;
  if (seen->count == kMostDevices || length > kMostEntryBytes - seen->fields_used) {
    seen->full_at = line;
    return sighting;
  }
  SeenDevice& device = seen->devices[seen->count];
  device.line = line;
  device.offset = static_cast<std::uint32_t>(seen->fields_used);
  device.name_length = static_cast<std::uint32_t>(name_length);
  device.length = static_cast<std::uint32_t>(length);
  std::memcpy(seen->fields + seen->fields_used, key, length);
  seen->fields_used += length;
  ++seen->count;
  *same = static_cast<std::uint32_t>(seen->count);
  if (*named == 0) *named = static_cast<std::uint32_t>(seen->count);
  return sighting;
}
