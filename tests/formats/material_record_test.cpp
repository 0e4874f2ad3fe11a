#include "formats/material_record.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "fixtures/material_builder.h"

namespace zav {
namespace {

using fixtures::AppendMaterial;
using fixtures::Bytes;
using fixtures::MaterialSpec;

ByteView View(const Bytes& image) { return ByteView(image.data(), image.size()); }

Bytes RawList(std::string_view bytes) { return Bytes(bytes.begin(), bytes.end()); }

TEST(MaterialRecordView, ReadsEveryFieldAtItsOffset) {
  MaterialSpec m;
  m.textureCount = 3;
  for (int i = 0; i < 8; ++i) {
    m.stageBlendOps[static_cast<size_t>(i)] = 100 + i;
    m.stageForms[static_cast<size_t>(i)] = 200 + i;
  }
  m.opacityMapFlag = 7;
  m.blendType = 2;
  m.twoSidedFlag = -1;
  m.diffuseColor = {1.0f, 0.5f, 0.25f};
  m.transparency = 0.75f;
  m.selfIllumination = 0.125f;
  m.useFlags = 512 + 1024;
  m.textureSequenceFlags = 4;
  m.textureNames = {"C:\\a.bmp"};
  Bytes image(16, 0xEE);  // the record need not start at offset 0
  AppendMaterial(image, m);
  const MaterialRecordView record(View(image), 16);

  EXPECT_EQ(record.offset(), 16u);
  EXPECT_EQ(record.textureCount(), 3);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(record.stageBlendOps(i), 100 + i);
    EXPECT_EQ(record.stageForms(i), 200 + i);
  }
  // Stages without fields read as 0 instead of reaching into other fields.
  EXPECT_EQ(record.stageBlendOps(8), 0);
  EXPECT_EQ(record.stageForms(-1), 0);
  EXPECT_EQ(record.opacityMapFlag(), 7);
  EXPECT_EQ(record.blendType(), 2);
  EXPECT_EQ(record.twoSidedFlag(), -1);
  EXPECT_EQ(record.diffuseColor(0), 1.0f);
  EXPECT_EQ(record.diffuseColor(1), 0.5f);
  EXPECT_EQ(record.diffuseColor(2), 0.25f);
  EXPECT_EQ(record.transparency(), 0.75f);
  EXPECT_EQ(record.selfIllumination(), 0.125f);
  EXPECT_EQ(record.useFlags(), 1536);
  EXPECT_EQ(record.textureSequenceFlags(), 4);
  EXPECT_EQ(record.nameListSize(), 10);
  EXPECT_EQ(record.recordSize(), 334u);
  EXPECT_EQ(record.nextRecord().offset(), 16u + 334u);
  EXPECT_EQ(record.firstTextureName(), "C:\\a.bmp");
}

struct EntryCase {
  const char* what;
  std::string listBytes;        // the raw TextureNameList
  int32_t nameListSize;         // as stored
  std::vector<std::string> expected;  // textureName(0), (1), ...
};

class TextureNameTable : public ::testing::TestWithParam<EntryCase> {};

TEST_P(TextureNameTable, FindsEntries) {
  const EntryCase& c = GetParam();
  MaterialSpec m;
  m.rawNameList = RawList(c.listBytes);
  m.nameListSize = c.nameListSize;
  Bytes image;
  AppendMaterial(image, m);
  const MaterialRecordView record(View(image), 0);
  for (size_t k = 0; k < c.expected.size(); ++k) {
    EXPECT_EQ(record.textureName(static_cast<int64_t>(k)), c.expected[k]) << c.what << ", entry " << k;
  }
  const std::string first = c.expected.empty() ? std::string() : c.expected[0];
  EXPECT_EQ(record.firstTextureName(), first) << c.what;
  // Far past the end and below 0: entry 0.
  EXPECT_EQ(record.textureName(2147483647), first) << c.what;
  EXPECT_EQ(record.textureName(-1), first) << c.what;
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Lists, TextureNameTable,
    ::testing::Values(
        EntryCase{"three entries", "a\0\0b\0\0c\0\1"s, 9, {"a", "b", "c", "a", "a"}},
        EntryCase{"one entry", "C:\\t\\x.bmp\0\1"s, 12, {"C:\\t\\x.bmp", "C:\\t\\x.bmp", "C:\\t\\x.bmp"}},
        EntryCase{"any follow byte but 1 continues", "a\0\7b\0\1"s, 6, {"a", "b", "a"}},
        EntryCase{"list size 0", "a\0\1"s, 0, {"", "", ""}},
        EntryCase{"negative list size", "a\0\1"s, -5, {"", ""}},
        // The stored size ends the list inside entry 1: its name is cut there.
        EntryCase{"entry running past the list", "a\0\0bb\0\1"s, 5, {"a", "bb", "a"}},
        EntryCase{"name without NUL", "abc"s, 3, {"abc", "abc"}},
        EntryCase{"follow byte missing", "a\0"s, 2, {"a", "a"}},
        EntryCase{"list ends after a follow byte of 0", "a\0\0"s, 3, {"a", "a"}},
        EntryCase{"empty names", "\0\0\0\1"s, 4, {"", "", ""}}),
    [](const auto& info) {
      std::string name;
      for (const char ch : std::string(info.param.what)) name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
      return name;
    });

TEST(MaterialRecordView, NegativeListSizeStepsOnlyOverTheRecord) {
  MaterialSpec m;
  m.nameListSize = -2147483647 - 1;
  Bytes image;
  AppendMaterial(image, m);
  AppendMaterial(image, MaterialSpec{});
  const MaterialRecordView record(View(image), 0);
  EXPECT_EQ(record.recordSize(), 324u);
  EXPECT_EQ(record.nextRecord().offset(), 324u);
  EXPECT_TRUE(record.textureNameList().empty());

  const MaterialBlock block = LocateMaterialBlock(View(image), 0, 2);
  ASSERT_EQ(block.records.size(), 2u);
  EXPECT_EQ(block.records[1].offset(), 324u);
  EXPECT_EQ(block.endOffset, 648u);
}

TEST(TextureNameCursor, VisitsEachEntryOnce) {
  MaterialSpec m;
  m.textureNames = {"a", "bb", "ccc"};
  Bytes image;
  AppendMaterial(image, m);
  TextureNameCursor cursor{MaterialRecordView(View(image), 0)};
  std::vector<std::string> names;
  for (; cursor.atEntry(); cursor.Next()) names.emplace_back(cursor.name());
  EXPECT_EQ(names, (std::vector<std::string>{"a", "bb", "ccc"}));
  cursor.Next();  // stays at the end
  EXPECT_FALSE(cursor.atEntry());
  EXPECT_EQ(cursor.name(), "");
}

TEST(LocateMaterialBlock, StepsOverEachRecordAndItsList) {
  MaterialSpec first;
  first.rawNameList = RawList("123456789\1");
  MaterialSpec second;
  Bytes image(40, 0);
  AppendMaterial(image, first);
  AppendMaterial(image, second);
  image.resize(image.size() + 8, 0);

  const MaterialBlock block = LocateMaterialBlock(View(image), 40, 2);
  EXPECT_TRUE(block.complete());
  ASSERT_EQ(block.records.size(), 2u);
  EXPECT_EQ(block.records[0].offset(), 40u);
  EXPECT_EQ(block.records[1].offset(), 40u + 334u);
  EXPECT_EQ(block.endOffset, 40u + 334u + 324u);
  EXPECT_EQ(block.imageSize, image.size());
}

TEST(LocateMaterialBlock, NoRecordsForACountOfZeroOrLess) {
  const Bytes image(100, 0);
  for (const int32_t count : {0, -1, -2147483647 - 1}) {
    const MaterialBlock block = LocateMaterialBlock(View(image), 4000, count);
    EXPECT_TRUE(block.complete()) << count;
    EXPECT_TRUE(block.records.empty()) << count;
    EXPECT_EQ(block.materialCount, count);
    EXPECT_EQ(block.endOffset, 4000u) << count;
  }
}

TEST(LocateMaterialBlock, StopsAtTheFirstRecordThatLeavesTheImage) {
  MaterialSpec withList;
  withList.textureNames = {"C:\\x.bmp"};  // 10 bytes
  Bytes image;
  AppendMaterial(image, MaterialSpec{});
  AppendMaterial(image, withList);
  {
    // The list of record 1 runs 4 bytes past the end.
    Bytes cut(image.begin(), image.end() - 4);
    const MaterialBlock block = LocateMaterialBlock(View(cut), 0, 3);
    EXPECT_FALSE(block.complete());
    ASSERT_EQ(block.records.size(), 1u);
    EXPECT_EQ(block.badRecordOffset, 324u);
    EXPECT_EQ(block.badRecordEnd, 324u + 334u);
    EXPECT_EQ(block.endOffset, 324u);
    EXPECT_EQ(block.imageSize, cut.size());
  }
  {
    // A huge count ends where the records end.
    const MaterialBlock block = LocateMaterialBlock(View(image), 0, 2147483647);
    EXPECT_FALSE(block.complete());
    EXPECT_EQ(block.records.size(), 2u);
    EXPECT_EQ(block.badRecordOffset, 658u);
    EXPECT_EQ(block.badRecordEnd, 658u + 324u);
  }
  {
    // A list size that claims far more than the image holds.
    MaterialSpec huge;
    huge.nameListSize = 2147483647;
    Bytes bad;
    AppendMaterial(bad, huge);
    const MaterialBlock block = LocateMaterialBlock(View(bad), 0, 1);
    EXPECT_TRUE(block.records.empty());
    EXPECT_EQ(block.badRecordOffset, 0u);
    EXPECT_EQ(block.badRecordEnd, 324u + 2147483647u);
  }
  {
    // The first record starts past the end of the image.
    const MaterialBlock block = LocateMaterialBlock(View(image), 262904, 1);
    EXPECT_TRUE(block.records.empty());
    EXPECT_EQ(block.badRecordOffset, 262904u);
    EXPECT_EQ(block.badRecordEnd, 262904u + 324u);
  }
}

TEST(LocateMaterialBlock, EveryPrefixOfTheImageKeepsTheRecordsThatFit) {
  MaterialSpec a;
  a.textureCount = 2;
  a.opacityMapFlag = 1;
  a.textureNames = {"C:\\t\\a.bmp", "C:\\t\\o.bmp", "C:\\t\\s.bmp"};
  MaterialSpec b;
  b.textureNames = {"b"};
  Bytes image;
  AppendMaterial(image, a);
  const size_t firstEnd = image.size();
  AppendMaterial(image, b);
  for (size_t size = 0; size <= image.size(); ++size) {
    // A copy of exactly `size` bytes, so reading past it is caught.
    const std::vector<uint8_t> prefix(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(size));
    const MaterialBlock block = LocateMaterialBlock(ByteView(prefix.data(), prefix.size()), 0, 2);
    const size_t fits = size == image.size() ? 2 : size >= firstEnd ? 1 : 0;
    ASSERT_EQ(block.records.size(), fits) << size;
    for (const MaterialRecordView& record : block.records) {
      for (int64_t k = 0; k < 4; ++k) (void)record.textureName(k);
    }
  }
}

}  // namespace
}  // namespace zav
