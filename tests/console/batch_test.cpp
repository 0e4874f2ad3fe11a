#include "console/batch.h"

#include <gtest/gtest.h>

#include <sstream>

#include "fixtures/model_builder.h"
#include "support/memory_files.h"

namespace zav::testing {
namespace {

struct BatchRun {
  int status;
  std::string console;
  std::string errors;
};

BatchRun Batch(const std::vector<std::string>& arguments, MemoryFileSystem& files) {
  std::istringstream in;
  std::ostringstream out, err;
  StreamConsole console(in, out);
  const int status = RunBatch(arguments, console, err, files);
  return {status, out.str(), err.str()};
}

constexpr char kUsage[] =
    "usage: zavreader [-t DIR | --textures DIR] [--] FILE...\n"
    "       zavreader -h | --help\n"
    "       zavreader -V | --version\n";

struct UsageCase {
  std::vector<std::string> arguments;
  const char* why;
};

class BatchUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(BatchUsage, IsRefusedWithStatus2) {
  MemoryFileSystem files;
  files.Add("a.dat", fixtures::BuildModel({}));
  const BatchRun run = Batch(GetParam().arguments, files);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.console, "");
  EXPECT_EQ(run.errors, std::string("zavreader: ") + GetParam().why + "\n" + kUsage);
  EXPECT_TRUE(files.opened.empty());
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, BatchUsage,
    ::testing::Values(UsageCase{{"-x", "a.dat"}, "unknown option -x"},
                      UsageCase{{"--texture", "C:\\t\\", "a.dat"}, "unknown option --texture"},
                      UsageCase{{"a.dat", "-t"}, "option -t needs a directory"},
                      UsageCase{{"--textures"}, "option --textures needs a directory"},
                      UsageCase{{"-t", "C:\\tex", "a.dat"}, "the texture directory must end with a backslash: C:\\tex"},
                      UsageCase{{"--textures=", "a.dat"}, "the texture directory must end with a backslash: "},
                      UsageCase{{"-t", "C:\\t\\"}, "no file to convert"},
                      UsageCase{{"--"}, "no file to convert"}));

TEST(Batch, HelpAndVersion) {
  MemoryFileSystem files;
  const BatchRun help = Batch({"a.dat", "--help"}, files);
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.console.rfind(std::string(kUsage) + "\nConverts model, bone and stage files", 0), 0u);
  EXPECT_TRUE(files.opened.empty());
  const BatchRun version = Batch({"-V"}, files);
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.console, "zavreader 0.900\n");
}

TEST(Batch, ConvertsEachFileWithoutQuestionsOrPauses) {
  MemoryFileSystem files;
  files.Add("a.dat", fixtures::BuildModel({}));
  files.Add("-b.dat", fixtures::BuildModel({}));
  const BatchRun run = Batch({"-t", "D:\\tex\\", "a.dat", "--", "-b.dat"}, files);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.errors, "");
  EXPECT_EQ(run.console,
            "Opening a.dat for reading...\n"
            "MODEL recognized, export starting...\n"
            "Materials: 0\nMaterials done!\nObjects: 0\nObjects done!\n"
            "MODEL export finished successfully, file: a.ase\n"
            "Opening -b.dat for reading...\n"
            "MODEL recognized, export starting...\n"
            "Materials: 0\nMaterials done!\nObjects: 0\nObjects done!\n"
            "MODEL export finished successfully, file: -b.ase\n");
  EXPECT_TRUE(files.Exists("a.ase"));
  EXPECT_TRUE(files.Exists("-b.ase"));
}

TEST(Batch, AnyFileNotConvertedGivesStatus1AndTheOthersStillConvert) {
  MemoryFileSystem files;
  files.Add("a.dat", fixtures::BuildModel({}));
  files.Add("junk.dat", {'x'});
  const BatchRun run = Batch({"missing.dat", "junk.dat", "a.dat", std::string(256, 'y')}, files);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.console,
            "Opening missing.dat for reading...\n"
            "File does not exist or could not be opened for reading\n\n"
            "Opening junk.dat for reading...\n"
            "Header 'x' unrecognized\n"
            "Opening a.dat for reading...\n"
            "MODEL recognized, export starting...\n"
            "Materials: 0\nMaterials done!\nObjects: 0\nObjects done!\n"
            "MODEL export finished successfully, file: a.ase\n"
            "Path is longer than 255 characters, not converted: " + std::string(256, 'y') + "\n");
}

TEST(Batch, AWalkStoppedEarlyGivesStatus1) {
  fixtures::ModelSpec model;
  model.objects.resize(1);
  model.objects[0].tag = "XYZ";
  MemoryFileSystem files;
  files.Add("bad.dat", fixtures::BuildModel(model));
  const BatchRun run = Batch({"bad.dat"}, files);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.console.find("Object 1 header is invalid! Must exit!\n"), std::string::npos);
  EXPECT_TRUE(files.Exists("bad.ase"));
}

}  // namespace
}  // namespace zav::testing
