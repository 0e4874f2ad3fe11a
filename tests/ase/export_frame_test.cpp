#include "ase/export_frame.h"

#include <gtest/gtest.h>

namespace zav {
namespace {

struct PathCase {
  const char* input;
  const char* output;
  const char* scene;
};

class OutputNaming : public ::testing::TestWithParam<PathCase> {};

TEST_P(OutputNaming, FollowsTheLastDot) {
  EXPECT_EQ(MakeOutputPath(GetParam().input), GetParam().output);
  EXPECT_EQ(MakeSceneName(GetParam().input), GetParam().scene);
}

INSTANTIATE_TEST_SUITE_P(Paths, OutputNaming,
                         ::testing::Values(PathCase{"C:\\m\\tree.dat", "C:\\m\\tree.ase", "C:\\m\\tree"},
                                           PathCase{"tree.x", "tree.ase", "tree"},
                                           PathCase{"tree.", "tree.ase", "tree"},
                                           PathCase{"tree.datx", "tree.asex", "tree"},
                                           PathCase{"C:\\old.set\\tree", "C:\\old.ase\\tree", "C:\\old"},
                                           PathCase{"tree", "tree", "tree"},
                                           PathCase{"tree.ase", "tree.ase", "tree"},
                                           PathCase{".dat", ".ase", ""},
                                           PathCase{"a.b.c", "a.b.ase", "a.b"}));

TEST(SceneBlock, ModelAndStageHeaders) {
  const std::string expectedHead =
      "*3DSMAX_ASCIIEXPORT\t200\r\n"
      "*COMMENT \"AsciiExport Version  2.00 - Mon Jan 01 00:00:00 2000\"\r\n"
      "*SCENE {\r\n"
      "\t*SCENE_FILENAME \"C:\\m\\tree.max\"\r\n"
      "\t*SCENE_FIRSTFRAME 0\r\n";
  const std::string expectedTail =
      "\t*SCENE_FRAMESPEED 30\r\n"
      "\t*SCENE_TICKSPERFRAME 160\r\n"
      "\t*SCENE_BACKGROUND_STATIC 0.0000\t0.0000\t0.0000\r\n"
      "\t*SCENE_AMBIENT_STATIC 0.0000\t0.0000\t0.0000\r\n"
      "}\r\n";
  for (const int32_t lastFrame : {100, -2, 0, 20}) {
    TextSink out;
    WriteSceneBlock(out, MakeSceneName("C:\\m\\tree.dat"), lastFrame);
    EXPECT_EQ(out.Buffered(),
              expectedHead + "\t*SCENE_LASTFRAME " + std::to_string(lastFrame) + "\r\n" + expectedTail);
  }
}

}  // namespace
}  // namespace zav
