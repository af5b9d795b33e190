// The last lines of a file's check: why the list as a whole would not be sent, and the counts,
// with the room that one import leaves for more devices of the file's average width.
#ifndef TRIPLE_IMPORT_CHECK_SUMMARY_H
#define TRIPLE_IMPORT_CHECK_SUMMARY_H

#include "findings.h"
#include "import_command.h"

// What one file gave: the devices that triple_import would send, the lines it would refuse, the
// findings of each kind, and the reads as the tool numbers them.
struct CheckCounts {
  unsigned long long devices;
  unsigned long long refused;
  unsigned long long errors;
  unsigned long long warnings;
  unsigned long long lines;
};

// Closes the device list of `command`, if it has a device, and prints the file's summary. Where
// the list is too large, `search_stopped_at` names the line at which the duplicates' search
// stopped, or is 0.
void summarise(Findings* findings, CheckCounts* counts, ImportCommand* command,
               unsigned long long search_stopped_at);

#endif
