// Typical device triples: 67 characters as a device entry, the size that the command's limit and
// the benchmarks are figured with (1,953 of them make the longest command that the shell takes).
#pragma once

#include <array>
#include <cstdio>
#include <string>

inline std::array<std::string, 3> device_triple(int i) {
  char key[32];
  char name[32];
  std::snprintf(key, sizeof key, "product_key_%06d", i);
  std::snprintf(name, sizeof name, "device_name_%06d", i);
  return {key, name, "secret_0123456789abc"};
}

// The triple as a line of a triple file, with its line break.
inline std::string device_line(int i) {
  const std::array<std::string, 3> triple = device_triple(i);
  return "[" + triple[0] + "," + triple[1] + "," + triple[2] + "]\n";
}
