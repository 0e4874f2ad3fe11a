#include "console/run_console.h"

#include <gtest/gtest.h>

#include "fixtures/model_builder.h"
#include "support/dialogue.h"
#include "support/dialogue_cases.h"
#include "support/memory_files.h"

namespace zav::testing {
namespace {

class Dialogue : public ::testing::TestWithParam<DialogueCase> {};

TEST_P(Dialogue, PrintsTheExactConsoleText) {
  const DialogueCase& c = GetParam();
  MemoryFileSystem files;
  for (const auto& [name, bytes] : c.files) files.Add(name, bytes);
  const Transcript transcript = RunDialogue(c.input, files);
  EXPECT_EQ(transcript.exitStatus, 0);
  EXPECT_EQ(transcript.console, c.console);
  for (const auto& [name, text] : c.outputs) {
    EXPECT_EQ(files.Text(name), text) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Dialogue, ::testing::ValuesIn(DialogueCases()),
                         [](const auto& info) { return info.param.name; });

TEST(Dialogue, PausesOneSecondBeforeAnExportAndHalfASecondAtQuit) {
  MemoryFileSystem files;
  files.Add("tree.dat", fixtures::BuildModel({}));
  EXPECT_EQ(RunDialogue("tree.dat -\nq\n", files).pauses, (std::vector<int>{1000, 500}));
}

TEST(Dialogue, FileTooLargeForOneImage) {
  MemoryFileSystem files;
  files.Add("huge.dat", {1, 2, 3});
  files.reportedSizes["huge.dat"] = 5ull << 30;
  EXPECT_EQ(RunDialogue("huge.dat -\nq\n", files).console,
            Banner() + Asked("huge.dat", "C:\\textures\\") + "Could not allocate 5368709120 bytes of memory\n" +
                Closing());
}

TEST(Dialogue, FileThatCannotBeReadWhole) {
  MemoryFileSystem files;
  files.Add("short.dat", {1, 2, 3});
  files.reportedSizes["short.dat"] = 10;
  EXPECT_EQ(RunDialogue("short.dat -\nq\n", files).console,
            Banner() + Asked("short.dat", "C:\\textures\\") + "Could not read 10 bytes of short.dat\n" + Closing());
}

TEST(Dialogue, OutputThatCannotBeOpened) {
  MemoryFileSystem files;
  files.Add("tree.dat", fixtures::BuildModel({}));
  files.Add("tree.ase", {'o', 'l', 'd'});
  files.unwritable.insert("tree.ase");
  EXPECT_EQ(RunDialogue("tree.dat -\nq\n", files).console,
            Banner() + Asked("tree.dat", "C:\\textures\\") +
                "MODEL recognized, export starting in 1 second...\n"
                "Could not open file tree.ase for writing\n" + Closing());
  // The old output was deleted before the open failed.
  EXPECT_FALSE(files.Exists("tree.ase"));
}

// A full disk must not pass for a conversion: no success line, and the
// partial output is removed.
TEST(Dialogue, OutputThatCannotBeWrittenWhole) {
  MemoryFileSystem files;
  files.Add("tree.dat", fixtures::BuildModel({}));
  files.diskSpace = 40;
  const Transcript transcript = RunDialogue("tree.dat -\nq\n", files);
  EXPECT_EQ(transcript.console, Banner() + Asked("tree.dat", "C:\\textures\\") +
                                    "MODEL recognized, export starting in 1 second...\n"
                                    "Materials: 0\nMaterials done!\nObjects: 0\nObjects done!\n"
                                    "Could not write file tree.ase\n" + Closing());
  EXPECT_FALSE(files.Exists("tree.ase"));
}

struct CompanionCase {
  const char* input;
  std::vector<std::string> opened;  // paths opened for reading, in order
};

class Companion : public ::testing::TestWithParam<CompanionCase> {};

TEST_P(Companion, IsLookedForBesideAModel) {
  MemoryFileSystem files;
  files.Add(GetParam().input, fixtures::BuildModel({}));
  RunDialogue(std::string(GetParam().input) + " -\nq\n", files);
  EXPECT_EQ(files.opened, GetParam().opened);
}

INSTANTIATE_TEST_SUITE_P(Paths, Companion,
                         ::testing::Values(CompanionCase{"model.dat", {"model.dat", "model.dab"}},
                                           CompanionCase{"model.dab", {"model.dab"}},
                                           CompanionCase{"model.daB", {"model.daB", "model.dab"}}));

TEST(Companion, PathReplacesTheLastCharacter) {
  EXPECT_EQ(CompanionPath("model.dat"), "model.dab");
  EXPECT_EQ(CompanionPath("model.daB"), "model.dab");
  EXPECT_EQ(CompanionPath("model.dab"), "");
}

TEST(Companion, EmptyOrUnreadableCompanionCountsAsAbsent) {
  for (const bool empty : {true, false}) {
    MemoryFileSystem files;
    files.Add("m.dat", fixtures::BuildModel({}));
    files.Add("m.dab", empty ? Bytes{} : Bytes{1, 2});
    if (!empty) files.reportedSizes["m.dab"] = 100;
    const Transcript transcript = RunDialogue("m.dat -\nq\n", files);
    // No bone lines and no message about the companion.
    EXPECT_EQ(transcript.console, Banner() + Asked("m.dat", "C:\\textures\\") +
                                      "MODEL recognized, export starting in 1 second...\n"
                                      "Materials: 0\nMaterials done!\nObjects: 0\nObjects done!\n"
                                      "MODEL export finished successfully, file: m.ase\n" + Closing());
  }
}

}  // namespace
}  // namespace zav::testing
