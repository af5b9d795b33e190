// The run sequence of triple_import, and where its executable lives.
#ifndef TRIPLE_IMPORT_TRIPLE_IMPORT_H
#define TRIPLE_IMPORT_TRIPLE_IMPORT_H

#include <cstddef>

constexpr std::size_t kDirSize = 4096;

// Writes the directory of the running executable, without a trailing slash, into `dir` (at least
// kDirSize bytes). Returns 0, or -1 when `dir` is null or the lookup fails (reported).
// The first successful lookup is kept for the life of the process.
int get_current_dir(char* dir);

#endif
