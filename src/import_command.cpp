#include "import_command.h"

#include <sys/wait.h>

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

// The field goes inside a JSON string inside a single-quoted shell word: '"' and '\' are escaped
// for JSON, control bytes too, and a single quote leaves the shell word and comes back ('\'').
// Every other byte, UTF-8 included, stands as it is.
char* escape_field(char* out, const char* field) {
  static const char kHex[] = "0123456789abcdef";
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(field); *p; ++p) {
    const unsigned char c = *p;
    if (c >= 0x20 && c != '"' && c != '\\' && c != '\'') {
      *out++ = static_cast<char>(c);
      continue;
    }
    switch (c) {
      case '\'':
        std::memcpy(out, "'\\''", 4);
        out += 4;
        continue;
      case '"':
      case '\\':
        *out++ = '\\';
        *out++ = static_cast<char>(c);
        continue;
      case '\b':
        *out++ = '\\', *out++ = 'b';
        continue;
      case '\f':
        *out++ = '\\', *out++ = 'f';
        continue;
      case '\n':
        *out++ = '\\', *out++ = 'n';
        continue;
      case '\r':
        *out++ = '\\', *out++ = 'r';
        continue;
      case '\t':
        *out++ = '\\', *out++ = 't';
        continue;
      default:
        std::memcpy(out, "\\u00", 4);
        out[4] = kHex[c >> 4];
        out[5] = kHex[c & 0xF];
        out += 6;
    }
  }
  return out;
}

}  // namespace

void start_import_command(ImportCommand* command, char* buffer) {
  command->text = buffer;
  command->length = 0;
  append_text(command, kPrefix, sizeof kPrefix - 1);
}

void append_device_entry(ImportCommand* command, const DeviceTriple& triple) {
  char* out = command->entry;
  *out++ = '[';
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    *out++ = '"';
    out = escape_field(out, triple.field[i]);
    *out++ = '"';
    *out++ = ',';
  }
  out[-1] = ']';
  *out++ = ',';
  append_text(command, command->entry, static_cast<std::size_t>(out - command->entry));
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
  // Without this, our own lines would come after the command's output in a pipe or a file.
  std::fflush(stdout);
  const int status = std::system(command.text);
  if (status == -1 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}
