// triple_check FILE...: a pre-flight check of triple files. It reads each file with the very code
// of triple_import (the reads, their numbers, the classification and the import command's size),
// sends nothing and runs no shell. Findings go to standard output, one a line, in the form that
// editors and CI read (FILE:LINE: error: ... / warning: ...), then a summary a file; the
// program's own failures go to standard error. Fields, often device secrets, are never printed:
// a finding names the field, its length and at most the one byte at fault.
#include "triple_check.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "import_command.h"
#include "triple_file.h"

namespace {

constexpr int kStatusClean = 0;
constexpr int kStatusFindings = 1;
constexpr int kStatusTrouble = 2;
const char kByteOrderMark[] = "\xef\xbb\xbf";

// The devices seen so far, by hashes of their fields: fields 1 and 2, which name a device, and
// field 3, in an open-addressed table.
struct DeviceSeen {
  std::uint64_t name;  // 0: a free slot
  std::uint64_t secret;
  unsigned long long line;
};

struct DeviceTable {
  DeviceSeen* slots;
  std::size_t size;  // a power of two
  std::size_t used;
  std::size_t first_size;
};

// A file holds at most one device per 8 bytes ("[a,b,c]\n"): a table that size, three quarters
// full, never has to grow and copy, up to 12 MiB; a pipe's starts small. The size comes from
// lseek, before anything is read: fstat asks for GLIBC_2.33, which old gateways lack.
std::size_t first_table_size(std::FILE* file) {
  constexpr std::size_t kLargest = std::size_t(1) << 19;
  std::size_t size = 4096;
  const int fd = fileno(file);
  const off_t end = lseek(fd, 0, SEEK_END);
  if (end <= 0 || lseek(fd, 0, SEEK_SET) != 0) return size;
  const unsigned long long devices = static_cast<unsigned long long>(end) / 8;
  while (size < kLargest && 3ULL * size / 4 < devices) size *= 2;
  return size;
}

// FNV-1a, 64 bits: a false "same device" among 200,000 lines is about one chance in 10^9.
constexpr std::uint64_t kHashStart = 14695981039346656037ULL;
constexpr std::uint64_t kHashPrime = 1099511628211ULL;

std::uint64_t hash_bytes(std::uint64_t hash, const char* text) {
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p)
    hash = (hash ^ *p) * kHashPrime;
  return (hash ^ 0xff) * kHashPrime;  // a field's end, so that "a","bc" is not "ab","c"
}

DeviceSeen* find_slot(DeviceSeen* slots, std::size_t size, std::uint64_t name) {
  std::size_t i = static_cast<std::size_t>(name) & (size - 1);
  while (slots[i].name != 0 && slots[i].name != name) i = (i + 1) & (size - 1);
  return &slots[i];
}

// The device seen before with the same fields 1 and 2, or null after noting this one. Without
// memory for the table the check of duplicates stops; the rest goes on.
const DeviceSeen* seen_before(DeviceTable* table, const DeviceTriple& triple,
                              unsigned long long line) {
  std::uint64_t name = hash_bytes(hash_bytes(kHashStart, triple.field[0]), triple.field[1]);
  if (name == 0) name = 1;
  if (4 * (table->used + 1) > 3 * table->size) {
    const std::size_t size = table->size ? 2 * table->size : table->first_size;
    DeviceSeen* slots = static_cast<DeviceSeen*>(std::calloc(size, sizeof(DeviceSeen)));
    if (!slots) return nullptr;
    // Each new table is memory that the kernel hands over page by page on first touch, which
    // costs more than all the probes: in huge pages where it can, far fewer of them.
    constexpr std::size_t kHugePage = std::size_t(2) << 20;
    char* memory = reinterpret_cast<char*>(slots);
    const std::size_t skip =
        (kHugePage - reinterpret_cast<std::uintptr_t>(memory) % kHugePage) % kHugePage;
    const std::size_t bytes = size * sizeof(DeviceSeen);
    if (bytes >= skip + kHugePage)
      (void)madvise(memory + skip, (bytes - skip) / kHugePage * kHugePage, MADV_HUGEPAGE);
    for (std::size_t i = 0; i < table->size; ++i)
      if (table->slots[i].name != 0)
        *find_slot(slots, size, table->slots[i].name) = table->slots[i];
    std::free(table->slots);
    table->slots = slots;
    table->size = size;
  }
  DeviceSeen* slot = find_slot(table->slots, table->size, name);
  if (slot->name != 0) return slot;
  *slot = {name, hash_bytes(kHashStart, triple.field[2]), line};
  ++table->used;
  return nullptr;
}

struct FileCheck {
  const char* name;
  CheckCounts* counts;
  ImportCommand command;
  DeviceTable devices;
  DeviceTriple triple;
  unsigned long long file_line;  // the line of the file that the read belongs to
  unsigned long long piece;      // which read of that line, from 1
  bool line_ended;               // the read before ended its line of the file
};

// Prints one finding: FILE:LINE: KIND: TEXT, and where the line of the file is not the tool's
// line, which line and which piece of it the finding is about.
// NOLINTNEXTLINE(cert-dcl50-cpp): printf's formats, as every message of the tool's
void finding(FileCheck* check, unsigned long long line, const char* kind, const char* format, ...) {
  std::printf("%s:%llu: %s: ", check->name, line, kind);
  va_list args;
  va_start(args, format);
  (void)std::vprintf(format, args);  // NOLINT(clang-analyzer-valist.Uninitialized): va_start'ed
  va_end(args);
  if (check->piece > 1 || check->file_line != line)
    std::printf(" (line %llu of the file, piece %llu)", check->file_line, check->piece);
  std::putchar('\n');
  if (kind[0] == 'w') {
    ++check->counts->warnings;
  }
}

const char* outcome_name(LineOutcome outcome) {
  switch (outcome) {
    case kComment:
      return "a comment";
    case kFormatError:
      return "a format error";
    case kTripleError:
      return "a triple error";
    case kDeviceTriple:
      break;
  }
  return "a device";
}

void report_refusal(FileCheck* check, unsigned long long line, const LineChunk& chunk,
                    const LineVerdict& verdict) {
  ++check->counts->refused;
  const unsigned field = static_cast<unsigned>(verdict.field) + 1;
  const unsigned char* at = reinterpret_cast<const unsigned char*>(chunk.text);
  switch (verdict.cause) {
    case kNoBracket:
      if (std::strncmp(chunk.text, kByteOrderMark, 3) == 0 && chunk.text[3] == '#')
        finding(check, line, "error",
                "a byte-order mark stands before the '#', so this comment "
                "is a line without '['");
      else if (chunk.text[0] == '\n' || (chunk.text[0] == '\r' && chunk.text[1] == '\n'))
        finding(check, line, "error", "the line is empty; start a comment with '#'");
      else if (chunk.text[0] == '\0')
        finding(check, line, "error", "the line starts with a NUL byte (a UTF-16 file?)");
      else
        finding(check, line, "error", "no '[' in the line");
      return;
    case kMissingField:
      finding(check, line, "error", "field %u is missing: the line ends before %s", field,
              field == 3 ? "a second ','" : "a ','");
      return;
    case kEmptyField:
      finding(check, line, "error", "field %u is empty", field);
      return;
    case kFieldTooLong:
      finding(check, line, "error", "field %u has %zu bytes, more than the %zu that a field holds",
              field, verdict.length, kFieldSize - 1);
      return;
    case kFieldCut:
      if (std::strlen(chunk.text) != chunk.length)
        finding(check, line, "error", "field 3 has no ']' and runs into a NUL byte");
      else
        finding(check, line, "error", "field 3 has no ']' and runs into the end of a %zu-byte read",
                kChunkSize - 1);
      return;
    case kNotUtf8:
      finding(check, line, "error", "field %u is not UTF-8 at its byte %zu (0x%02x)", field,
              verdict.offset + 1, at[verdict.start + verdict.offset]);
      return;
    case kNoncharacter:
      finding(check, line, "error",
              "field %u holds the noncharacter U+%04lX at its byte %zu, which a bus may refuse "
              "with the whole list",
              field, verdict.code_point, verdict.offset + 1);
      return;
    case kNoCause:
      break;
  }
}

// What triple_import stores but is most likely a mistake.
void report_doubts(FileCheck* check, unsigned long long line, const LineChunk& chunk,
                   const LineVerdict& verdict) {
  const DeviceTriple& triple = check->triple;
  for (unsigned i = 0; i < kFieldCount; ++i) {
    const char* field = triple.field[i];
    const std::size_t length = std::strlen(field);
    const unsigned number = i + 1;
    if (field[0] == ' ' || field[0] == '\t')
      finding(check, line, "warning", "field %u starts with a %s", number,
              field[0] == ' ' ? "blank" : "tab");
    if (field[length - 1] == ' ' || field[length - 1] == '\t')
      finding(check, line, "warning", "field %u ends with a %s", number,
              field[length - 1] == ' ' ? "blank" : "tab");
    if (length >= 2 && field[0] == '"' && field[length - 1] == '"')
      finding(check, line, "warning", "field %u is in double quotes, which are stored with it",
              number);
    for (std::size_t j = 0; j < length; ++j) {
      const unsigned char byte = static_cast<unsigned char>(field[j]);
      if (byte < 0x20 || byte == 0x7f) {
        finding(check, line, "warning", "field %u holds the control byte 0x%02x at its byte %zu",
                number, byte, j + 1);
        break;
      }
    }
  }
  if (std::strchr(triple.field[2], ','))
    finding(check, line, "warning", "field 3 holds a ',', stored as part of it: a fourth field?");
  // What follows the ']' that ends field 3, less the line end, is ignored.
  const char* after = chunk.text + verdict.end;
  if (*after != '\0' && std::strcmp(after, "\n") != 0 && std::strcmp(after, "\r\n") != 0)
    finding(check, line, "warning", "text after the ']' is ignored");

  const DeviceSeen* before = seen_before(&check->devices, triple, line);
  if (before && before->secret == hash_bytes(kHashStart, triple.field[2]))
    finding(check, line, "warning", "the same device as line %llu, stored twice", before->line);
  else if (before)
    finding(check, line, "warning", "the same fields 1 and 2 as line %llu, with another field 3",
            before->line);
}

void check_chunk(const LineChunk& chunk, unsigned long long line, void* context) {
  FileCheck* check = static_cast<FileCheck*>(context);
  if (check->line_ended) {
    ++check->file_line;
    check->piece = 1;
  } else {
    ++check->piece;
  }
  check->line_ended = chunk.text[chunk.length - 1] == '\n';

  if (check->file_line == 1 && check->piece == 1 &&
      std::strncmp(chunk.text, kByteOrderMark, 3) == 0) {
    finding(check, line, "warning", "the file starts with a UTF-8 byte-order mark");
    if (chunk.text[3] == '#' && std::strchr(chunk.text, '['))
      finding(check, line, "warning",
              "a byte-order mark stands before the '#', so this comment "
              "is read as a line with '['");
  }
  const LineVerdict verdict = classify_triple_line(chunk, &check->triple);
  if (chunk.cut || check->piece > 1)
    finding(check, line, "warning",
            "a line of the file over %zu bytes is read in pieces, each a line of its own: this "
            "piece is %s",
            kChunkSize - 2, outcome_name(verdict.outcome));
  if (verdict.outcome == kFormatError || verdict.outcome == kTripleError) {
    report_refusal(check, line, chunk, verdict);
  } else if (verdict.outcome == kDeviceTriple) {
    ++check->counts->devices;
    append_device_entry(&check->command, check->triple);
    report_doubts(check, line, chunk, verdict);
  }
}

// The import command's size for the devices found, against what one import can carry.
void summarise(FileCheck* check) {
  CheckCounts* counts = check->counts;
  if (counts->devices == 0) {
    ++counts->file_errors;
    std::printf("%s: error: no device triple: triple_import would send nothing\n", check->name);
  } else {
    close_device_list(&check->command);
    if (check->command.length > kCommandMaxLength) {
      ++counts->file_errors;
      std::printf(
          "%s: error: the import command would take %llu bytes, %llu more than the %zu "
          "that one import carries: triple_import would refuse the whole list\n",
          check->name, check->command.length, check->command.length - kCommandMaxLength,
          kCommandMaxLength);
    }
  }
  std::printf("%s: %llu devices, %llu refused lines, %llu warnings", check->name, counts->devices,
              counts->refused, counts->warnings);
  if (counts->devices > 0 && check->command.length <= kCommandMaxLength) {
    // The entries, each with its comma: the closing "]'" takes the last comma's place.
    const unsigned long long entries = check->command.length - kCommandPrefixLength - 1;
    const unsigned long long width = (entries + counts->devices - 1) / counts->devices;
    std::printf(
        "; the import command takes %llu of %zu bytes, room for about %llu more devices "
        "of this file's average width",
        check->command.length, kCommandMaxLength,
        (kCommandMaxLength - check->command.length) / width);
  }
  std::putchar('\n');
}

}  // namespace

int check_triple_file(std::FILE* file, const char* name, char* command_buffer,
                      CheckCounts* counts) {
  FileCheck check = {};
  check.name = name;
  check.counts = counts;
  check.line_ended = true;
  check.devices.first_size = first_table_size(file);
  *counts = CheckCounts();
  start_import_command(&check.command, command_buffer);
  unsigned long long line_number = 0;
  const int status = read_chunks(file, &line_number, check_chunk, &check);
  std::free(check.devices.slots);
  if (status != 0) return -1;
  summarise(&check);
  return 0;
}

int main(int argc, char* argv[]) {
  if (argc < 2) {
    (void)std::fputs("usage: triple_check FILE...\n", stderr);
    return kStatusTrouble;
  }
  char* buffer = static_cast<char*>(std::malloc(kCommandBufferSize));
  if (!buffer) {
    (void)std::fputs("triple_check: no memory for the import command\n", stderr);
    return kStatusTrouble;
  }
  int status = kStatusClean;
  for (int i = 1; i < argc; ++i) {
    std::FILE* file = std::fopen(argv[i], "re");
    if (!file) {
      (void)std::fprintf(stderr, "triple_check: %s: %s\n", argv[i], std::strerror(errno));
      status = kStatusTrouble;
      continue;
    }
    CheckCounts counts;
    if (check_triple_file(file, argv[i], buffer, &counts) != 0) {
      (void)std::fprintf(stderr, "triple_check: %s: read error\n", argv[i]);
      status = kStatusTrouble;
    } else if (status == kStatusClean &&
               counts.refused + counts.warnings + counts.file_errors > 0) {
      status = kStatusFindings;
    }
    (void)std::fclose(file);
  }
  (void)std::fflush(stdout);
  std::free(buffer);
  return status;
}
