#pragma once
// Runs the whole console dialogue on a scripted input and records what it
// printed and every pause it asked for.
#include <string>
#include <vector>

#include "support/memory_files.h"

namespace zav::testing {

struct Transcript {
  std::string console;      // everything written to the console
  int exitStatus = -1;
  std::vector<int> pauses;  // milliseconds of each pause, in order
};

Transcript RunDialogue(const std::string& input, FileSystem& files);

// The banner every dialogue starts with.
std::string Banner();
// The two prompts and the echo lines of one file, up to "Opening ...".
std::string Asked(const std::string& file, const std::string& textureDirectory);
// The closing lines after q.
std::string Closing();

}  // namespace zav::testing
