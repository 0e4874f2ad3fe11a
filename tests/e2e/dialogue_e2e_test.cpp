// The dialogue cases run through the real program over real files.
#include <gtest/gtest.h>

#include "e2e/e2e_harness.h"
#include "support/dialogue_cases.h"

namespace zav::testing {
namespace {

class DialogueEndToEnd : public ::testing::TestWithParam<DialogueCase> {};

TEST_P(DialogueEndToEnd, PrintsTheExactConsoleText) {
  const DialogueCase& c = GetParam();
  ScratchFolder folder;
  for (const auto& [name, bytes] : c.files) folder.Write(name, bytes);
  const ProgramRun run = RunProgram(folder, c.input);
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.console, c.console);
  for (const auto& [name, text] : c.outputs) {
    EXPECT_EQ(folder.Read(name), text) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, DialogueEndToEnd, ::testing::ValuesIn(DialogueCases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zav::testing
