#include "formats/model_file.h"

#include <gtest/gtest.h>

#include "fixtures/model_builder.h"
#include "model/model_test_support.h"

namespace zav {
namespace {

using fixtures::BuildModel;
using fixtures::Bytes;
using fixtures::MaterialSpec;
using fixtures::ModelSpec;
using fixtures::ObjectSpec;
using testing::Object;
using testing::View;

MaterialSpec MaterialWithListSize(size_t size) {
  MaterialSpec material;
  material.rawNameList = Bytes(size, 'a');
  return material;
}

struct FirstRecordCase {
  const char* what;
  ModelSpec model;
  uint64_t expected;
};

class FirstRecordOffset : public ::testing::TestWithParam<FirstRecordCase> {};

TEST_P(FirstRecordOffset, FollowsDirectoryAndMaterialBlock) {
  const Bytes image = BuildModel(GetParam().model);
  EXPECT_EQ(ModelFileView(View(image)).firstRecordOffset(), GetParam().expected);
}

ModelSpec WithObjects(int32_t objectCount, std::vector<MaterialSpec> materials,
                      std::optional<int32_t> materialCount = std::nullopt) {
  ModelSpec model;
  model.objectCount = objectCount;
  model.directoryEntries = objectCount > 0 ? static_cast<uint32_t>(objectCount) : 0;
  model.materials = std::move(materials);
  model.materialCount = materialCount;
  return model;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FirstRecordOffset,
    ::testing::Values(
        FirstRecordCase{"no materials", WithObjects(2, {}), 556 + 80},
        FirstRecordCase{"list sizes 10 and 0", WithObjects(2, {MaterialWithListSize(10), MaterialWithListSize(0)}),
                        556 + 80 + 88 + 334 + 324},
        FirstRecordCase{"negative material count", WithObjects(1, {}, -3), 556 + 40},
        // A negative object count leaves the directory empty.
        FirstRecordCase{"negative object count", WithObjects(-5, {MaterialWithListSize(0)}), 556 + 88 + 324}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

TEST(ModelFileView, MaterialBlockPastTheEndLeavesNoFirstRecord) {
  MaterialSpec material = MaterialWithListSize(4);
  material.nameListSize = 4000;
  const Bytes image = BuildModel(WithObjects(1, {material}));
  EXPECT_EQ(ModelFileView(View(image)).firstRecordOffset(), std::nullopt);
}

TEST(ModelFileView, HeaderFieldsOfAShortImageCountAsZero) {
  const Bytes image(26, 'x');
  const ModelFileView file(View(image));
  EXPECT_EQ(file.objectCount(), 0);
  EXPECT_EQ(file.materialCount(), 0);
  EXPECT_EQ(file.RecordAt(556), std::nullopt);
}

struct SizeCase {
  const char* what;
  ObjectSpec object;
  uint64_t expected;
};

class RecordSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(RecordSize, CountsEveryArray) {
  ModelSpec model;
  model.objects = {GetParam().object, Object([](ObjectSpec& o) { o.name = "next"; })};
  const Bytes image = BuildModel(model);
  const ModelFileView file(View(image));
  const std::optional<ObjectRecord> first = file.RecordAt(*file.firstRecordOffset());
  ASSERT_TRUE(first);
  EXPECT_EQ(first->recordSize(), GetParam().expected);
  // The next record starts right after it.
  const std::optional<ObjectRecord> next = file.RecordAt(first->nextRecordOffset());
  ASSERT_TRUE(next);
  EXPECT_EQ(next->name(), "next");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordSize,
    ::testing::Values(
        SizeCase{"empty", ObjectSpec{}, 2236},
        SizeCase{"arrays", Object([](ObjectSpec& o) { o.vertices.resize(2); o.faces.resize(1); o.texCoords.resize(3); }),
                 2236 + 48 + 36 + 96},
        // Each rotation key takes 20 bytes and 64 of extras.
        SizeCase{"two rotation keys", Object([](ObjectSpec& o) { o.vertices.resize(1); o.rotKeys.resize(2); }),
                 2236 + 24 + 168},
        SizeCase{"position and scale keys", Object([](ObjectSpec& o) { o.posKeys.resize(1); o.scaleKeys.resize(2); }),
                 2236 + 16 + 32},
        SizeCase{"physique with three vertices",
                 Object([](ObjectSpec& o) {
                   o.physiqueFlag = 1;
                   o.vertices.resize(3);
                   o.boneNames = {"a", "b", "c"};
                 }),
                 2236 + 72 + 96},
        SizeCase{"physique without vertices", Object([](ObjectSpec& o) { o.physiqueFlag = 1; }), 2236}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

TEST(ObjectRecord, ReadsFieldsAndElementsAtAnyAlignment) {
  ObjectSpec object;
  object.physiqueFlag = 7;
  object.name = "Body";
  object.parentName = "Root";
  object.rotation = {0.25f, 0.5f, 0.75f, 1.0f};
  object.scale = {1, 2, 3};
  object.position = {-4, 5, -6};
  object.vertices = {{1, -2, 3}, {4, 5, 6}};
  object.faces = {{1, 2, 3, -1}};
  object.texCoords = {{{0.1f, 0.2f, 0.3f}, {0.4f, 0.5f, 0.6f}}};
  object.rotKeys = {{-160, 1, 2, 3, 4}};
  object.posKeys = {{320, 7, 8, 9}};
  object.scaleKeys = {{480, 256, -128, 512}};
  object.boneNames = {"Spine", std::string(32, 'L')};
  object.nodeTm[1][2] = -77;
  object.meshTm[3][0] = 99;
  ModelSpec model;
  model.materials = {MaterialWithListSize(3)};  // the record starts at an odd offset
  model.objects = {object};
  const Bytes image = BuildModel(model);
  const std::vector<ObjectRecord> records = testing::Records(image);
  ASSERT_EQ(records.size(), 1u);
  const ObjectRecord& r = records[0];
  EXPECT_EQ(r.offset() % 4, 3u);
  EXPECT_TRUE(r.hasValidTag());
  EXPECT_EQ(r.physiqueFlag(), 7);
  EXPECT_EQ(r.name(), "Body");
  EXPECT_EQ(r.parentName(), "Root");
  EXPECT_EQ(r.nodeTm(1, 2), -77);
  EXPECT_EQ(r.meshTm(3, 0), 99);
  EXPECT_EQ(r.rotation(2), 0.75f);
  EXPECT_EQ(r.scale(1), 2);
  EXPECT_EQ(r.position(2), -6);
  EXPECT_EQ(r.vertex(1).y, 5);
  EXPECT_EQ(r.face(0).c, 3);
  EXPECT_EQ(r.face(0).materialId, -1);
  EXPECT_EQ(r.texCoord(0).v[2], 0.6f);
  EXPECT_EQ(r.rotKey(0).time, -160);
  EXPECT_EQ(r.rotKey(0).w, 4.0f);
  EXPECT_EQ(r.posKey(0).z, 9.0f);
  EXPECT_EQ(r.scaleKey(0).y, -128);
  EXPECT_EQ(r.boneName(0), "Spine");
  // A name filling its 32 bytes is cut at the end of its field.
  EXPECT_EQ(r.boneName(1), std::string(32, 'L'));
}

TEST(ObjectRecord, NamesWithoutNulEndAtTheirField) {
  ModelSpec model;
  model.objects = {Object([](ObjectSpec& o) {
    o.name = std::string(32, 'N');
    o.parentName = std::string(32, 'P');
  })};
  const Bytes image = BuildModel(model);
  const ObjectRecord record = testing::Records(image).at(0);
  EXPECT_EQ(record.name(), std::string(32, 'N'));
  EXPECT_EQ(record.parentName(), std::string(32, 'P'));
}

TEST(ObjectRecord, TagIsTheFirstThreeBytesOnly) {
  ModelSpec model;
  for (const char* tag : {"DCB", "DCA", "dcb"}) model.objects.push_back(Object([&](ObjectSpec& o) { o.tag = tag; }));
  const Bytes image = BuildModel(model);
  const ModelFileView file(View(image));
  uint64_t cursor = *file.firstRecordOffset();
  std::vector<bool> valid;
  for (int i = 0; i < 3; ++i) {
    const ObjectRecord record = *file.RecordAt(cursor);
    valid.push_back(record.hasValidTag());
    cursor = record.nextRecordOffset();
  }
  EXPECT_EQ(valid, (std::vector<bool>{true, false, false}));
}

TEST(ObjectRecord, CountsReachingPastTheImageLeaveItIncomplete) {
  // A count of billions is caught by the bounds check; nothing is read.
  ModelSpec model;
  model.objects = {Object([](ObjectSpec& o) { o.vertexCount = 0xFFFFFFFFu; })};
  const Bytes image = BuildModel(model);
  const ModelFileView file(View(image));
  const std::optional<ObjectRecord> record = file.RecordAt(*file.firstRecordOffset());
  ASSERT_TRUE(record);
  EXPECT_FALSE(record->complete());
  EXPECT_EQ(record->recordSize(), 2236 + 24 * uint64_t{0xFFFFFFFFu});
  EXPECT_EQ(file.RecordAt(image.size() - 2235), std::nullopt);
  EXPECT_TRUE(file.RecordAt(image.size() - 2236));
}

TEST(RecordOutsideLine, NamesRecordOffsetSizeAndFile) {
  EXPECT_EQ(RecordOutsideLine("Object", 3, 0x1A2B, 4660, 5000),
            "Object 3 does not fit in the file (offset 00001A2B, end 00002C5F, file size 5000)! Must exit!");
}

}  // namespace
}  // namespace zav
