#include "ase/material_list.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "fixtures/material_builder.h"
#include "support/memory_files.h"

namespace zav {
namespace {

using fixtures::AppendMaterial;
using fixtures::Bytes;
using fixtures::MaterialSpec;

constexpr uint64_t kStageFirstRecord = 262904;

// A console that keeps its lines and the pauses asked for in one transcript,
// so their order shows.
class RecordingConsole : public Console {
 public:
  std::string transcript;
  bool ReadWord(std::string&) override { return false; }
  void Write(std::string_view text) override { transcript.append(text); }
};

struct ListRun {
  std::string text;     // the material list
  std::string console;  // console lines and "[pause N]" marks
  uint64_t faults = 0;
  size_t textAtPause = 0;  // length of the list text when the pause began
};

class MaterialListTest : public ::testing::Test {
 protected:
  // Writes the list of `count` records located at `first` of `image`.
  ListRun Run(ExportKind kind, const Bytes& image, uint64_t first, int32_t count) {
    RecordingConsole console;
    TextSink out;
    ListRun run;
    ExportEnv env{console, files_,
                  [&](int ms) {
                    console.transcript += "[pause " + std::to_string(ms) + "]\n";
                    run.textAtPause = out.Buffered().size();
                  },
                  counters_, "C:\\in\\file.dat", "C:\\textures\\"};
    WriteMaterialList(out, env, kind, LocateMaterialBlock(ByteView(image.data(), image.size()), first, count));
    run.text = std::string(out.Buffered());
    run.console = console.transcript;
    run.faults = console.faultCount();
    return run;
  }
  // Records from offset 0, model kind.
  ListRun RunModel(const std::vector<MaterialSpec>& materials) {
    Bytes image;
    for (const MaterialSpec& m : materials) AppendMaterial(image, m);
    return Run(ExportKind::Model, image, 0, static_cast<int32_t>(materials.size()));
  }

  NameCounters counters_;
  testing::MemoryFileSystem files_;
};

// One output line: TABs, text, CR LF.
std::string L(int depth, std::string_view text) { return std::string(static_cast<size_t>(depth), '\t') + std::string(text) + "\r\n"; }

// The lines of one map block.
std::string MapBlock(std::string_view kind, int subNumber, std::string_view name, std::string_view bitmap) {
  return L(3, kind) + L(4, "*MAP_NAME \"" + std::string(name) + "\"") + L(4, "*MAP_CLASS \"Bitmap\"") +
         L(4, "*MAP_SUBNO " + std::to_string(subNumber)) + L(4, "*MAP_AMOUNT 1.0000") +
         L(4, "*BITMAP \"" + std::string(bitmap) + "\"") + L(4, "*MAP_TYPE Screen") + L(4, "*UVW_U_OFFSET 0.0000") +
         L(4, "*UVW_V_OFFSET 0.0000") + L(4, "*UVW_U_TILING 1.0000") + L(4, "*UVW_V_TILING 1.0000") +
         L(4, "*UVW_ANGLE 0.0000") + L(4, "*UVW_BLUR 1.0000") + L(4, "*UVW_BLUR_OFFSET 0.0000") +
         L(4, "*UVW_NOUSE_AMT 1.0000") + L(4, "*UVW_NOISE_SIZE 1.0000") + L(4, "*UVW_NOISE_LEVEL 1") +
         L(4, "*UVW_NOISE_PHASE 0.0000") + L(4, "*BITMAP_FILTER Pyramidal") + L(3, "}");
}
std::string Diffuse(std::string_view name, std::string_view bitmap) { return MapBlock("*MAP_DIFFUSE {", 1, name, bitmap); }
std::string SelfIllum(std::string_view name, std::string_view bitmap) { return MapBlock("*MAP_SELFILLUM {", 5, name, bitmap); }
std::string Opacity(std::string_view name, std::string_view bitmap) { return MapBlock("*MAP_OPACITY {", 6, name, bitmap); }

// The text of sub-material 0 of a record with zero colour and amounts, not
// two-sided, up to and with "*MATERIAL_XP_TYPE Filter".
std::string PlainSubMaterialHead(std::string_view name) {
  return L(2, "*SUBMATERIAL 0 {") + L(3, "*MATERIAL_NAME \"" + std::string(name) + "\"") +
         L(3, "*MATERIAL_CLASS \"Standard\"") + L(3, "*MATERIAL_AMBIENT 0.5880\t0.5880\t0.5880") +
         L(3, "*MATERIAL_DIFFUSE 0.0000\t0.0000\t0.0000") + L(3, "*MATERIAL_SPECULAR 0.9000\t0.9000\t0.9000") +
         L(3, "*MATERIAL_SHINE 0.1000") + L(3, "*MATERIAL_SHINESTRENGTH 0.0000") +
         L(3, "*MATERIAL_TRANSPARENCY 0.0000") + L(3, "*MATERIAL_WIRESIZE 1.0000") + L(3, "*MATERIAL_SHADING Blinn") +
         L(3, "*MATERIAL_XP_FALLOFF 0.0000") + L(3, "*MATERIAL_SELFILLUM 0.0000") + L(3, "*MATERIAL_FALLOFF In") +
         L(3, "*MATERIAL_XP_TYPE Filter");
}

// The map blocks of sub-material 0 of a one-record model list: the text
// between "*MATERIAL_XP_TYPE Filter" and the sub-material's "}".
std::string MapsOf(const ListRun& run) {
  const std::string head = "*MATERIAL_XP_TYPE Filter\r\n";
  const size_t from = run.text.find(head);
  const std::string tail = "\t\t}\r\n\t}\r\n}\r\n";
  if (from == std::string::npos || run.text.size() < tail.size() ||
      run.text.compare(run.text.size() - tail.size(), tail.size(), tail) != 0) {
    return "<no sub-material>";
  }
  const size_t start = from + head.size();
  return run.text.substr(start, run.text.size() - tail.size() - start);
}

const char kEmptyList[] = "*MATERIAL_LIST {\r\n\t*MATERIAL_COUNT 0\r\n}\r\n";

TEST_F(MaterialListTest, EmptyListForEachKind) {
  const Bytes image(400, 0);
  for (const int32_t count : {0, -3}) {
    const ListRun model = Run(ExportKind::Model, image, 100, count);
    EXPECT_EQ(model.text, kEmptyList);
    EXPECT_EQ(model.console, "Materials: " + std::to_string(count) + "\nMaterials done!\n");
    const ListRun stage = Run(ExportKind::Stage, image, kStageFirstRecord, count);
    EXPECT_EQ(stage.text, kEmptyList);
    EXPECT_EQ(stage.console, "Materials: " + std::to_string(count) + " (offset: 000402F8)\n");
    EXPECT_EQ(model.faults + stage.faults, 0u);
  }
  EXPECT_EQ(counters_.defaultName, 0);
}

TEST_F(MaterialListTest, TwoRecordsWithoutFlags) {
  MaterialSpec first;
  first.blendType = 1;  // alpha blending adds no name
  const ListRun run = RunModel({first, MaterialSpec{}});
  EXPECT_EQ(run.text,
            "*MATERIAL_LIST {\r\n"
            "\t*MATERIAL_COUNT 1\r\n"
            "\t*MATERIAL 0 {\r\n"
            "\t\t*MATERIAL_NAME \"1 - Default\"\r\n"
            "\t\t*MATERIAL_CLASS \"Multi/Sub-Object\"\r\n"
            "\t\t*MATERIAL_AMBIENT 0.0000\t0.0000\t0.0000\r\n"
            "\t\t*MATERIAL_DIFFUSE 0.0000\t0.0000\t0.0000\r\n"
            "\t\t*MATERIAL_SPECULAR 0.9000\t0.9000\t0.9000\r\n"
            "\t\t*MATERIAL_SHINE 0.1000\r\n"
            "\t\t*MATERIAL_SHINESTRENGTH 0.0000\r\n"
            "\t\t*MATERIAL_TRANSPARENCY 0.0000\r\n"
            "\t\t*MATERIAL_WIRESIZE 1.000\r\n"
            "\t\t*NUMSUBMTLS 2\r\n"
            "\t\t*SUBMATERIAL 0 {\r\n"
            "\t\t\t*MATERIAL_NAME \"2 - Default\"\r\n"
            "\t\t\t*MATERIAL_CLASS \"Standard\"\r\n"
            "\t\t\t*MATERIAL_AMBIENT 0.5880\t0.5880\t0.5880\r\n"
            "\t\t\t*MATERIAL_DIFFUSE 0.0000\t0.0000\t0.0000\r\n"
            "\t\t\t*MATERIAL_SPECULAR 0.9000\t0.9000\t0.9000\r\n"
            "\t\t\t*MATERIAL_SHINE 0.1000\r\n"
            "\t\t\t*MATERIAL_SHINESTRENGTH 0.0000\r\n"
            "\t\t\t*MATERIAL_TRANSPARENCY 0.0000\r\n"
            "\t\t\t*MATERIAL_WIRESIZE 1.0000\r\n"
            "\t\t\t*MATERIAL_SHADING Blinn\r\n"
            "\t\t\t*MATERIAL_XP_FALLOFF 0.0000\r\n"
            "\t\t\t*MATERIAL_SELFILLUM 0.0000\r\n"
            "\t\t\t*MATERIAL_FALLOFF In\r\n"
            "\t\t\t*MATERIAL_XP_TYPE Filter\r\n"
            "\t\t}\r\n"
            "\t\t*SUBMATERIAL 1 {\r\n"
            "\t\t\t*MATERIAL_NAME \"3 - Default\"\r\n"
            "\t\t\t*MATERIAL_CLASS \"Standard\"\r\n"
            "\t\t\t*MATERIAL_AMBIENT 0.5880\t0.5880\t0.5880\r\n"
            "\t\t\t*MATERIAL_DIFFUSE 0.0000\t0.0000\t0.0000\r\n"
            "\t\t\t*MATERIAL_SPECULAR 0.9000\t0.9000\t0.9000\r\n"
            "\t\t\t*MATERIAL_SHINE 0.1000\r\n"
            "\t\t\t*MATERIAL_SHINESTRENGTH 0.0000\r\n"
            "\t\t\t*MATERIAL_TRANSPARENCY 0.0000\r\n"
            "\t\t\t*MATERIAL_WIRESIZE 1.0000\r\n"
            "\t\t\t*MATERIAL_SHADING Blinn\r\n"
            "\t\t\t*MATERIAL_XP_FALLOFF 0.0000\r\n"
            "\t\t\t*MATERIAL_SELFILLUM 0.0000\r\n"
            "\t\t\t*MATERIAL_FALLOFF In\r\n"
            "\t\t\t*MATERIAL_XP_TYPE Filter\r\n"
            "\t\t}\r\n"
            "\t}\r\n"
            "}\r\n");
  // The pause comes once, after the top material and before the first
  // sub-material.
  EXPECT_EQ(run.console, "Materials: 2\n[pause 500]\nMaterial 0...\nMaterial 1...\nMaterials done!\n");
  EXPECT_EQ(run.textAtPause, run.text.find("\t\t*SUBMATERIAL 0 {"));
  EXPECT_EQ(run.faults, 0u);
}

TEST_F(MaterialListTest, StageListHasTheSameTextAndFewerConsoleLines) {
  Bytes image(kStageFirstRecord, 0);
  AppendMaterial(image, MaterialSpec{});
  AppendMaterial(image, MaterialSpec{});
  const ListRun stage = Run(ExportKind::Stage, image, kStageFirstRecord, 2);
  EXPECT_EQ(stage.console, "Materials: 2 (offset: 000402F8)\n[pause 500]\n");

  counters_ = NameCounters{};
  const ListRun model = RunModel({MaterialSpec{}, MaterialSpec{}});
  EXPECT_EQ(stage.text, model.text);
}

TEST_F(MaterialListTest, CountersRunOnAcrossExports) {
  const ListRun first = RunModel({MaterialSpec{}, MaterialSpec{}});
  const ListRun second = RunModel({MaterialSpec{}});
  auto names = [](const std::string& text) {
    std::vector<std::string> found;
    for (size_t at = text.find("*MATERIAL_NAME \""); at != std::string::npos; at = text.find("*MATERIAL_NAME \"", at + 1)) {
      const size_t from = at + 16;
      found.push_back(text.substr(from, text.find('"', from) - from));
    }
    return found;
  };
  EXPECT_EQ(names(first.text), (std::vector<std::string>{"1 - Default", "2 - Default", "3 - Default"}));
  EXPECT_EQ(names(second.text), (std::vector<std::string>{"4 - Default", "5 - Default"}));
}

TEST_F(MaterialListTest, ThreeStagesWithoutOpacity) {
  MaterialSpec m;
  m.useFlags = 1;
  m.textureCount = 3;
  m.stageBlendOps = {4, 0, 0};
  m.stageForms = {4, 0, 5};
  m.textureNames = {"D:\\t\\d.bmp", "D:\\t\\s1.bmp", "D:\\t\\s2.bmp"};
  const ListRun run = RunModel({m});
  EXPECT_EQ(MapsOf(run), Diffuse("BS_MODULATE:FS_SCROLL:", "C:\\textures\\d.bmp") +
                             SelfIllum("Map #1", "C:\\textures\\s1.bmp") +
                             SelfIllum("FS_REFLEX:", "C:\\textures\\s2.bmp"));
}

TEST_F(MaterialListTest, TwoStagesWithOpacity) {
  MaterialSpec m;
  m.useFlags = 1;
  m.textureCount = 2;
  m.opacityMapFlag = 1;
  m.stageBlendOps = {2, 7};  // stage 0 has no name
  m.textureNames = {"D:\\t\\diffuse.bmp", "D:\\t\\opacity.bmp", "D:\\t\\glow.bmp"};
  const ListRun run = RunModel({m});
  // Self-illumination from entry 2, opacity from entry 1 with a new number.
  EXPECT_EQ(MapsOf(run), Diffuse("Map #1", "C:\\textures\\diffuse.bmp") +
                             SelfIllum("BS_ADD:", "C:\\textures\\glow.bmp") +
                             Opacity("Map #2", "C:\\textures\\opacity.bmp"));
  EXPECT_EQ(counters_.mapName, 2);
}

TEST_F(MaterialListTest, OpacityOfAOneEntryListShowsEntryZero) {
  MaterialSpec m;
  m.useFlags = 1;
  m.textureCount = 1;
  m.opacityMapFlag = 1;
  m.stageForms = {1};
  m.textureNames = {"D:\\t\\only.bmp"};
  const ListRun run = RunModel({m});
  EXPECT_EQ(MapsOf(run),
            Diffuse("FS_FORMX:", "C:\\textures\\only.bmp") + Opacity("FS_FORMX:", "C:\\textures\\only.bmp"));
}

TEST_F(MaterialListTest, MapBlocksNeedTextureStages) {
  MaterialSpec none;
  none.useFlags = 1;
  none.opacityMapFlag = 1;
  none.textureNames = {"D:\\t\\a.bmp", "D:\\t\\b.bmp"};
  for (const int32_t count : {0, -1}) {
    none.textureCount = count;
    EXPECT_EQ(MapsOf(RunModel({none})), "") << count;
  }
  // A stage without any name list: empty bitmap paths.
  MaterialSpec unnamed;
  unnamed.useFlags = 1;
  unnamed.textureCount = 2;
  unnamed.stageBlendOps = {4, 4};
  EXPECT_EQ(MapsOf(RunModel({unnamed})), Diffuse("BS_MODULATE:", "") + SelfIllum("BS_MODULATE:", ""));
}

TEST_F(MaterialListTest, TwoSidedLineOnlyWhenSet) {
  MaterialSpec m;
  m.useFlags = 1;
  const std::string plain = PlainSubMaterialHead("wind:") + L(2, "}");
  EXPECT_NE(RunModel({m}).text.find(plain), std::string::npos);

  m.twoSidedFlag = -7;
  const std::string text = RunModel({m}).text;
  EXPECT_NE(text.find(L(3, "*MATERIAL_SELFILLUM 0.0000") + L(3, "*MATERIAL_TWOSIDED") + L(3, "*MATERIAL_FALLOFF In")),
            std::string::npos);
  EXPECT_EQ(text.find("*MATERIAL_TWOSIDED"), text.rfind("*MATERIAL_TWOSIDED"));
}

TEST_F(MaterialListTest, ColourAndAmounts) {
  MaterialSpec m;
  m.useFlags = 1;
  m.diffuseColor = {1.0f, 0.5f, 0.0f};
  m.transparency = 0.25f;
  m.selfIllumination = -0.03125f;
  MaterialSpec other;
  other.useFlags = 2;
  other.diffuseColor = {0.1f, 0.2f, 0.3f};
  const std::string text = RunModel({m, other}).text;
  // The top material shows record 0's colour as ambient and diffuse colour.
  EXPECT_NE(text.find(L(2, "*MATERIAL_AMBIENT 1.0000\t0.5000\t0.0000") + L(2, "*MATERIAL_DIFFUSE 1.0000\t0.5000\t0.0000")),
            std::string::npos);
  EXPECT_NE(text.find(L(2, "*MATERIAL_TRANSPARENCY 0.2500")), std::string::npos);
  EXPECT_NE(text.find(L(3, "*MATERIAL_AMBIENT 0.5880\t0.5880\t0.5880") + L(3, "*MATERIAL_DIFFUSE 1.0000\t0.5000\t0.0000")),
            std::string::npos);
  EXPECT_NE(text.find(L(3, "*MATERIAL_TRANSPARENCY 0.2500")), std::string::npos);
  EXPECT_NE(text.find(L(3, "*MATERIAL_SELFILLUM -0.0313")), std::string::npos);
  EXPECT_NE(text.find(L(3, "*MATERIAL_DIFFUSE 0.1000\t0.2000\t0.3000")), std::string::npos);
}

TEST_F(MaterialListTest, TruncatedBlockKeepsTheRecordsThatFit) {
  MaterialSpec named;
  named.useFlags = 512;
  MaterialSpec listed;
  listed.useFlags = 1024;
  listed.textureNames = {"D:\\t\\x.bmp"};  // 12 bytes
  Bytes image(100, 0);
  AppendMaterial(image, named);
  AppendMaterial(image, named);
  AppendMaterial(image, listed);
  image.resize(image.size() - 5);  // record 2's list runs 5 bytes past the end

  const ListRun run = Run(ExportKind::Model, image, 100, 4);
  EXPECT_EQ(run.console,
            "Materials: 4\n[pause 500]\nMaterial 0...\nMaterial 1...\n"
            "Material 2 does not fit in the file (offset 000002EC, end 0000043C, file size 1079); "
            "2 of 4 materials written\n"
            "Materials done!\n");
  EXPECT_EQ(run.faults, 1u);
  EXPECT_NE(run.text.find(L(2, "*NUMSUBMTLS 2")), std::string::npos);
  EXPECT_NE(run.text.find("*SUBMATERIAL 1 {"), std::string::npos);
  EXPECT_EQ(run.text.find("*SUBMATERIAL 2 {"), std::string::npos);
  EXPECT_TRUE(run.text.ends_with(L(3, "*MATERIAL_XP_TYPE Filter") + L(2, "}") + L(1, "}") + L(0, "}")));
}

TEST_F(MaterialListTest, TruncatedFirstRecordGivesTheEmptyList) {
  const Bytes image(1000, 0);
  const ListRun model = Run(ExportKind::Model, image, 900, 1);
  EXPECT_EQ(model.text, kEmptyList);
  EXPECT_EQ(model.console,
            "Materials: 1\n"
            "Material 0 does not fit in the file (offset 00000384, end 000004C8, file size 1000); "
            "0 of 1 materials written\n"
            "Materials done!\n");
  const ListRun stage = Run(ExportKind::Stage, image, kStageFirstRecord, 2147483647);
  EXPECT_EQ(stage.text, kEmptyList);
  EXPECT_EQ(stage.console,
            "Materials: 2147483647 (offset: 000402F8)\n"
            "Material 0 does not fit in the file (offset 000402F8, end 0004043C, file size 1000); "
            "0 of 2147483647 materials written\n");
  EXPECT_EQ(counters_.defaultName, 0);
}

// Stages from the ninth on: numbered map names, written while the list holds
// their entry.
TEST_F(MaterialListTest, StagesBeyondTheEighth) {
  MaterialSpec m;
  m.useFlags = 1;
  m.stageBlendOps.fill(4);
  std::vector<std::string> names;
  for (int i = 0; i < 10; ++i) names.push_back("D:\\t\\e" + std::to_string(i) + ".bmp");
  m.textureNames = names;
  auto entry = [](int i) { return "C:\\textures\\e" + std::to_string(i) + ".bmp"; };

  // Ten stages, ten entries: all written.
  m.textureCount = 10;
  std::string expected = Diffuse("BS_MODULATE:", entry(0));
  for (int s = 1; s < 8; ++s) expected += SelfIllum("BS_MODULATE:", entry(s));
  expected += SelfIllum("Map #1", entry(8)) + SelfIllum("Map #2", entry(9));
  ListRun run = RunModel({m});
  EXPECT_EQ(MapsOf(run), expected);
  EXPECT_EQ(run.faults, 0u);

  // With opacity, stage s shows entry s + 1: stage 8 is the last with an entry.
  counters_ = NameCounters{};
  m.textureCount = 2147483647;
  m.opacityMapFlag = 1;
  expected = Diffuse("BS_MODULATE:", entry(0));
  for (int s = 1; s < 8; ++s) expected += SelfIllum("BS_MODULATE:", entry(s + 1));
  expected += SelfIllum("Map #1", entry(9)) + Opacity("BS_MODULATE:", entry(1));
  run = RunModel({m});
  EXPECT_EQ(MapsOf(run), expected);
  EXPECT_EQ(run.console,
            "Materials: 1\n[pause 500]\nMaterial 0...\n"
            "Material 0 has textureCount 2147483647, more texture stages than it can hold; "
            "9 of 2147483647 texture stages written\n"
            "Materials done!\n");
  EXPECT_EQ(run.faults, 1u);

  // Stages 1 to 7 are written even past the list (entry 0), later ones not.
  counters_ = NameCounters{};
  m.textureCount = 12;
  m.opacityMapFlag = 0;
  m.textureNames = {"D:\\t\\e0.bmp", "D:\\t\\e1.bmp"};
  expected = Diffuse("BS_MODULATE:", entry(0)) + SelfIllum("BS_MODULATE:", entry(1));
  for (int s = 2; s < 8; ++s) expected += SelfIllum("BS_MODULATE:", entry(0));
  run = RunModel({m});
  EXPECT_EQ(MapsOf(run), expected);
  EXPECT_NE(run.console.find("Material 0 has textureCount 12, more texture stages than it can hold; "
                             "8 of 12 texture stages written\n"),
            std::string::npos);

  // However long the list, no more than 256 stages are written.
  counters_ = NameCounters{};
  m.textureCount = 100000;
  m.textureNames.assign(1000, "D:\\t\\x.bmp");
  run = RunModel({m});
  const std::string maps = MapsOf(run);
  size_t blocks = 0;
  for (size_t at = maps.find("*MAP_SELFILLUM {"); at != std::string::npos; at = maps.find("*MAP_SELFILLUM {", at + 1)) ++blocks;
  EXPECT_EQ(blocks, 255u);
  EXPECT_NE(run.console.find("Material 0 has textureCount 100000, more texture stages than it can hold; "
                             "256 of 100000 texture stages written\n"),
            std::string::npos);
}

}  // namespace
}  // namespace zav
