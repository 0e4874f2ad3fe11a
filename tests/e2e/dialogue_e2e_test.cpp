// Whole dialogues of the real program.
#include <gtest/gtest.h>

#include "e2e/e2e_harness.h"
#include "fixtures/model_builder.h"
#include "fixtures/stage_builder.h"

namespace zav::testing {
namespace {

TEST(DialogueEndToEnd, QuitsAtOnce) {
  ScratchFolder folder;
  const ProgramRun run = RunProgram(folder, "q\n");
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.console,
            "ZAV Reader Version 0.900\n     zavreader team     \n------------------------\n\n"
            "File to read (/ 'q' = quit): \n------------------------\n");
}

}  // namespace
}  // namespace zav::testing
