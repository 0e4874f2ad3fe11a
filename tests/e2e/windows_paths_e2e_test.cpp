// Windows paths typed into the Windows program: a drive letter and backslash
// separators are used as typed, for the input, the output and the scene name.
// These cases need the Windows build run under wine (ZAV_TEST_RUNNER naming
// wine, ZAV_TEST_EXE naming zavreader.exe); wine maps the drive Z: to the
// root of the host's file system, so the scratch folder /tmp/zavtest-N is
// Z:\tmp\zavtest-N there.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "e2e/e2e_harness.h"
#include "fixtures/model_builder.h"
#include "support/dialogue.h"
#include "support/dialogue_cases.h"

namespace zav::testing {
namespace {

bool RunsUnderWine() {
  const char* runner = std::getenv("ZAV_TEST_RUNNER");
  return runner != nullptr && std::string(runner).find("wine") != std::string::npos;
}

// The folder as the Windows program sees it through wine's drive Z:.
std::string DriveZPath(const std::string& hostPath) {
  std::string path = "Z:" + hostPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

class WindowsPathsEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!RunsUnderWine()) {
      GTEST_SKIP() << "drive letters and backslash paths need the Windows program under wine "
                      "(set ZAV_TEST_EXE to zavreader.exe and ZAV_TEST_RUNNER to wine)";
    }
  }
};

TEST_F(WindowsPathsEndToEnd, DriveLetterAndBackslashesAreUsedAsTyped) {
  ScratchFolder folder;
  folder.Write("tree.dat", fixtures::BuildModel({}));
  const std::string dir = DriveZPath(folder.path());
  const std::string input = dir + "\\tree.dat";
  const std::string output = dir + "\\tree.ase";

  const ProgramRun run = RunProgram(folder, input + " C:\\m\\\nq\n");

  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.console, Banner() + Asked(input, "C:\\m\\") +
                             "MODEL recognized, export starting in 1 second...\n"
                             "Materials: 0\nMaterials done!\nObjects: 0\nObjects done!\n"
                             "MODEL export finished successfully, file: " + output + "\n" +
                             Closing());
  EXPECT_EQ(folder.Read("tree.ase"), EmptyModelText(dir + "\\tree"));
}

// Windows names files without regard to case: tree.ase typed as TREE.ASE is
// the same file, so the output path (its extension written ase) names the
// input, which must stay untouched.
TEST_F(WindowsPathsEndToEnd, OutputNamingTheInputInAnotherCaseLeavesItUntouched) {
  ScratchFolder folder;
  const fixtures::Bytes model = fixtures::BuildModel({});
  folder.Write("TREE.ASE", model);
  const std::string input = DriveZPath(folder.path()) + "\\TREE.ASE";
  const std::string output = DriveZPath(folder.path()) + "\\TREE.ase";

  const ProgramRun run = RunProgram(folder, input + " -\nq\n");

  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.console, Banner() + Asked(input, "C:\\textures\\") +
                             "MODEL recognized, export starting in 1 second...\n"
                             "Could not open file " + output + " for writing\n" + Closing());
  EXPECT_EQ(folder.Read("TREE.ASE"), std::string(model.begin(), model.end()));
  EXPECT_FALSE(folder.Exists("TREE.ase"));
}

}  // namespace
}  // namespace zav::testing
