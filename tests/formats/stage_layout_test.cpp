#include "formats/stage_layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "fixtures/stage_builder.h"
#include "stage/stage_run.h"
#include "support/dialogue.h"
#include "support/memory_files.h"

namespace zav::testing {
namespace {

using fixtures::Bytes;
using fixtures::StageSpec;

// Locates a stage image that must be accepted.
StageLayout Locate(const Bytes& bytes) {
  std::istringstream in;
  std::ostringstream out;
  StreamConsole console(in, out);
  std::optional<StageLayout> layout = LocateStage(ByteView(bytes.data(), bytes.size()), console);
  EXPECT_TRUE(layout.has_value()) << out.str();
  EXPECT_EQ(out.str(), "");
  return layout.value_or(StageLayout{});
}

TEST(StageLayout, MaterialRecordsMoveTheArrays) {
  StageSpec stage;
  fixtures::MaterialSpec tenBytes;
  tenBytes.rawNameList = Bytes(10, 'a');
  stage.materials = {tenBytes, fixtures::MaterialSpec{}};
  const Bytes bytes = fixtures::BuildStage(stage);
  const StageLayout layout = Locate(bytes);
  EXPECT_EQ(layout.materialCount, 2);
  EXPECT_EQ(layout.materials.records.size(), 2u);
  EXPECT_EQ(layout.materialSize, 658);
  EXPECT_EQ(layout.vertexOffset, 263570);
}

TEST(StageLayout, ArraysAndReportLines) {
  StageSpec stage;
  stage.vertices.resize(2);
  stage.faces.resize(1);
  stage.textureLinks.resize(1);
  stage.lights.resize(1);
  const Bytes bytes = fixtures::BuildStage(stage);
  const StageLayout layout = Locate(bytes);
  EXPECT_EQ(layout.materialSize, 0);
  EXPECT_EQ(layout.vertexOffset, 262912);
  EXPECT_EQ(layout.faceOffset, 262968);
  EXPECT_EQ(layout.textureLinkOffset, 262988);
  EXPECT_EQ(layout.lightOffset, 263020);
  EXPECT_EQ(layout.VertexReport(), "Vertices: 2 (offset: 00040300 size: 56 end: 00040338)");
  EXPECT_EQ(layout.FaceReport(), "Faces: 1 (offset: 00040338 size: 28 end: 00040354)");
  EXPECT_EQ(layout.TextureLinkReport(), "Textures: 1 (offset: 0004034C size: 32 end: 0004036C)");
  EXPECT_EQ(layout.LightReport(), "Lights: 1 (offset: 0004036C size: 28 end: 00040388)");
}

TEST(StageLayout, AllCountsZero) {
  const Bytes bytes = fixtures::BuildStage({});
  const StageLayout layout = Locate(bytes);
  EXPECT_EQ(layout.VertexReport(), "Vertices: 0 (offset: 00040300 size: 0 end: 00040300)");
  EXPECT_EQ(layout.FaceReport(), "Faces: 0 (offset: 00040300 size: 0 end: 00040300)");
  EXPECT_EQ(layout.TextureLinkReport(), "Textures: 0 (offset: 000402F8 size: 0 end: 000402F8)");
  EXPECT_EQ(layout.LightReport(), "Lights: 0 (offset: 000402F8 size: 0 end: 000402F8)");
}

// Negative counts give empty arrays; sizes, ends and the offsets after them
// still follow the stored counts.
TEST(StageLayout, NegativeCountsAreEmptyButCountArithmetically) {
  StageSpec stage;
  stage.vertexCount = -1;
  stage.faceCount = -10000;
  stage.textureLinkCount = INT32_MIN;
  stage.lightCount = -2;
  const Bytes bytes = fixtures::BuildStage(stage);
  const StageLayout layout = Locate(bytes);
  EXPECT_EQ(layout.vertices(), 0);
  EXPECT_EQ(layout.faces(), 0);
  EXPECT_EQ(layout.textureLinks(), 0);
  EXPECT_EQ(layout.lights(), 0);
  EXPECT_EQ(layout.VertexReport(), "Vertices: -1 (offset: 00040300 size: -28 end: 000402E4)");
  EXPECT_EQ(layout.FaceReport(), "Faces: -10000 (offset: 000402E4 size: -280000 end: FFFFBD24)");
  EXPECT_EQ(layout.TextureLinkReport(), "Textures: -2147483648 (offset: FFFFBD1C size: -68719476736 end: FFFFBD1C)");
  EXPECT_EQ(layout.LightReport(), "Lights: -2 (offset: FFFFBD1C size: -56 end: FFFFBCE4)");
}

TEST(StageLayout, ElementFields) {
  StageSpec stage;
  stage.vertices = {{1, -2, 3, {10, 20, 65535}}, {-256, 512, -1, {}}};
  stage.faces = {{1, 0, 1, -1, 7}};
  stage.textureLinks = {{{0.5f, 1, 2}, {3, 4, -5}, 9}};
  stage.lights = {{0x8009, -512, 256, 128, 257, {114, -57, 32767}}};
  const Bytes bytes = fixtures::BuildStage(stage);
  const StageLayout layout = Locate(bytes);
  const StageVertexView v = layout.vertex(1);
  EXPECT_EQ(v.x(), -256);
  EXPECT_EQ(v.y(), 512);
  EXPECT_EQ(v.z(), -1);
  EXPECT_EQ(layout.vertex(0).colour(0), 10);
  EXPECT_EQ(layout.vertex(0).colour(1), 20);
  EXPECT_EQ(layout.vertex(0).colour(2), 65535);
  const StageFaceView f = layout.face(0);
  EXPECT_EQ(f.a(), 1);
  EXPECT_EQ(f.b(), 0);
  EXPECT_EQ(f.c(), 1);
  EXPECT_EQ(f.materialId(), -1);  // stored bits 0xFFFF
  EXPECT_EQ(f.textured(), 7);
  const TextureLinkView t = layout.textureLink(0);
  EXPECT_EQ(t.u(0), 0.5f);
  EXPECT_EQ(t.u(2), 2.0f);
  EXPECT_EQ(t.v(1), 4.0f);
  EXPECT_EQ(t.v(2), -5.0f);
  EXPECT_EQ(t.extraLayer(), 9);
  const StageLightView l = layout.light(0);
  EXPECT_EQ(l.flags(), 0x8009);
  EXPECT_EQ(l.x(), -512);
  EXPECT_EQ(l.y(), 256);
  EXPECT_EQ(l.z(), 128);
  EXPECT_EQ(l.rangeMode(), 257);
  EXPECT_EQ(l.colour(0), 114);
  EXPECT_EQ(l.colour(1), -57);
  EXPECT_EQ(l.colour(2), 32767);
}

// The shading parameters of the header.
TEST(StageLayout, ShadingFields) {
  StageSpec stage;
  stage.shadeDivisor = -3;
  stage.shadeBase = 77;
  stage.shadeVector = {1, -2, INT32_MAX};
  const StageLayout layout = Locate(fixtures::BuildStage(stage));
  EXPECT_EQ(layout.shadeDivisor, -3);
  EXPECT_EQ(layout.shadeBase, 77);
  EXPECT_EQ(layout.shadeVector, (std::array<int32_t, 3>{1, -2, INT32_MAX}));
}

struct DamagedStage {
  const char* name;
  std::function<Bytes()> build;
  const char* fault;
};

StageSpec WithVertices(size_t count) {
  StageSpec stage;
  stage.vertices.resize(count);
  return stage;
}

std::vector<DamagedStage> DamagedStages() {
  return {
      {"ShortHeader",
       [] {
         Bytes bytes = fixtures::BuildStage({});
         bytes.resize(1000);
         return bytes;
       },
       "Stage header does not fit in the file (offset 00000000, end 000402F8, file size 1000)"},
      {"MaterialRecordMissing",
       [] {
         StageSpec stage;
         stage.materials.resize(1);
         stage.materialCount = 2;
         return fixtures::BuildStage(stage);
       },
       "Stage material record 1 does not fit in the file (offset 0004043C, end 00040580, file size 263236)"},
      {"MaterialNameListTooLong",
       [] {
         StageSpec stage;
         stage.materials.resize(1);
         stage.materials[0].nameListSize = 100000;
         return fixtures::BuildStage(stage);
       },
       "Stage material record 0 does not fit in the file (offset 000402F8, end 00058ADC, file size 263236)"},
      {"VertexArray",
       [] {
         StageSpec stage = WithVertices(2);
         stage.vertexCount = 3;
         return fixtures::BuildStage(stage);
       },
       "Stage vertex array does not fit in the file (offset 00040300, end 00040354, file size 262968)"},
      {"HugeVertexCount",
       [] {
         StageSpec stage;
         stage.vertexCount = INT32_MAX;
         return fixtures::BuildStage(stage);
       },
       "Stage vertex array does not fit in the file (offset 00040300, end E000402E4, file size 262912)"},
      {"FaceArray",
       [] {
         StageSpec stage = WithVertices(1);
         stage.faces.resize(1);
         stage.faceCount = 2;
         return fixtures::BuildStage(stage);
       },
       "Stage face array does not fit in the file (offset 0004031C, end 00040354, file size 262968)"},
      {"FaceArrayMovedBeforeTheFile",
       [] {
         StageSpec stage;
         stage.vertexCount = -100000;
         stage.faces.resize(1);
         return fixtures::BuildStage(stage);
       },
       "Stage face array does not fit in the file (offset FFD94980, end FFD9499C, file size 262940)"},
      {"TextureLinkArray",
       [] {
         StageSpec stage = WithVertices(1);
         stage.faces.resize(1);
         stage.textureLinks.resize(1);
         stage.textureLinkCount = 2;
         return fixtures::BuildStage(stage);
       },
       "Stage texture link array does not fit in the file (offset 00040330, end 00040370, file size 262992)"},
      {"LightArray",
       [] {
         StageSpec stage;
         stage.lights.resize(1);
         stage.lightCount = 2;
         return fixtures::BuildStage(stage);
       },
       "Stage light array does not fit in the file (offset 000402F8, end 00040330, file size 262932)"},
      {"FaceBeyondTheVertices",
       [] {
         StageSpec stage = WithVertices(3);
         stage.faces = {{0, 1, 2}, {2, 3, 0}};
         return fixtures::BuildStage(stage);
       },
       "Stage face 1 names vertex 3, but the stage has 3 vertices"},
      {"FaceWithoutVertices",
       [] {
         StageSpec stage;
         stage.vertexCount = -1;
         stage.faces = {{0, 0, 0}};
         return fixtures::BuildStage(stage);
       },
       "Stage face 0 names vertex 0, but the stage has 0 vertices"},
  };
}

class DamagedStageLayout : public ::testing::TestWithParam<DamagedStage> {};

TEST_P(DamagedStageLayout, IsRefusedWithOneFaultLine) {
  bool located = true;
  EXPECT_EQ(LocateConsole(GetParam().build(), located), std::string(GetParam().fault) + "\n");
  EXPECT_FALSE(located);
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedStageLayout, ::testing::ValuesIn(DamagedStages()),
                         [](const auto& info) { return std::string(info.param.name); });

// Every cut of a valid stage is either refused or converted without a read
// outside the image (the sanitizer build watches the reads).
TEST(StageLayout, EveryTruncationIsRefused) {
  StageSpec stage = WithVertices(3);
  stage.materials.resize(1);
  stage.materials[0].textureNames = {"C:\\t\\a.bmp"};
  stage.faces = {{0, 1, 2, 0, 1}};
  stage.textureLinks.resize(2);
  stage.lights.resize(1);
  const Bytes whole = fixtures::BuildStage(stage);
  for (size_t size = 262000; size < whole.size(); ++size) {
    bool located = true;
    const std::string console = LocateConsole(Bytes(whole.begin(), whole.begin() + static_cast<long>(size)), located);
    EXPECT_FALSE(located) << size;
    EXPECT_EQ(console.rfind("Stage ", 0), 0u) << size;
  }
}

// A refused stage leaves an old output as it was, and the run goes on.
TEST(StageLayout, RefusedStageLeavesTheOldOutput) {
  MemoryFileSystem files;
  StageSpec stage = WithVertices(2);
  stage.vertexCount = 3;
  files.Add("ground.stg", fixtures::BuildStage(stage));
  files.Add("ground.ase", {'o', 'l', 'd'});
  const Transcript transcript = RunDialogue("ground.stg -\nq\n", files);
  EXPECT_EQ(transcript.console,
            Banner() + Asked("ground.stg", "C:\\textures\\") +
                "STAGE recognized, export starting in 1 second...\n"
                "Stage vertex array does not fit in the file (offset 00040300, end 00040354, file size 262968)\n" +
                Closing());
  EXPECT_EQ(files.Text("ground.ase"), "old");
  EXPECT_TRUE(files.removed.empty());
}

TEST(StageLayout, RefusedStageWritesNoOutput) {
  MemoryFileSystem files;
  StageSpec stage = WithVertices(1);
  stage.faces = {{0, 0, 1}};
  files.Add("ground.stg", fixtures::BuildStage(stage));
  const Transcript transcript = RunDialogue("ground.stg -\nq\n", files);
  EXPECT_EQ(transcript.console, Banner() + Asked("ground.stg", "C:\\textures\\") +
                                    "STAGE recognized, export starting in 1 second...\n"
                                    "Stage face 0 names vertex 1, but the stage has 1 vertices\n" +
                                    Closing());
  EXPECT_FALSE(files.Exists("ground.ase"));
}

}  // namespace
}  // namespace zav::testing
