// The values that the stand-in configuration manager keeps, and the file they live in.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "gateway_bus.h"

// Why `value` is not a JSON array of arrays of three strings; empty when it is one.
std::string check_device_list(const std::string& value);

class ConfigStore {
 public:
  enum class Outcome { kStored, kInvalidValue, kWriteFailed };
  struct Result {
    Outcome outcome;
    std::string message;
  };

  explicit ConfigStore(std::string path) : path_(std::move(path)) {}

  // Reads the store file; a missing file is an empty store. Returns why it could not be read.
  std::string load();
  // Checks the value and keeps it. The whole store goes to a temporary file that is renamed over
  // the old one, so a crash leaves either the old store or the new one, never a mix.
  Result set(const std::string& key, const std::string& value);
  std::optional<std::string> get(const std::string& key) const;

 private:
  std::string write(const std::map<std::string, std::string>& values) const;

  std::string path_;
  std::map<std::string, std::string> values_;
};
