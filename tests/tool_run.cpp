#include "tool_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

const char kStandIn[] = R"sh(#!/bin/sh
here=$(dirname "$0")
echo call >> "$here/dbus_calls"
for arg do printf '%s\0' "$arg"; done > "$here/dbus_argv"
for fd in /proc/$$/fd/*; do readlink "$fd"; done > "$here/dbus_files"
echo "dbus-send stand-in ran"
exit "$(cat "$here/dbus_status" 2>/dev/null || echo 0)"
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

// Finds a program on this process's PATH; the tool runs with another one.
std::string find_program(const std::string& name) {
  if (name.find('/') != std::string::npos) return name;
  std::istringstream path(std::getenv("PATH") ? std::getenv("PATH") : "");
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
  char pattern[] = "/tmp/triple_import_test.XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
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
  const std::string record = read_all(dir_ + "/dbus_argv");
  for (std::size_t start = 0, end; start < record.size(); start = end + 1) {
    end = record.find('\0', start);
    argv.push_back(record.substr(start, end - start));
  }
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
  words[0] = find_program(words[0]);
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  const std::string path = options.path.empty() ? dir_ + ":" + std::getenv("PATH") : options.path;
  std::string path_variable = "PATH=" + path;
  std::vector<char*> env;
  for (char** e = environ; *e; ++e)
    if (std::string(*e).rfind("PATH=", 0) != 0) env.push_back(*e);
  env.push_back(path_variable.data());
  env.push_back(nullptr);
  std::vector<std::string> steps = {dir_};
  std::istringstream working_dir(options.working_dir);
  for (std::string step; std::getline(working_dir, step, '/');) steps.push_back(step);

  const std::string out_path = dir_ + "/stdout";
  const std::string err_path = dir_ + "/stderr";
  const pid_t pid = fork();
  if (pid == 0) {
    const int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(out, 1);
    dup2(err, 2);
    // One folder at a time, so that the whole path may be longer than the system takes at once.
    for (const std::string& step : steps)
      if (!step.empty() && chdir(step.c_str()) != 0) _exit(126);
    char* no_args[] = {nullptr};
    execve(argv[0], options.empty_argument_vector ? no_args : argv.data(), env.data());
    _exit(127);
  }
  int wait_status = 0;
  waitpid(pid, &wait_status, 0);
  ToolResult result;
  result.out = read_all(out_path);
  result.err = read_all(err_path);
  result.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
  return result;
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
