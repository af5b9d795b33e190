#include "tool_run.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace {

// One file a word, and none of the bytes that ISO 646's national variants take for letters (such as
// a backslash, a bar or brackets): any /bin/sh reads this script alike in any locale, even in one
// that decodes the byte of a backslash as a yen sign.
const char kStandIn[] = R"sh(#!/bin/sh
here=$(dirname "$0")
echo call >> "$here/dbus_calls"
count=0
for arg do
  count=$((count + 1))
  printf '%s' "$arg" > "$here/dbus_arg.$count"
done
echo "$count" > "$here/dbus_argc"
for fd in /proc/$$/fd/*; do readlink "$fd"; done > "$here/dbus_files"
echo "dbus-send stand-in ran"
status=0
test -e "$here/dbus_status" && status=$(cat "$here/dbus_status")
exit "$status"
)sh";

std::string read_all(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> split_words(const char* text) {
  std::vector<std::string> words;
  std::istringstream in(text ? text : "");
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// This process's PATH; empty when it has none.
std::string inherited_path() {
  const char* path = std::getenv("PATH");
  return path ? path : "";
}

// Finds a program on this process's PATH; the tool runs with another one.
std::string find_program(const std::string& name) {
  if (name.find('/') != std::string::npos) return name;
  std::istringstream path(inherited_path());
  for (std::string dir; std::getline(path, dir, ':');) {
    const std::string candidate = dir + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return name;
}

const char* setting(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value ? value : fallback;
}

const char* runner() {
  return setting("TRIPLE_IMPORT_RUNNER", DEFAULT_RUNNER);
}

// Runs a command with ROOT as its root directory, in a mount namespace of its own, with every
// entry of the real root bound into it: what the command writes at its root stays in ROOT, and
// the mounts go with the command. A shell script run by the machine's own unshare, so that it works
// the same where this test runs under an emulator, which maps paths of its own. It is its own $0:
// it runs once outside the namespace and once inside. Each step that this machine may refuse is
// tried as it is, and its refusal ends the script with kNoPrivateRoot.
const char kInPrivateRoot[] = R"sh(
refused() { echo "$1" >&2; exit 125; }
if [ "$1" != --inside ]; then
  error=$(unshare --mount --propagation private true 2>&1) || refused "$error"
  exec unshare --mount --propagation private sh -c "$0" "$0" --inside "$@"
fi
root=$2; shift 2
for from in /*; do
  to=$root$from
  if [ -L "$from" ]; then ln -s "$(readlink "$from")" "$to"
  elif [ -d "$from" ]; then mkdir "$to" && mount --rbind "$from" "$to"
  else : >"$to" && mount --bind "$from" "$to"
  fi 2>/dev/null || refused "cannot bind $from into $root"
done
error=$(unshare --root="$root" true 2>&1) || refused "$error"
exec unshare --root="$root" --wd="$PWD" "$@"
)sh";

}  // namespace

const std::string& tool_path() {
  static const std::string path = setting("TRIPLE_IMPORT_TOOL", DEFAULT_TOOL);
  return path;
}

bool tool_is_emulated() {
  return !split_words(runner()).empty();
}

std::string tool_dir() {
  return fs::canonical(tool_path()).parent_path().string();
}

Sandbox::Sandbox() {
  // In the folder that the test run gives (TMPDIR), never in the machine's /tmp when it gives one.
  const char* tmpdir = std::getenv("TMPDIR");
  std::string pattern =
      std::string(tmpdir && *tmpdir ? tmpdir : "/tmp") + "/triple_import_test.XXXXXX";
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed in " + pattern);
  dir_ = pattern;
  const std::string standin = write_file("dbus-send", kStandIn);
  fs::permissions(standin, fs::perms::owner_all);
}

Sandbox::~Sandbox() {
  std::error_code ignored;
  fs::remove_all(dir_, ignored);
}

std::string Sandbox::write_file(const std::string& name, const std::string& content) const {
  const std::string path = dir_ + "/" + name;
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

bool Sandbox::exists(const std::string& name) const {
  return fs::exists(dir_ + "/" + name);
}

void Sandbox::set_dbus_status(int status) const {
  write_file("dbus_status", std::to_string(status));
}

int Sandbox::dbus_calls() const {
  const std::string calls = read_all(dir_ + "/dbus_calls");
  return static_cast<int>(std::count(calls.begin(), calls.end(), '\n'));
}

std::string Sandbox::dbus_files() const {
  return read_all(dir_ + "/dbus_files");
}

std::vector<std::string> Sandbox::dbus_argv() const {
  std::vector<std::string> argv;
  const int count = std::atoi(read_all(dir_ + "/dbus_argc").c_str());
  for (int i = 1; i <= count; ++i)
    argv.push_back(read_all(dir_ + "/dbus_arg." + std::to_string(i)));
  return argv;
}

std::vector<std::string> tool_words(const std::string& tool) {
  std::vector<std::string> words = split_words(runner());
  words.push_back(tool);
  return words;
}

ToolResult Sandbox::run(const std::vector<std::string>& args, const RunOptions& options) const {
  std::vector<std::string> words = tool_words(tool_path());
  words.insert(words.end(), args.begin(), args.end());
  return run_program(words, options);
}

ToolResult Sandbox::run_program(std::vector<std::string> words, const RunOptions& options) const {
  if (!options.root.empty()) {
    const std::vector<std::string> wrapper = {"sh", "-c", kInPrivateRoot, kInPrivateRoot,
                                              dir_ + "/" + options.root};
    words.insert(words.begin(), wrapper.begin(), wrapper.end());
  }
  words[0] = find_program(words[0]);
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  const std::string path = options.path.empty() ? dir_ + ":" + inherited_path() : options.path;
  std::string path_variable = "PATH=" + path;
  std::vector<char*> env;
  for (char** e = environ; *e; ++e)
    if (std::string(*e).rfind("PATH=", 0) != 0) env.push_back(*e);
  env.push_back(path_variable.data());
  env.push_back(nullptr);
  std::vector<std::string> steps = {dir_};
  std::istringstream working_dir(options.working_dir);
  for (std::string step; std::getline(working_dir, step, '/');) steps.push_back(step);

  // Pipes for standard input and output where the caller writes or reads them as the program runs.
  int input[2] = {-1, -1};
  int output[2] = {-1, -1};
  if (options.write_input && pipe2(input, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  if (options.take_output && pipe2(output, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  // A program that stops reading must not end this one; later runs get the disposition back.
  using Handler = void (*)(int);
  const Handler sigpipe = options.write_input ? std::signal(SIGPIPE, SIG_IGN) : SIG_ERR;

  const std::string out_path = dir_ + "/stdout";
  const std::string err_path = dir_ + "/stderr";
  const pid_t pid = fork();
  if (pid == 0) {
    const int in = options.write_input ? input[0] : open("/dev/null", O_RDONLY);
    const int out = options.take_output
                        ? output[1]
                        : open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    // One folder at a time, so that the whole path may be longer than the system takes at once.
    for (const std::string& step : steps)
      if (!step.empty() && chdir(step.c_str()) != 0) _exit(126);
    if (options.address_space_limit != 0) {
      const rlim_t bytes = static_cast<rlim_t>(options.address_space_limit);
      const rlimit limit = {bytes, bytes};
      if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(126);
    }
    std::signal(SIGCHLD, options.ignore_sigchld ? SIG_IGN : SIG_DFL);
    std::signal(SIGPIPE, SIG_DFL);
    char* no_args[] = {nullptr};
    execve(argv[0], options.empty_argument_vector ? no_args : argv.data(), env.data());
    _exit(127);
  }
  std::thread writer;
  if (options.write_input) {
    close(input[0]);
    writer = std::thread([&] {
      options.write_input(input[1]);
      close(input[1]);
    });
  }
  if (options.take_output) {
    close(output[1]);
    std::vector<char> block(1 << 16);
    for (ssize_t n; (n = read(output[0], block.data(), block.size())) != 0;) {
      if (n > 0) options.take_output(block.data(), static_cast<std::size_t>(n));
      if (n < 0 && errno != EINTR) break;
    }
    close(output[0]);
  }
  int wait_status = 0;
  waitpid(pid, &wait_status, 0);
  if (writer.joinable()) writer.join();
  if (sigpipe != SIG_ERR) std::signal(SIGPIPE, sigpipe);
  ToolResult result;
  if (!options.take_output) result.out = read_all(out_path);
  result.err = read_all(err_path);
  result.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
  return result;
}

bool write_all(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

Triples decode_device_list(const std::string& argument) {
  const std::string prefix = "string:";
  if (argument.rfind(prefix, 0) != 0) throw std::runtime_error("not a string argument");
  const nlohmann::json list = nlohmann::json::parse(argument.substr(prefix.size()));
  Triples triples;
  for (const nlohmann::json& device : list) {
    if (!device.is_array() || device.size() != 3) throw std::runtime_error("not a triple");
    triples.push_back(
        {device[0].get<std::string>(), device[1].get<std::string>(), device[2].get<std::string>()});
  }
  return triples;
}
