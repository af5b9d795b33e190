// Runs the built triple_import as a user would, with a recording dbus-send first on PATH.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

using Triples = std::vector<std::array<std::string, 3>>;

struct ToolResult {
  std::string out;  // standard output, byte for byte
  std::string err;  // standard error
  int status;       // exit status, or -1 when killed by a signal
};

struct RunOptions {
  bool empty_argument_vector = false;  // no program name, not even an empty one
  std::string path;                    // PATH; by default the sandbox folder, then this process's
  std::string working_dir;             // below the sandbox folder; may be longer than PATH_MAX
  // Writes the program's standard input, a pipe, while it runs; by default it is empty.
  std::function<void(int fd)> write_input;
  // Takes the standard output as it comes, instead of ToolResult::out, which stays empty.
  std::function<void(const char* data, std::size_t size)> take_output;
  unsigned long long address_space_limit = 0;  // RLIMIT_AS in bytes; 0: none
  bool ignore_sigchld = false;                 // as a careless parent leaves it
  // A folder below the sandbox folder that becomes the program's root directory, with every entry
  // of the real root bound into it, in a mount namespace of its own (root only). Where that
  // cannot be done, the run's status is kNoPrivateRoot and its standard error says why.
  std::string root;
};

constexpr int kNoPrivateRoot = 125;

// A scratch folder with a stand-in dbus-send that records its argument vector and exits with a
// chosen status. Removed with everything in it when the object goes.
class Sandbox {
 public:
  Sandbox();
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  const std::string& dir() const { return dir_; }
  std::string write_file(const std::string& name, const std::string& content) const;
  bool exists(const std::string& name) const;
  void set_dbus_status(int status) const;

  // Runs the tool with these arguments.
  ToolResult run(const std::vector<std::string>& args, const RunOptions& options = {}) const;
  // Runs a program, found on this process's PATH, as the options say.
  ToolResult run_program(std::vector<std::string> words, const RunOptions& options = {}) const;
  // How often dbus-send was run, and the argument vector of its last run.
  int dbus_calls() const;
  std::vector<std::string> dbus_argv() const;
  // What dbus-send had open, one path a line.
  std::string dbus_files() const;

 private:
  std::string dir_;
};

// The tool under test (TRIPLE_IMPORT_TOOL), run through the words of TRIPLE_IMPORT_RUNNER, if any.
const std::string& tool_path();
bool tool_is_emulated();
// The words that run a copy of the tool: the runner's, then `tool`.
std::vector<std::string> tool_words(const std::string& tool);
// The directory that the tool should report for itself.
std::string tool_dir();

// Writes all of `data` to `fd`; false when the reader has gone or the write fails.
bool write_all(int fd, const char* data, std::size_t size);

// Decodes the device list argument of a set_config call ("string:" and JSON text).
Triples decode_device_list(const std::string& argument);
