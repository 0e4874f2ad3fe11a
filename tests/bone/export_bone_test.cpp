#include "bone/export_bone.h"

#include <gtest/gtest.h>

#include "console/console_text.h"

#include "model/model_test_support.h"

namespace zav {
namespace {

using fixtures::Bytes;
using fixtures::ModelSpec;
using fixtures::ObjectSpec;
using testing::LinesWith;
using testing::Object;

struct Exported {
  int32_t lastFrame = 0;
  std::string console;
  std::string text;
  std::vector<std::string> mapped;  // names in the map
};

Exported Export(const Bytes& boneImage, BoneNameMap* keep = nullptr) {
  testing::RecordingConsole console;
  TextSink text;
  BoneNameMap bones;
  Exported result;
  result.lastFrame = ExportBone(console.console(), testing::View(boneImage), text, bones);
  result.console = console.text();
  result.text = text.Buffered();
  for (const auto& [name, record] : bones) result.mapped.emplace_back(name);
  if (keep != nullptr) *keep = bones;
  return result;
}

Bytes Bones(std::vector<ObjectSpec> bones) {
  ModelSpec spec;
  spec.objects = std::move(bones);
  return fixtures::BuildModel(spec);
}

ObjectSpec Bone(std::string name, std::string tag = "DCB") {
  return Object([&](ObjectSpec& o) {
    o.name = std::move(name);
    o.tag = std::move(tag);
  });
}

TEST(ExportBone, MaterialsRejectTheFile) {
  ModelSpec spec;
  spec.materials = {fixtures::MaterialSpec{}};
  spec.objects = {Bone("Hip")};
  const Exported e = Export(fixtures::BuildModel(spec));
  EXPECT_EQ(e.console, "Error ExportBone noticed bone file has material, bone file never has material! Must exit!\n");
  EXPECT_EQ(e.lastFrame, 0);
  EXPECT_EQ(e.text, "");
  EXPECT_TRUE(e.mapped.empty());
}

TEST(ExportBone, NoObjectsRejectTheFile) {
  for (int32_t count : {0, -1}) {
    ModelSpec spec;
    spec.objectCount = count;
    const Exported e = Export(fixtures::BuildModel(spec));
    EXPECT_EQ(e.console, "Error ExportBone noticed bone file has no objects, invalid bone file! Must exit!\n");
    EXPECT_EQ(e.lastFrame, 0);
  }
  // A file too short for its header counts has neither.
  const Exported shortFile = Export(Bytes(20, 'Z'));
  EXPECT_EQ(shortFile.console, "Error ExportBone noticed bone file has no objects, invalid bone file! Must exit!\n");
}

TEST(ExportBone, WrongTagInTheThirdBoneKeepsTheFirstTwo) {
  ObjectSpec second = Bone("Spine");
  second.rotKeys = {{480, 0, 0, 0, 1}};
  const Exported e = Export(Bones({Bone("Hip"), second, Bone("Head", "XCB"), Bone("Tail")}));
  EXPECT_EQ(e.console,
            "Bones: 4\nBone Hip...\nBone Spine...\nBone Object 3 header is invalid! Must exit!\n"
            "Bones done! (last frame: 3)\n");
  EXPECT_EQ(e.lastFrame, 3);
  EXPECT_EQ(e.mapped, (std::vector<std::string>{"Hip", "Spine"}));
  EXPECT_EQ(LinesWith(e.text, "*GEOMOBJECT {").size(), 2u);
}

TEST(ExportBone, PhysiqueStopsTheWalk) {
  ObjectSpec skinned = Bone("Skin");
  skinned.physiqueFlag = 1;
  const Exported e = Export(Bones({Bone("Hip"), skinned, Bone("Head")}));
  EXPECT_EQ(e.console,
            "Bones: 3\nBone Hip...\n"
            "Bone has physique, but bone cannot have that! Something is wrong!!! Must exit!\n"
            "Bones done! (last frame: 0)\n");
  EXPECT_EQ(e.mapped, std::vector<std::string>{"Hip"});
}

TEST(ExportBone, BoneThatDoesNotFitStopsTheWalk) {
  ObjectSpec keyed = Bone("Hip");
  keyed.posKeys = {{-320, 0, 0, 0}};
  ObjectSpec damaged = Bone("Spine");
  damaged.rotKeyCount = 0x40000000u;
  const Bytes image = Bones({keyed, damaged});
  const Exported e = Export(image);
  // The second bone starts at 556 + 2·40 + 2236 + 16 = 0xB48.
  EXPECT_EQ(e.console, "Bones: 2\nBone Hip...\nBone Object 2 does not fit in the file (offset 00000B48, end " +
                           Hex8(0xB48 + 2236 + 84 * uint64_t{0x40000000u}) + ", file size " +
                           std::to_string(image.size()) + ")! Must exit!\nBones done! (last frame: -2)\n");
  EXPECT_EQ(e.lastFrame, -2);
  EXPECT_EQ(e.mapped, std::vector<std::string>{"Hip"});
}

TEST(ExportBone, SingularMeshMatrixIsReportedForTheBone) {
  ObjectSpec flat = Bone("Flat");
  flat.meshTm[2][2] = 0;
  flat.vertices = {{256, 512, 768}};
  const Exported e = Export(Bones({flat}));
  EXPECT_EQ(e.console, "Bones: 1\nBone Flat...\nBone Flat: mesh matrix cannot be inverted, vertices written untransformed\n"
                       "Bones done! (last frame: 0)\n");
  EXPECT_EQ(LinesWith(e.text, "*MESH_VERTEX ").at(0), "\t\t\t*MESH_VERTEX         0\t1.0000\t2.0000\t3.0000");
}

// Every prefix of a valid bone file: the bones that fit are kept, the first
// that does not is reported, and the walk still ends with its summary.
TEST(ExportBone, EveryTruncationKeepsTheBonesBeforeIt) {
  ObjectSpec spine = Bone("Spine");
  spine.vertices = {{1, 2, 3}};
  spine.rotKeys = {{320, 0, 0, 0, 1}};
  spine.scaleKeys = {{640, 256, 256, 256}};
  const Bytes image = Bones({Bone("Hip"), spine, Bone("Head")});
  const std::vector<ObjectRecord> records = testing::Records(image);
  ASSERT_EQ(records.size(), 3u);
  for (size_t length = 32; length < image.size(); ++length) {
    const Exported e = Export(Bytes(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(length)));
    size_t fitting = 0;
    while (fitting < 3 && records[fitting].offset() + records[fitting].recordSize() <= length) ++fitting;
    ASSERT_EQ(e.mapped.size(), fitting) << length;
    ASSERT_EQ(LinesWith(e.text, "*GEOMOBJECT {").size(), fitting) << length;
    ASSERT_NE(e.console.find("Bone Object " + std::to_string(fitting + 1) + " does not fit in the file"),
              std::string::npos)
        << length;
    ASSERT_TRUE(e.console.ends_with("Bones done! (last frame: " + std::string(fitting >= 2 ? "2" : "0") + ")\n"))
        << length;
  }
}

struct FrameCase {
  const char* what;
  std::vector<ObjectSpec> bones;
  int32_t lastFrame;
};

class BoneLastFrame : public ::testing::TestWithParam<FrameCase> {};

TEST_P(BoneLastFrame, IsTheFirstNonzeroLastKey) {
  const Exported e = Export(Bones(GetParam().bones));
  EXPECT_EQ(e.lastFrame, GetParam().lastFrame);
  EXPECT_TRUE(e.console.ends_with("Bones done! (last frame: " + std::to_string(GetParam().lastFrame) + ")\n"));
}

ObjectSpec Keyed(std::vector<fixtures::RotKeySpec> rot, std::vector<fixtures::PosKeySpec> pos,
                 std::vector<fixtures::ScaleKeySpec> scale = {}) {
  return Object([&](ObjectSpec& o) {
    o.name = "K";
    o.rotKeys = std::move(rot);
    o.posKeys = std::move(pos);
    o.scaleKeys = std::move(scale);
  });
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BoneLastFrame,
    ::testing::Values(
        FrameCase{"rotation ends at 0, position at 3200", {Bone("Still"), Keyed({{0, 0, 0, 0, 1}}, {{3200, 0, 0, 0}})},
                  20},
        FrameCase{"negative", {Keyed({{160, 0, 0, 0, 1}, {-320, 0, 0, 0, 1}}, {})}, -2},
        FrameCase{"no keys at all", {Bone("A"), Bone("B")}, 0},
        FrameCase{"first animated bone counts", {Keyed({}, {{480, 0, 0, 0}}), Keyed({{3200, 0, 0, 0, 1}}, {})}, 3},
        FrameCase{"scale after zero tracks", {Keyed({{0, 0, 0, 0, 1}}, {{0, 0, 0, 0}}), Keyed({}, {}, {{-800}})}, -5}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST(ExportBone, ParentThatComesLaterUsesTheOwnScale) {
  ObjectSpec child = Bone("Hand");
  child.parentName = "Arm";
  child.scale = {128, 128, 128};
  ObjectSpec parent = Bone("Arm");
  parent.scale = {1024, 1024, 1024};
  const Exported e = Export(Bones({child, parent}));
  EXPECT_EQ(LinesWith(e.text, "*NODE_PARENT"), std::vector<std::string>{"\t*NODE_PARENT \"Arm\""});
  EXPECT_EQ(LinesWith(e.text, "*TM_ROW0").front(), "\t\t*TM_ROW0 0.5000\t0.0000\t0.0000");
}

TEST(ExportBone, DuplicateNamesMapToTheFirstAndBothAreWritten) {
  ObjectSpec first = Bone("Arm");
  first.scale = {512, 512, 512};
  ObjectSpec second = Bone("Arm");
  second.scale = {1024, 1024, 1024};
  ObjectSpec child = Bone("Hand");
  child.parentName = "Arm";
  BoneNameMap bones;
  const Bytes image = Bones({first, second, child});
  const Exported e = Export(image, &bones);
  EXPECT_EQ(LinesWith(e.text, "*GEOMOBJECT {").size(), 3u);
  EXPECT_EQ(LinesWith(e.text, "*NODE_NAME \"Arm\"").size(), 4u);  // object and NODE_TM of both
  EXPECT_EQ(LinesWith(e.text, "*TM_ROW0").back(), "\t\t*TM_ROW0 2.0000\t0.0000\t0.0000");
  EXPECT_EQ(bones.at("Arm").scale(0), 512);
}

TEST(ExportBone, BoneObjectText) {
  ObjectSpec bone = Bone("Hip");
  bone.vertices = {{512, 0, -256}};
  bone.meshTm[3][0] = 256;
  bone.posKeys = {{160, 1, 2, 3}};
  const Exported e = Export(Bones({bone}));
  EXPECT_EQ(e.console, "Bones: 1\nBone Hip...\nBones done! (last frame: 1)\n");
  const size_t mesh = e.text.find("\t*MESH {");
  ASSERT_NE(mesh, std::string::npos);
  EXPECT_EQ(e.text.substr(mesh), testing::Crlf("\t*MESH {\n"
                                               "\t\t*TIMEVALUE 0\n"
                                               "\t\t*MESH_NUMVERTEX 1\n"
                                               "\t\t*MESH_NUMFACES 0\n"
                                               "\t\t*MESH_VERTEX_LIST {\n"
                                               "\t\t\t*MESH_VERTEX         0\t1.0000\t0.0000\t-1.0000\n"
                                               "\t\t}\n"
                                               "\t\t*MESH_NUMTVERTEX 0\n"
                                               "\t}\n"
                                               "\t*PROP_MOTIONBLUR 0\n"
                                               "\t*PROP_CASTSHADOW 1\n"
                                               "\t*PROP_RECVSHADOW 1\n"
                                               "\t*TM_ANIMATION {\n"
                                               "\t\t*NODE_NAME \"Hip\"\n"
                                               "\t\t*CONTROL_POS_TRACK {\n"
                                               "\t\t\t*CONTROL_POS_SAMPLE 160\t1.0000\t2.0000\t3.0000\n"
                                               "\t\t}\n"
                                               "\t}\n"
                                               "}\n"));
}

}  // namespace
}  // namespace zav
