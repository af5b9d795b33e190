#include "import_command.h"

#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kPrefix[] =
    "dbus-send --bus=unix:path=/tmp/var/run/mbusd/mbusd_socket --dest=iot.dmp.configmanager "
    "--print-reply /iot/dmp/configmanager iot.dmp.configmanager.set_config "
    "string:'gw_dimu_devicetuple' string:'[";
const char kClosing[] = "]'";

// Past the end of the buffer the command is only measured, so that an oversized list can be
// reported with its size; the buffer itself is never overrun.
void append_text(ImportCommand* command, const char* text, std::size_t length) {
  if (command->length + length < kCommandBufferSize) {
    std::memcpy(command->text + command->length, text, length);
    command->text[command->length + length] = '\0';
  }
  command->length += length;
}

// Whether eight bytes surely need no escaping (see escape_byte): none is below '(' (0x28, above
// the control bytes, '"' and '\'') nor is '\\'. Blanks and "!#$%&" also fail this cheap test and
// take the exact path, byte by byte; bytes of 0x80 and above pass.
bool all_plain(std::uint64_t word) {
  const std::uint64_t ones = 0x0101010101010101U;
  const std::uint64_t highs = 0x8080808080808080U;
  const std::uint64_t below = (word - ones * 0x28) & ~word;
  const std::uint64_t backslash = word ^ (ones * '\\');
  return ((below | ((backslash - ones) & ~backslash)) & highs) == 0;
}

// The field goes inside a JSON string inside a single-quoted shell word: '"' and '\' are escaped
// for JSON, control bytes too, and a single quote leaves the shell word and comes back ('\'').
// Every other byte, UTF-8 included, stands as it is.
bool escape_byte_needed(unsigned char c) {
  return c < 0x20 || c == '"' || c == '\\' || c == '\'';
}

char* escape_byte(char* out, unsigned char c) {
  static const char kHex[] = "0123456789abcdef";
  static const char kShort[] = "btn-fr";  // from 0x08: \b \t \n, (\v has none), \f \r
  if (!escape_byte_needed(c)) {
    *out = static_cast<char>(c);
    return out + 1;
  }
  if (c == '\'') {
    out[0] = '\'', out[1] = '\\', out[2] = '\'', out[3] = '\'';
    return out + 4;
  }
  out[0] = '\\';
  if (c == '"' || c == '\\') {
    out[1] = static_cast<char>(c);
    return out + 2;
  }
  if (c >= '\b' && c <= '\r' && c != '\v') {
    out[1] = kShort[c - '\b'];
    return out + 2;
  }
  out[1] = 'u', out[2] = '0', out[3] = '0';
  out[4] = kHex[c >> 4];
  out[5] = kHex[c & 0xF];
  return out + 6;
}

// Whether a field can be copied as it is, the usual case: checked eight bytes at a time, the
// last eight overlapping the ones before where the length is not a multiple of eight.
bool field_is_plain(const char* field, std::size_t length) {
  std::uint64_t word;
  if (length < sizeof word) {
    for (std::size_t i = 0; i < length; ++i)
      if (escape_byte_needed(static_cast<unsigned char>(field[i]))) return false;
    return true;
  }
  for (std::size_t i = 0; i + sizeof word < length; i += sizeof word) {
    std::memcpy(&word, field + i, sizeof word);
    if (!all_plain(word)) return false;
  }
  std::memcpy(&word, field + length - sizeof word, sizeof word);
  return all_plain(word);
}

char* escape_field(char* out, const char* field, std::size_t length) {
  if (field_is_plain(field, length)) {
    std::memcpy(out, field, length);
    return out + length;
  }
  for (std::size_t i = 0; i < length; ++i)
    out = escape_byte(out, static_cast<unsigned char>(field[i]));
  return out;
}

}  // namespace

void start_import_command(ImportCommand* command, char* buffer) {
  command->text = buffer;
  command->length = 0;
  append_text(command, kPrefix, sizeof kPrefix - 1);
}

void append_device_entry(ImportCommand* command, const DeviceTriple& triple) {
  // Straight into the buffer while even the widest entry fits there; past that, the entry area
  // serves for measuring.
  const bool room = command->length + kEntrySize < kCommandBufferSize;
  char* const start = room ? command->text + command->length : command->entry;
  char* out = start;
  *out++ = '[';
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    *out++ = '"';
    out = escape_field(out, triple.field[i], triple.length[i]);
    *out++ = '"';
    *out++ = ',';
  }
  out[-1] = ']';
  *out++ = ',';
  const std::size_t length = static_cast<std::size_t>(out - start);
  if (room) {
    *out = '\0';
    command->length += length;
  } else {
    append_text(command, command->entry, length);
  }
}

void close_device_list(ImportCommand* command) {
  // The last entry's trailing comma gives way to the closing.
  --command->length;
  append_text(command, kClosing, sizeof kClosing - 1);
}

bool import_command_fits(const ImportCommand& command) {
  return command.length <= kCommandMaxLength;
}

int run_import_command(const ImportCommand& command) {
  // Without this, our own lines would come after the command's output in a pipe or a file. The
  // import goes ahead even if they cannot be written.
  (void)std::fflush(stdout);
  // The command line is the interface to dbus-send; every field in it is quoted.
  const int status = std::system(command.text);  // NOLINT(cert-env33-c)
  if (status == -1 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}
