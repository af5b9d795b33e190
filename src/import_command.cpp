#include "import_command.h"

#include <sys/wait.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kPrefix[] =
    "dbus-send --bus=unix:path=/tmp/var/run/mbusd/mbusd_socket --dest=iot.dmp.configmanager "
    "--print-reply /iot/dmp/configmanager iot.dmp.configmanager.set_config "
    "string:'gw_dimu_devicetuple' string:'[";
static_assert(sizeof kPrefix - 1 == kCommandPrefixLength, "the prefix's length");

// Past the end of the buffer the command is only measured, so that a list too large can be
// reported with its size; the buffer itself is never overrun.
void append(ImportCommand* command, const char* text, std::size_t length) {
  if (command->length + length < kCommandBufferSize) {
    char* end = command->text + static_cast<std::size_t>(command->length);
    std::memcpy(end, text, length);
    end[length] = '\0';
  }
  command->length += length;
}

// A field stands inside a JSON string inside a single-quoted shell word. For JSON, '"', '\' and
// the control bytes are escaped. A single quote leaves the shell word, stands alone in double
// quotes and comes back ('"'"'): no backslash outside quotes, which a shell that decodes its
// command in the caller's locale (yash) may read as another character (Shift_JIS's yen sign), so
// that the field would end the word and run as a command. Every other byte, UTF-8 included,
// stands as it is: then this returns null.
const char* escape(unsigned char byte, char (&scratch)[7]) {
  // Nearly every byte is one from '(' up and stands as it is, so that is decided first, in two
  // comparisons, before any lookup among the specials.
  if (byte >= '(') return byte == '\\' ? "\\\\" : nullptr;
  if (byte >= 0x20 && byte != '"' && byte != '\'') return nullptr;
  if (byte == '\'') return "'\"'\"'";
  static const char kShort[] = "\"\b\f\n\r\t";  // written as '\' and the letter below
  static const char kShortLetter[] = "\"bfnrt";
  const char* special = std::strchr(kShort, byte);  // a field holds no NUL byte
  if (special) {
    (void)std::snprintf(scratch, sizeof scratch, "\\%c", kShortLetter[special - kShort]);
  } else {
    (void)std::snprintf(scratch, sizeof scratch, "\\u%04x", byte);
  }
  return scratch;
}

void append_field(ImportCommand* command, const char* field) {
  char scratch[7];
  const char* plain = field;  // the bytes from here on are not appended yet
  for (const char* p = field; *p != '\0'; ++p) {
    const char* escaped = escape(static_cast<unsigned char>(*p), scratch);
    if (!escaped) continue;
    append(command, plain, static_cast<std::size_t>(p - plain));
    append(command, escaped, std::strlen(escaped));
    plain = p + 1;
  }
  append(command, plain, std::strlen(plain));
}

}  // namespace

void start_import_command(ImportCommand* command, char* buffer) {
  command->text = buffer;
  command->length = 0;
  append(command, kPrefix, sizeof kPrefix - 1);
}

void append_device_entry(ImportCommand* command, const DeviceTriple& triple) {
  append(command, "[\"", 2);
  append_field(command, triple.field[0]);
  append(command, "\",\"", 3);
  append_field(command, triple.field[1]);
  append(command, "\",\"", 3);
  append_field(command, triple.field[2]);
  append(command, "\"],", 3);
}

void close_device_list(ImportCommand* command) {
  // The last entry's trailing comma gives way to the closing.
  --command->length;
  append(command, "]'", 2);
}

int run_import_command(const ImportCommand& command) {
  // Without this, our own lines would come after the command's output in a pipe or a file. Should
  // standard output be a pipe whose reader has gone, this write (or an earlier one) ends the tool
  // by SIGPIPE, before anything is sent, unless the tool's parent left that signal ignored.
  (void)std::fflush(stdout);
  // A parent that ignores SIGCHLD leaves it ignored here too; the kernel would then reap the shell
  // itself, and system() could not wait for it and would report a stored list as a failure.
  (void)std::signal(SIGCHLD, SIG_DFL);
  const int status = std::system(command.text);  // NOLINT(cert-env33-c): every field is quoted
  if (status == -1 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}
