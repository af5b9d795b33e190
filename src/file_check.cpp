#include "file_check.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "doubts.h"
#include "file_lines.h"
#include "import_command.h"
#include "refusals.h"
#include "seen_devices.h"
#include "triple_file.h"

namespace {

// The first bytes of the file, read before its lines so that a UTF-16 file is known whatever its
// first line holds, then handed to the reads again.
constexpr std::size_t kSampleSize = 4096;

struct Sample {
  std::FILE* file;
  char bytes[kSampleSize];
  std::size_t size;
  std::size_t next;
  int error;  // of the read that ended the sample early, if one did
};

ssize_t read_sample_then_file(void* cookie, char* buffer, std::size_t size) {
  Sample* sample = static_cast<Sample*>(cookie);
  if (sample->next < sample->size) {
    const std::size_t length = std::min(size, sample->size - sample->next);
    std::memcpy(buffer, sample->bytes + sample->next, length);
    sample->next += length;
    return static_cast<ssize_t>(length);
  }
  if (sample->error != 0) {
    errno = sample->error;
    return -1;
  }
  const std::size_t length = std::fread(buffer, 1, size, sample->file);
  return length == 0 && std::ferror(sample->file) ? -1 : static_cast<ssize_t>(length);
}

// UTF-16, as spreadsheets export "Unicode text", puts a NUL byte beside every ASCII character, and
// so beside the brackets, commas and line breaks of every triple: by its byte-order mark, or by
// NUL bytes that stand at every other place alone and are at least an eighth of the code units.
// A UTF-8 file has no NUL byte but by mistake.
const char* utf16_sign(const Sample& sample) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(sample.bytes);
  const std::size_t size = sample.size;
  if (size >= 2 &&
      ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF)))
    return "it starts with a UTF-16 byte-order mark";
  std::size_t nuls[2] = {0, 0};
  for (std::size_t i = 0; i < size; ++i)
    if (bytes[i] == 0) ++nuls[i % 2];
  for (std::size_t at = 0; at < 2; ++at)
    if (nuls[at] >= 2 && nuls[1 - at] == 0 && nuls[at] * 16 >= size)
      return "NUL bytes stand at every other place of its first bytes, as UTF-16 writes ASCII";
  return nullptr;
}

struct FileCheck {
  Findings findings;
  CheckCounts* counts;
  FileLines lines;
  ImportCommand command;
  SeenDevices* seen;
  DeviceTriple triple;
  bool utf16;            // said once for the file: its lines would only repeat it
  bool lone_cr_said;     // likewise lines ended by a carriage return alone
  bool read_ends_in_cr;  // the last read ended in a CR, whose line feed may open the next
  // What triple_import makes of the pieces of a line read in more than one: said once, at its end.
  unsigned long long piece_devices;
  unsigned long long piece_comments;
  unsigned long long piece_refused;
  unsigned cut_field;  // the field that runs past the first read, or 0
};

// Carriage returns that end a line for an old export but not for the tool, which reads on to the
// next line feed: those followed by another byte than a line feed.
unsigned long long lone_carriage_returns(FileCheck* check, const LineChunk& chunk) {
  const char* text = chunk.text;
  unsigned long long count = check->read_ends_in_cr && text[0] != '\n' ? 1 : 0;
  for (std::size_t i = 0; i + 1 < chunk.length; ++i)
    if (text[i] == '\r' && text[i + 1] != '\n') ++count;
  check->read_ends_in_cr = text[chunk.length - 1] == '\r' && !chunk.ends_line;
  return count;
}

// One finding for a line read in pieces, at its end, or where a read error cuts it: how many lines
// the tool makes of it and what they are, where the first read cut it, and what to do.
void report_long_line(FileCheck* check, bool break_alone, bool unfinished) {
  const FileLines& lines = check->lines;
  char tally[96];
  std::size_t used = 0;
  const struct {
    unsigned long long count;
    const char* what;
  } parts[] = {{check->piece_devices, "device"},
               {check->piece_comments, "comment"},
               {check->piece_refused, "refused line"}};
  for (const auto& part : parts)
    if (part.count > 0)
      used += static_cast<std::size_t>(std::snprintf(tally + used, sizeof tally - used,
                                                     "%s%llu %s%s", used > 0 ? ", " : "",
                                                     part.count, part.what, plural(part.count)));
  char cut[64] = "";
  if (check->cut_field != 0)
    (void)std::snprintf(cut, sizeof cut, "; field %u runs past the first %zu bytes",
                        check->cut_field, kChunkSize - 1);
  else if (break_alone)
    (void)std::snprintf(cut, sizeof cut, "; its line break is read alone");
  char which[64];
  const unsigned long long last = lines.first_read + lines.piece - 1;
  if (lines.piece == 1)
    (void)std::snprintf(which, sizeof which, "line %llu", last);
  else
    (void)std::snprintf(which, sizeof which, "lines %llu %s %llu", lines.first_read,
                        lines.piece == 2 ? "and" : "to", last);
  check->findings.tool_line = 0;  // the finding names the tool's lines itself
  const FindingKind kind = check->piece_refused > 0 ? kError : kWarning;
  if (unfinished)
    finding(&check->findings, kind,
            "a read error cuts the line after %llu bytes, which triple_import reads %zu at a time: "
            "it makes %llu line%s of them (its %s): %s%s",
            lines.bytes, kChunkSize - 1, lines.piece, plural(lines.piece), which, tally, cut);
  else
    finding(&check->findings, kind,
            "the line has %llu bytes, more than the %zu that triple_import reads at once, so it "
            "makes %llu lines of it (its %s): %s%s; shorten the line to %zu bytes or fewer, its "
            "line break included",
            lines.bytes, kChunkSize - 1, lines.piece, which, tally, cut, kChunkSize - 1);
}

void check_read(FileCheck* check, unsigned long long read, const LineChunk& chunk) {
  FileLines* lines = &check->lines;
  count_read(lines, read, chunk);
  check->findings.line = lines->line;
  check->findings.tool_line = read;
  const bool first_piece = lines->piece == 1;
  const bool whole_line = first_piece && chunk.ends_line;
  if (first_piece) check->piece_devices = check->piece_comments = check->piece_refused = 0;

  const LineVerdict verdict = classify_triple_line(chunk, &check->triple);
  const bool refused = verdict.outcome == kFormatError || verdict.outcome == kTripleError;
  if (refused) ++check->counts->refused, ++check->piece_refused;
  if (verdict.outcome == kComment) ++check->piece_comments;
  if (verdict.outcome == kDeviceTriple) {
    ++check->counts->devices, ++check->piece_devices;
    append_device_entry(&check->command, check->triple);
  }
  if (check->utf16) return;

  if (first_piece && !whole_line)  // the field that a cut read leaves open
    check->cut_field = verdict.cause == kMissingField && chunk.visible == chunk.length
                           ? static_cast<unsigned>(verdict.field)
                       : verdict.cause == kFieldCut ? 3
                                                    : 0;
  // Blanks or a byte-order mark that keep a '#' from starting a comment: searched once a line.
  const char* hidden = first_piece ? comment_hidden_by(chunk.text) : nullptr;
  if (first_piece && starts_with_byte_order_mark(chunk.text) && !hidden)
    finding(&check->findings, kWarning,
            lines->line == 1 ? "the file starts with a UTF-8 byte-order mark"
                             : "a UTF-8 byte-order mark starts the line: were files joined?");
  const unsigned long long lone = lone_carriage_returns(check, chunk);
  if (lone > 0 && !check->lone_cr_said) {
    check->lone_cr_said = true;
    finding(&check->findings, kError,
            "a carriage return alone ends lines here, as old exports do, which triple_import does "
            "not take for a line end: it reads the %llu lines up to the next line feed as one; "
            "save the file with LF or CRLF line ends",
            lone + 1);
  }
  if (refused && whole_line) report_refusal(&check->findings, chunk, verdict, hidden);
  if (verdict.outcome == kDeviceTriple) {
    report_doubts(&check->findings, chunk, verdict, check->triple, hidden, whole_line && lone == 0);
    unsigned long long earlier = 0;
    const Sighting sighting = sight_device(check->seen, check->triple, lines->line, &earlier);
    if (sighting == kSameDevice)
      finding(&check->findings, kWarning, "the same device as line %llu, stored twice", earlier);
    else if (sighting == kSameName)
      finding(&check->findings, kWarning,
              "the same fields 1 and 2 as line %llu, with another field 3", earlier);
  }
  if (!first_piece && chunk.ends_line) report_long_line(check, is_line_end(chunk.text), false);
}

}  // namespace

int check_triple_file(std::FILE* file, const char* name, char* command_buffer,
                      CheckCounts* counts) {
  static SeenDevices seen;  // 400 KiB, bounded whatever the file's size
  static Sample sample;
  sample.file = file;
  sample.size = std::fread(sample.bytes, 1, kSampleSize, file);
  sample.next = 0;
  sample.error = sample.size < kSampleSize && std::ferror(file) ? (errno != 0 ? errno : EIO) : 0;
  std::FILE* lines = fopencookie(&sample, "r", {read_sample_then_file, nullptr, nullptr, nullptr});
  if (!lines) return errno;

  FileCheck check = {};
  check.findings.name = name;
  check.counts = counts;
  check.seen = &seen;
  *counts = CheckCounts();
  start_lines(&check.lines);
  forget_devices(&seen);
  start_import_command(&check.command, command_buffer);
  const char* utf16 = utf16_sign(sample);
  if (utf16) {
    check.utf16 = true;
    check.findings.line = 1;
    finding(&check.findings, kError,
            "the file is UTF-16 (%s), which triple_import reads byte by byte: save it as UTF-8",
            utf16);
  }
  ChunkReader reader = {lines, 0, 0, {}};
  LineChunk chunk;
  while (next_chunk(&reader, &chunk)) check_read(&check, reader.line_number, chunk);
  (void)std::fclose(lines);
  counts->lines = reader.line_number;
  if (!check.lines.ended && !check.utf16) report_long_line(&check, false, true);
  if (reader.error != 0) return reader.error;
  summarise(&check.findings, counts, &check.command, seen.full_at);
  return 0;
}
