#pragma once
// Whole dialogues with their exact console text. The same table runs against
// the console loop in-process (over an in-memory file system) and against the
// real program (over real files in a scratch folder).
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "fixtures/byte_writer.h"

namespace zav::testing {

struct DialogueCase {
  std::string name;
  std::vector<std::pair<std::string, fixtures::Bytes>> files;  // created before the run
  std::string input;                                          // standard input
  std::string console;                                        // the expected console text
  std::vector<std::pair<std::string, std::string>> outputs;   // files expected afterwards, by content
};

std::vector<DialogueCase> DialogueCases();

// The whole output of a model without objects and materials.
std::string EmptyModelText(const std::string& sceneName);

inline void PrintTo(const DialogueCase& c, std::ostream* os) { *os << c.name; }

}  // namespace zav::testing
