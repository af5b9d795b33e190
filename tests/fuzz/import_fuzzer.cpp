// Arbitrary bytes as a triple file, through line classification and command assembly. Whatever
// the bytes, the fields must fit their areas, the command must stay within the shell's limit,
// split into exactly the eight words of the import command, and carry exactly the accepted
// fields as JSON.
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "gateway_bus.h"
#include "import_command.h"
#include "triple_file.h"

namespace {

using Triple = std::array<std::string, 3>;

void check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "check failed: %s\n", what);
  std::abort();
}

// Splits a command as a POSIX shell would, accepting only what cannot expand, redirect or
// start another command: single-quoted text, a single quote alone in double quotes ("'"), and
// unquoted nothing but blanks and plain word characters. No backslash outside quotes: a shell that
// decodes its command in the caller's locale may take that byte for another character.
std::optional<std::vector<std::string>> split_shell_words(const std::string& command) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  for (std::size_t i = 0; i < command.size(); ++i) {
    const char c = command[i];
    if (c == ' ' || c == '\t') {
      if (in_word) words.push_back(word);
      word.clear();
      in_word = false;
      continue;
    }
    in_word = true;
    if (c == '\'') {
      const std::size_t end = command.find('\'', i + 1);
      if (end == std::string::npos) return std::nullopt;
      word += command.substr(i + 1, end - i - 1);
      i = end;
    } else if (command.compare(i, 3, "\"'\"") == 0) {
      word += '\'';
      i += 2;
    } else if (std::isalnum(static_cast<unsigned char>(c)) || std::strchr("_./:=-", c)) {
      word += c;
    } else {
      return std::nullopt;
    }
  }
  if (in_word) words.push_back(word);
  return words;
}

struct Run {
  ImportCommand* command;
  std::vector<Triple> triples;
};

void take(const DeviceTriple& triple, void* context) {
  Run* run = static_cast<Run*>(context);
  for (const char* field : triple.field) {
    const std::size_t length = std::strlen(field);
    check(length >= 1 && length <= 255, "field length");
    check(std::strchr(field, '\n') == nullptr, "line end in a field");
  }
  run->triples.push_back({triple.field[0], triple.field[1], triple.field[2]});
  append_device_entry(run->command, triple);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The per-line messages are not what is checked here.
  check(std::freopen("/dev/null", "w", stdout) != nullptr, "quiet stdout");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static char* buffer = static_cast<char*>(std::malloc(kCommandBufferSize));
  static ImportCommand command;
  if (size == 0) return 0;
  std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "r");
  check(file != nullptr, "fmemopen");

  start_import_command(&command, buffer);
  Run run = {&command, {}};
  DeviceTriple triple = {};
  unsigned long long line_number = 0;
  check(read_triple_file(file, &line_number, &triple, take, &run) == 0, "read");
  std::fclose(file);
  if (run.triples.empty()) return 0;

  close_device_list(&command);
  if (command.length > kCommandMaxLength) return 0;
  const std::string text(command.text);
  check(text.size() == command.length, "measured length");

  const std::optional<std::vector<std::string>> words = split_shell_words(text);
  check(words.has_value(), "command is plain shell words");
  check(words->size() == 8, "eight words");
  check((*words)[0] == "dbus-send", "dbus-send");
  for (std::size_t i = 1; i < 7; ++i) check((*words)[i] == kSetConfigWords[i - 1], "fixed word");
  check((*words)[7].rfind("string:", 0) == 0, "string argument");

  const nlohmann::json list = nlohmann::json::parse((*words)[7].substr(7));
  std::vector<Triple> decoded;
  for (const nlohmann::json& device : list) {
    check(device.is_array() && device.size() == 3, "device is a triple");
    decoded.push_back(device.get<Triple>());
  }
  check(decoded == run.triples, "list decodes to the accepted fields");
  return 0;
}
