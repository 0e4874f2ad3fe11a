#include "model/physique.h"

#include <gtest/gtest.h>

#include "model/model_test_support.h"

namespace zav {
namespace {

using fixtures::Bytes;
using fixtures::ModelSpec;
using fixtures::ObjectSpec;
using testing::LinesWith;
using testing::Object;
using testing::WriteObjects;

// A bone whose mesh matrix is the identity moved by (dx, 0, 0) units.
ObjectSpec Bone(std::string name, int32_t dx) {
  return Object([&](ObjectSpec& o) {
    o.name = std::move(name);
    o.meshTm[3][0] = dx;
  });
}

Bytes BoneImage(std::vector<ObjectSpec> bones) {
  ModelSpec spec;
  spec.objects = std::move(bones);
  return fixtures::BuildModel(spec);
}

// A skinned object whose three vertices stand at (512, 256, 0) and follow
// the bones named.
ObjectSpec Skinned(std::vector<std::string> boneNames) {
  return Object([&](ObjectSpec& o) {
    o.name = "Skin";
    o.physiqueFlag = 1;
    o.vertices.assign(boneNames.size(), fixtures::VertexSpec{512, 256, 0});
    o.faces = {{0, 1, 2, 0}};
    o.boneNames = std::move(boneNames);
  });
}

TEST(Physique, EachVertexFollowsItsOwnBone) {
  const Bytes bones = BoneImage({Bone("Hip", 0), Bone("Spine", 256), Bone("Head", -512)});
  const testing::WrittenObjects written = WriteObjects({Skinned({"Hip", "Spine", "Head"})}, testing::MapOf(bones));
  EXPECT_EQ(LinesWith(written.text, "*MESH_VERTEX "),
            (std::vector<std::string>{"\t\t\t*MESH_VERTEX         0\t2.0000\t1.0000\t0.0000",
                                      "\t\t\t*MESH_VERTEX         1\t1.0000\t1.0000\t0.0000",
                                      "\t\t\t*MESH_VERTEX         2\t4.0000\t1.0000\t0.0000"}));
  const size_t physique = written.text.find("\t*PHYSIQUE {");
  ASSERT_NE(physique, std::string::npos);
  EXPECT_EQ(written.text.substr(physique),
            testing::Crlf("\t*PHYSIQUE {\n"
                          "\t\t*PHYSIQUE_NUMVERTEXASSIGNMENT  3\n"
                          "\t\t*PHYSIQUE_VERTEXASSIGNMENT_NONBLENDED_RIGIDTYPE 0\t\"Hip\"\n"
                          "\t\t*PHYSIQUE_VERTEXASSIGNMENT_NONBLENDED_RIGIDTYPE 1\t\"Spine\"\n"
                          "\t\t*PHYSIQUE_VERTEXASSIGNMENT_NONBLENDED_RIGIDTYPE 2\t\"Head\"\n"
                          "\t}\n"
                          "}\n"));
  EXPECT_EQ(written.console, "");
}

struct MissingCase {
  const char* what;
  std::vector<std::string> vertexBones;
  size_t verticesWritten;
  const char* console;
};

class MissingBone : public ::testing::TestWithParam<MissingCase> {};

TEST_P(MissingBone, EndsTheVertexListButListsEveryAssignment) {
  const Bytes bones = BoneImage({Bone("Hip", 0), Bone("Spine", 256)});
  const testing::WrittenObjects written = WriteObjects({Skinned(GetParam().vertexBones)}, testing::MapOf(bones));
  EXPECT_EQ(LinesWith(written.text, "*MESH_VERTEX ").size(), GetParam().verticesWritten);
  EXPECT_EQ(written.console, GetParam().console);
  // The vertex list is closed, the faces follow, every vertex is assigned.
  EXPECT_NE(written.text.find(testing::Crlf("\t\t}\n\t\t*MESH_FACE_LIST {\n")), std::string::npos);
  EXPECT_EQ(LinesWith(written.text, "NONBLENDED").size(), GetParam().vertexBones.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MissingBone,
    ::testing::Values(
        MissingCase{"third", {"Hip", "Spine", "Tail"}, 2, "Error matbuf is NULL for BoneName Tail! Must exit!\n"},
        MissingCase{"case differs", {"hip", "Spine", "Tail"}, 0, "Error matbuf is NULL for BoneName hip! Must exit!\n"},
        MissingCase{"trailing space", {"Hip ", "Hip", "Hip"}, 0,
                    "Error matbuf is NULL for BoneName Hip ! Must exit!\n"}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST(Physique, WithoutBoneFileTheVertexListIsEmpty) {
  const testing::WrittenObjects written = WriteObjects({Skinned({"Hip", "Hip", "Hip"})});
  EXPECT_NE(written.text.find(testing::Crlf("\t\t*MESH_VERTEX_LIST {\n\t\t}\n")), std::string::npos);
  EXPECT_EQ(written.console, "Error matbuf is NULL for BoneName Hip! Must exit!\n");
  EXPECT_EQ(LinesWith(written.text, "NONBLENDED").size(), 3u);
}

TEST(Physique, NoVerticesMeansNoLookupAndNoSkinBlock) {
  const testing::WrittenObjects written = WriteObjects({Object([](ObjectSpec& o) { o.physiqueFlag = 1; })});
  EXPECT_EQ(written.text.find("PHYSIQUE"), std::string::npos);
  EXPECT_EQ(written.console, "");
}

TEST(Physique, DuplicateBoneNamesLeadToTheFirst) {
  const Bytes bones = BoneImage({Bone("Arm", 256), Bone("Arm", 1024)});
  const testing::WrittenObjects written = WriteObjects({Skinned({"Arm"})}, testing::MapOf(bones));
  EXPECT_EQ(LinesWith(written.text, "*MESH_VERTEX "),
            std::vector<std::string>{"\t\t\t*MESH_VERTEX         0\t1.0000\t1.0000\t0.0000"});
}

TEST(Physique, SingularBoneMatrixIsReportedOnce) {
  ObjectSpec flat = Bone("Flat", 256);
  flat.meshTm[0][0] = 0;
  const Bytes bones = BoneImage({flat});
  const testing::WrittenObjects written = WriteObjects({Skinned({"Flat", "Flat"})}, testing::MapOf(bones));
  EXPECT_EQ(LinesWith(written.text, "*MESH_VERTEX "),
            (std::vector<std::string>{"\t\t\t*MESH_VERTEX         0\t1.0000\t1.0000\t0.0000",
                                      "\t\t\t*MESH_VERTEX         1\t1.0000\t1.0000\t0.0000"}));
  EXPECT_EQ(written.console,
            "Object Skin: mesh matrix of bone Flat cannot be inverted, vertices written untransformed\n");
}

TEST(Physique, PlainObjectsIgnoreTheBones) {
  const Bytes bones = BoneImage({Bone("Hip", 256)});
  ObjectSpec plain = Skinned({"Hip"});
  plain.physiqueFlag = 0;
  const testing::WrittenObjects written = WriteObjects({plain}, testing::MapOf(bones));
  EXPECT_EQ(LinesWith(written.text, "*MESH_VERTEX "),
            std::vector<std::string>{"\t\t\t*MESH_VERTEX         0\t2.0000\t1.0000\t0.0000"});
  EXPECT_EQ(written.text.find("PHYSIQUE"), std::string::npos);
}

}  // namespace
}  // namespace zav
