#pragma once
// Batch conversion: every file named on the command line converted in turn,
// without questions and without pauses.
#include <ostream>
#include <string>
#include <vector>

#include "platform/console.h"
#include "platform/files.h"

namespace zav {

// Exit statuses of a batch run.
inline constexpr int kExitConverted = 0;  // every file converted whole
inline constexpr int kExitIncomplete = 1;  // a file not converted, or converted only in part
inline constexpr int kExitUsage = 2;       // the command line could not be used

// Runs the command line `arguments` (without the program name); usage errors
// go to `errors`. Returns the exit status.
int RunBatch(const std::vector<std::string>& arguments, Console& console, std::ostream& errors,
             FileSystem& files);

}  // namespace zav
