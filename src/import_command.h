// The shell command that stores the device list in the configuration manager over the gateway's
// bus: one dbus-send call of set_config with the key and the list as JSON text.
#ifndef TRIPLE_IMPORT_IMPORT_COMMAND_H
#define TRIPLE_IMPORT_IMPORT_COMMAND_H

#include <cstddef>

#include "triple_file.h"

constexpr std::size_t kCommandBufferSize = 2097152;
// The fixed start of the command, up to and with the '[' that opens the device list.
constexpr std::size_t kCommandPrefixLength = 195;
// Linux refuses a single program argument of 128 KiB or more with its terminator, and the shell
// receives the whole command as one argument.
constexpr std::size_t kCommandMaxLength = 131071;
struct ImportCommand {
  char* text;  // the command buffer, kCommandBufferSize bytes
  // Length of the command so far, counted on past the end of the buffer. 64 bits: a file streamed
  // through a pipe can make it pass 4 GiB, where a 32-bit size_t would wrap.
  unsigned long long length;
};

// Writes the fixed start of the command, which opens the device list, into `buffer`.
void start_import_command(ImportCommand* command, char* buffer);

// Appends ["f1","f2","f3"], with the fields escaped for JSON and for the single-quoted shell word.
void append_device_entry(ImportCommand* command, const DeviceTriple& triple);

// Ends the device list; call it only after at least one entry.
void close_device_list(ImportCommand* command);

// Runs the command through the shell and waits for it. Returns the shell's exit status, or -1
// when the shell could not be run or was killed by a signal.
int run_import_command(const ImportCommand& command);

#endif
