// Speed of line classification and command assembly, on the largest device list that the shell
// takes in one command and on a file of rejected lines.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "device_lines.h"
#include "import_command.h"
#include "triple_file.h"

namespace {

constexpr int kDevices = 1948;  // entries of 67 characters
constexpr int kRejected = 100000;

std::string device_file() {
  std::string file;
  for (int i = 0; i < kDevices; ++i) file += device_line(i);
  return file;
}

std::string rejected_file() {
  std::string file;
  for (int i = 0; i < kRejected; ++i)
    file += i % 2 ? "product_key_000001 device_name_000001 no brackets\n" : "[only,two]\n";
  return file;
}

struct Sink {
  ImportCommand* command;
  unsigned long long accepted;
};

void count_and_append(const DeviceTriple& triple, void* context) {
  Sink* sink = static_cast<Sink*>(context);
  ++sink->accepted;
  append_device_entry(sink->command, triple);
}

void BM_ClassifyDeviceLines(benchmark::State& state) {
  std::vector<std::string> lines;
  for (int i = 0; i < kDevices; ++i) lines.push_back(device_line(i));
  DeviceTriple triple = {};
  for (auto _ : state) {
    for (int i = 0; i < kDevices; ++i) {
      const LineChunk chunk = {lines[i].c_str(), lines[i].size(), lines[i].size(), true};
      benchmark::DoNotOptimize(parse_triple_line(chunk, i + 1, &triple));
    }
  }
  state.SetItemsProcessed(state.iterations() * kDevices);
}
BENCHMARK(BM_ClassifyDeviceLines);

void BM_AssembleCommand(benchmark::State& state) {
  std::vector<DeviceTriple> triples(kDevices);
  for (int i = 0; i < kDevices; ++i) {
    const std::string line = device_line(i);
    const LineChunk chunk = {line.c_str(), line.size(), line.size(), true};
    parse_triple_line(chunk, i + 1, &triples[i]);
  }
  static char buffer[kCommandBufferSize];
  static ImportCommand command;
  for (auto _ : state) {
    start_import_command(&command, buffer);
    for (const DeviceTriple& triple : triples) append_device_entry(&command, triple);
    close_device_list(&command);
    benchmark::DoNotOptimize(command.length);
  }
  state.SetItemsProcessed(state.iterations() * kDevices);
  state.counters["command_bytes"] = static_cast<double>(command.length);
}
BENCHMARK(BM_AssembleCommand);

// The whole reading loop over an in-memory file, classification and assembly together.
void read_file(benchmark::State& state, const std::string& content, int lines) {
  static char buffer[kCommandBufferSize];
  static ImportCommand command;
  DeviceTriple triple = {};
  for (auto _ : state) {
    std::FILE* file = fmemopen(const_cast<char*>(content.data()), content.size(), "r");
    start_import_command(&command, buffer);
    Sink sink = {&command, 0};
    unsigned long long line_number = 0;
    read_triple_file(file, &line_number, &triple, count_and_append, &sink);
    std::fclose(file);
    benchmark::DoNotOptimize(sink.accepted);
  }
  state.SetItemsProcessed(state.iterations() * lines);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(content.size()));
}

void BM_ReadDeviceFile(benchmark::State& state) {
  read_file(state, device_file(), kDevices);
}
BENCHMARK(BM_ReadDeviceFile);

void BM_ReadRejectedLines(benchmark::State& state) {
  read_file(state, rejected_file(), kRejected);
}
BENCHMARK(BM_ReadRejectedLines);

}  // namespace

// The tool's per-line messages go to stdout, which is sent to /dev/null here; the report goes to
// where stdout was, after what is there already: opened anew without appending, a file that
// stdout names would be cut to nothing.
int main(int argc, char** argv) {
  const int report_fd = dup(STDOUT_FILENO);
  if (report_fd < 0 || !std::freopen("/dev/null", "w", stdout)) return 1;
  std::ofstream report("/dev/fd/" + std::to_string(report_fd), std::ios::app);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::ConsoleReporter reporter(benchmark::ConsoleReporter::OO_Tabular);
  reporter.SetOutputStream(&report);
  reporter.SetErrorStream(&report);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
