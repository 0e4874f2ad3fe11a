#include "ase/material_names.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "fixtures/material_builder.h"

namespace zav {
namespace {

using fixtures::AppendMaterial;
using fixtures::Bytes;
using fixtures::MaterialSpec;

// One record in an image of its own.
class OneRecord {
 public:
  explicit OneRecord(const MaterialSpec& spec) {
    AppendMaterial(image_, spec);
    record_ = MaterialRecordView(ByteView(image_.data(), image_.size()), 0);
  }
  const MaterialRecordView& view() const { return record_; }

 private:
  Bytes image_;
  MaterialRecordView record_;
};

MaterialSpec Flags(int32_t useFlags, int32_t blendType) {
  MaterialSpec m;
  m.useFlags = useFlags;
  m.blendType = blendType;
  return m;
}

MaterialSpec Sequence(int32_t textureCount, int32_t sequenceFlags, std::string firstTexture) {
  MaterialSpec m;
  m.useFlags = 512;
  m.blendType = 2;
  m.textureCount = textureCount;
  m.textureSequenceFlags = sequenceFlags;
  m.textureNames = {std::move(firstTexture)};
  return m;
}

struct MaterialNameCase {
  const char* what;
  MaterialSpec spec;
  std::string name;
};

class MaterialNameTable : public ::testing::TestWithParam<MaterialNameCase> {};

TEST_P(MaterialNameTable, BuildsTheName) {
  NameCounters counters;
  const OneRecord record(GetParam().spec);
  EXPECT_EQ(MakeMaterialName(record.view(), counters), GetParam().name) << GetParam().what;
}

const std::string kLongFile(300, 'x');

INSTANTIATE_TEST_SUITE_P(
    Examples, MaterialNameTable,
    ::testing::Values(
        MaterialNameCase{"use flags and blend type", Flags(512 + 1024, 2), "water:wall:BLEND_COLOR:"},
        MaterialNameCase{"alpha blending adds nothing", Flags(0, 1), "1 - Default"},
        MaterialNameCase{"every use flag in table order, higher bits ignored", Flags(-1, 5),
                         "wind:anim2:anim4:anim8:anim16:wind_z1:wind_z2:wind_x1:wind_x2:water:wall:pass:notpass:"
                         "render_latter:BLINK_COLOR:ice:orgwater:BLEND_ADDCOLOR:"},
        MaterialNameCase{"bits above the table only", Flags(1 << 17, 0), "1 - Default"},
        MaterialNameCase{"shadow", Flags(0, 3), "BLEND_SHADOW:"},
        MaterialNameCase{"lamp", Flags(32768, 4), "ice:BLEND_LAMP:"},
        MaterialNameCase{"sequence replaces the flags", Sequence(1, 4, "C:\\tex\\lava_01.bmp"), "anim4:lava_%d.bmp"},
        MaterialNameCase{"sequence without pattern", Sequence(1, 4, "C:\\tex\\lava.bmp"), "anim4:"},
        MaterialNameCase{"first sequence flag counts", Sequence(2, 2 + 65536, "C:\\t\\a_1.tga"), "anim2:a_%d.tga"},
        MaterialNameCase{"negative textureCount still names the sequence", Sequence(-1, 1, "C:\\t\\w_0.bmp"),
                         "wind:w_%d.bmp"},
        MaterialNameCase{"sequence flags need texture stages", Sequence(0, 4, "C:\\t\\w_0.bmp"), "water:BLEND_COLOR:"},
        MaterialNameCase{"sequence flags above the table", Sequence(1, 1 << 20, "C:\\t\\w_0.bmp"),
                         "water:BLEND_COLOR:"},
        MaterialNameCase{"cut at 255 characters", Sequence(1, 65536, "C:\\" + kLongFile + "_1.bmp"),
                         ("orgwater:" + kLongFile).substr(0, 255)}));

TEST(MakeMaterialName, RaisesTheDefaultCounterOnlyForDefaultNames) {
  NameCounters counters;
  counters.defaultName = 41;
  const OneRecord plain(Flags(0, 0));
  const OneRecord named(Flags(1, 0));
  EXPECT_EQ(MakeMaterialName(plain.view(), counters), "42 - Default");
  EXPECT_EQ(MakeMaterialName(named.view(), counters), "wind:");
  EXPECT_EQ(MakeMaterialName(plain.view(), counters), "43 - Default");
  EXPECT_EQ(counters.defaultName, 43);
  EXPECT_EQ(counters.mapName, 0);

  // The largest count is followed by the smallest, without overflow.
  counters.defaultName = std::numeric_limits<int32_t>::max();
  EXPECT_EQ(MakeMaterialName(plain.view(), counters), "-2147483648 - Default");
  EXPECT_EQ(MakeMaterialName(plain.view(), counters), "-2147483647 - Default");
}

struct PatternCase {
  std::string path;
  std::string pattern;
};

class SequencePatternTable : public ::testing::TestWithParam<PatternCase> {};

TEST_P(SequencePatternTable, BuildsThePattern) {
  EXPECT_EQ(MakeSequencePattern(GetParam().path), GetParam().pattern) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, SequencePatternTable,
    ::testing::Values(PatternCase{"C:\\tex\\water_01.bmp", "water_%d.bmp"},
                      PatternCase{"C:\\tex\\fire_a_3.tga", "fire_%d.tga"},
                      // A dot before the underscore: the text from it up to the underscore.
                      PatternCase{"C:\\tex\\a.b_c.bmp", "a.b_%d.b_"},
                      // Only the file name counts: the dot and underscore of directories do not.
                      PatternCase{"C:\\my_dir.x\\water_01.bmp", "water_%d.bmp"},
                      PatternCase{"C:\\my_dir.x\\water", ""},
                      PatternCase{"C:\\tex\\water.bmp", ""},
                      PatternCase{"water_01.bmp", ""},
                      PatternCase{"C:\\tex\\water_01", ""},
                      PatternCase{"C:\\tex\\", ""},
                      PatternCase{"", ""},
                      PatternCase{"C:\\" + std::string(300, 'x') + "_1.bmp", std::string(255, 'x')},
                      PatternCase{"C:\\" + std::string(250, 'x') + "_1.bmp", std::string(250, 'x') + "_%d.b"}));

struct MapNameCase {
  int32_t blend;
  int32_t form;
  std::string name;
};

class MapNameTable : public ::testing::TestWithParam<MapNameCase> {};

TEST_P(MapNameTable, BuildsTheNameOfEveryStage) {
  for (int stage = 0; stage < 8; ++stage) {
    MaterialSpec m;
    // Other stages hold names, so a wrong index shows.
    m.stageBlendOps.fill(7);
    m.stageForms.fill(5);
    m.stageBlendOps[static_cast<size_t>(stage)] = GetParam().blend;
    m.stageForms[static_cast<size_t>(stage)] = GetParam().form;
    const OneRecord record(m);
    NameCounters counters;
    EXPECT_EQ(MakeMapName(record.view(), stage, counters), GetParam().name) << "stage " << stage;
  }
}

INSTANTIATE_TEST_SUITE_P(Examples, MapNameTable,
                         ::testing::Values(MapNameCase{4, 4, "BS_MODULATE:FS_SCROLL:"}, MapNameCase{2, 0, "Map #1"},
                                           MapNameCase{3, 19, "Map #1"}, MapNameCase{11, -1, "Map #1"},
                                           MapNameCase{5, 0, "BS_MODULATE2X:"}, MapNameCase{6, 3, "BS_MODULATE4X:FS_FORMZ:"},
                                           MapNameCase{8, 2, "BS_ADDSIGNED:FS_FORMY:"},
                                           MapNameCase{9, 14, "BS_ADDSIGNED2X:FS_SCROLL10:"},
                                           MapNameCase{10, 18, "BS_SUBTRACT:FS_SCROLLSLOW4:"},
                                           MapNameCase{0, 1, "FS_FORMX:"}, MapNameCase{0, 15, "FS_SCROLLSLOW1:"}));

TEST(MakeMapName, NumbersNamelessStagesAndStagesWithoutFields) {
  MaterialSpec m;
  m.stageBlendOps.fill(4);
  m.stageBlendOps[1] = 0;
  const OneRecord record(m);
  NameCounters counters;
  counters.mapName = 6;
  EXPECT_EQ(MakeMapName(record.view(), 0, counters), "BS_MODULATE:");
  EXPECT_EQ(MakeMapName(record.view(), 1, counters), "Map #7");
  // From stage 8 on the record has no blend or form fields.
  EXPECT_EQ(MakeMapName(record.view(), 8, counters), "Map #8");
  EXPECT_EQ(MakeMapName(record.view(), 1000, counters), "Map #9");
  EXPECT_EQ(counters.defaultName, 0);
  counters.mapName = std::numeric_limits<int32_t>::max();
  EXPECT_EQ(MakeMapName(record.view(), 1, counters), "Map #-2147483648");
}

struct BitmapCase {
  const char* what;
  std::vector<std::string> names;
  std::optional<int32_t> nameListSize;
  int64_t entry;
  std::string directory;
  std::string path;
};

class BitmapPathTable : public ::testing::TestWithParam<BitmapCase> {};

TEST_P(BitmapPathTable, JoinsTheDirectoryAndTheFileName) {
  const BitmapCase& c = GetParam();
  MaterialSpec m;
  m.textureNames = c.names;
  m.nameListSize = c.nameListSize;
  const OneRecord record(m);
  EXPECT_EQ(MakeBitmapPath(record.view(), c.entry, c.directory), c.path) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, BitmapPathTable,
    ::testing::Values(
        BitmapCase{"full path", {"D:\\work\\maps\\grass.bmp"}, {}, 0, "C:\\textures\\", "C:\\textures\\grass.bmp"},
        BitmapCase{"entry 2", {"D:\\a.bmp", "D:\\b.bmp", "D:\\m\\c.bmp"}, {}, 2, "T:\\", "T:\\c.bmp"},
        BitmapCase{"past the list: entry 0", {"D:\\a.bmp", "D:\\b.bmp"}, {}, 5, "T:\\", "T:\\a.bmp"},
        BitmapCase{"no backslash", {"grass.bmp"}, {}, 0, "C:\\textures\\", ""},
        BitmapCase{"nothing after the backslash", {"D:\\maps\\"}, {}, 0, "C:\\textures\\", ""},
        BitmapCase{"list size 0", {"D:\\maps\\grass.bmp"}, 0, 0, "C:\\textures\\", ""},
        BitmapCase{"negative list size", {"D:\\maps\\grass.bmp"}, -1, 0, "C:\\textures\\", ""},
        BitmapCase{"cut at 255 characters", {"D:\\" + std::string(100, 'g') + ".bmp"}, {}, 0,
                   std::string(200, 'd') + "\\", (std::string(200, 'd') + "\\" + std::string(100, 'g')).substr(0, 255)}));

}  // namespace
}  // namespace zav
