#include "config_store.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

using nlohmann::json;

std::string check_device_list(const std::string& value) {
  json list;
  try {
    list = json::parse(value);
  } catch (const json::parse_error& e) {
    return std::string("the value is not JSON: ") + e.what();
  }
  if (!list.is_array()) return "the value is not a JSON array";
  for (std::size_t i = 0; i < list.size(); ++i) {
    const json& device = list[i];
    if (!device.is_array() || device.size() != 3 || !device[0].is_string() ||
        !device[1].is_string() || !device[2].is_string())
      return "device " + std::to_string(i + 1) + " is not an array of three strings";
  }
  return "";
}

std::string ConfigStore::load() {
  std::ifstream in(path_, std::ios::binary);
  if (!in) return errno == ENOENT ? "" : path_ + ": " + std::strerror(errno);
  try {
    const json stored = json::parse(in);
    std::map<std::string, std::string> values;
    for (const auto& [key, value] : stored.items()) values[key] = value.get<std::string>();
    values_ = std::move(values);
  } catch (const json::exception& e) {
    return path_ + " is not a store of this configuration manager: " + e.what();
  }
  return "";
}

ConfigStore::Result ConfigStore::set(const std::string& key, const std::string& value) {
  if (key == kDeviceListKey) {
    const std::string problem = check_device_list(value);
    if (!problem.empty()) return {Outcome::kInvalidValue, problem};
  }
  std::map<std::string, std::string> values = values_;
  values[key] = value;
  const std::string problem = write(values);
  if (!problem.empty()) return {Outcome::kWriteFailed, problem};
  values_ = std::move(values);
  return {Outcome::kStored, ""};
}

std::optional<std::string> ConfigStore::get(const std::string& key) const {
  const auto found = values_.find(key);
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

std::string ConfigStore::write(const std::map<std::string, std::string>& values) const {
  const std::string text = json(values).dump(2) + "\n";
  const std::string temporary = path_ + ".tmp";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return temporary + ": " + std::strerror(errno);
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  const int saved = errno;
  const bool written = done == text.size() && ::fsync(fd) == 0;
  ::close(fd);
  if (!written || std::rename(temporary.c_str(), path_.c_str()) != 0) {
    const std::string problem = temporary + ": " + std::strerror(written ? errno : saved);
    std::remove(temporary.c_str());
    return problem;
  }
  return "";
}
