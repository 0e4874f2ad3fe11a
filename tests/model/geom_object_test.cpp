#include "model/geom_object.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/model_test_support.h"

namespace zav {
namespace {

using fixtures::Matrix;
using fixtures::ObjectSpec;
using testing::Crlf;
using testing::LinesWith;
using testing::Object;
using testing::WriteObjects;

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

// The first model object of the records given.
std::string FirstObjectText(const ObjectSpec& object) { return WriteObjects({object}).text; }

constexpr const char* kNodeTmOfIdentity =
    "\t*NODE_TM {\n"
    "\t\t*NODE_NAME \"Box\"\n"
    "\t\t*INHERIT_POS 0 0 0\n"
    "\t\t*INHERIT_ROT 0 0 0\n"
    "\t\t*INHERIT_SCL 1 1 1\n"
    "\t\t*TM_ROW0 1.0000\t0.0000\t0.0000\n"
    "\t\t*TM_ROW1 0.0000\t1.0000\t0.0000\n"
    "\t\t*TM_ROW2 0.0000\t0.0000\t1.0000\n"
    "\t\t*TM_ROW3 0.0000\t0.0000\t0.0000\n"
    "\t\t*TM_POS 0.0000\t0.0000\t0.0000\n"
    "\t\t*TM_ROTAXIS 0.0000\t0.0000\t0.0000\n"
    "\t\t*TM_ROTANGLE 0.0000\n"
    "\t\t*TM_SCALE 1.0000\t1.0000\t1.0000\n"
    "\t\t*TM_SCALEAXIS 0.0000\t0.0000\t0.0000\n"
    "\t\t*TM_SCALEAXISANG 0.0000\n"
    "\t}\n";

constexpr const char* kObjectEnd =
    "\t*PROP_MOTIONBLUR 0\n"
    "\t*PROP_CASTSHADOW 1\n"
    "\t*PROP_RECVSHADOW 1\n"
    "\t*MATERIAL_REF 0\n"
    "\t*WIREFRAME_COLOR 0.4000\t0.1000\t0.7000\n"
    "}\n";

TEST(GeomObject, EmptyObjectHasNoLists) {
  EXPECT_EQ(FirstObjectText(Object([](ObjectSpec& o) { o.name = "Box"; })),
            Crlf(std::string("*GEOMOBJECT {\n"
                             "\t*NODE_NAME \"Box\"\n") +
                 kNodeTmOfIdentity +
                 "\t*MESH {\n"
                 "\t\t*TIMEVALUE 0\n"
                 "\t\t*MESH_NUMVERTEX 0\n"
                 "\t\t*MESH_NUMFACES 0\n"
                 "\t\t*MESH_NUMTVERTEX 0\n"
                 "\t}\n" +
                 kObjectEnd));
}

TEST(GeomObject, WholeMeshWithTextureCoordinatesAndParent) {
  // Texture coordinates without faces still give both texture lists; v is
  // flipped to 1 - v, and each texture face has its own three vertices.
  const std::string text = WriteObjects({Object([](ObjectSpec& o) { o.name = "Root"; }),
                                         Object([](ObjectSpec& o) {
                                           o.name = "Box";
                                           o.parentName = "Root";
                                           o.vertices = {{256, -128, 0}, {0, 512, 64}};
                                           o.faces = {{0, 1, 2, -1}, {2, 1, 0, 12}};
                                           o.texCoords = {{{0.5f, 1.0f, 0.0f}, {0.25f, 0.0f, 1.0f}},
                                                          {{-1.5f, 2.0f, 0.125f}, {2.0f, -0.5f, 0.75f}}};
                                         })})
                               .text;
  const size_t second = text.find("*GEOMOBJECT {", 1);
  ASSERT_NE(second, std::string::npos);
  EXPECT_EQ(text.substr(second),
            Crlf(std::string("*GEOMOBJECT {\n"
                             "\t*NODE_NAME \"Box\"\n"
                             "\t*NODE_PARENT \"Root\"\n") +
                 kNodeTmOfIdentity +
                 "\t*MESH {\n"
                 "\t\t*TIMEVALUE 0\n"
                 "\t\t*MESH_NUMVERTEX 2\n"
                 "\t\t*MESH_NUMFACES 2\n"
                 "\t\t*MESH_VERTEX_LIST {\n"
                 "\t\t\t*MESH_VERTEX         0\t1.0000\t-0.5000\t0.0000\n"
                 "\t\t\t*MESH_VERTEX         1\t0.0000\t2.0000\t0.2500\n"
                 "\t\t}\n"
                 "\t\t*MESH_FACE_LIST {\n"
                 "\t\t\t*MESH_FACE         0:    A:         0 B:         1 C:         2 AB:    1 BC:    1 CA:    1\t "
                 "*MESH_SMOOTHING 1 \t*MESH_MTLID -1\n"
                 "\t\t\t*MESH_FACE         1:    A:         2 B:         1 C:         0 AB:    1 BC:    1 CA:    1\t "
                 "*MESH_SMOOTHING 1 \t*MESH_MTLID 12\n"
                 "\t\t}\n"
                 "\t\t*MESH_NUMTVERTEX 6\n"
                 "\t\t*MESH_TVERTLIST {\n"
                 "\t\t\t*MESH_TVERT 0\t0.5000\t0.7500\t0.0000\n"
                 "\t\t\t*MESH_TVERT 1\t1.0000\t1.0000\t0.0000\n"
                 "\t\t\t*MESH_TVERT 2\t0.0000\t0.0000\t0.0000\n"
                 "\t\t\t*MESH_TVERT 3\t-1.5000\t-1.0000\t0.0000\n"
                 "\t\t\t*MESH_TVERT 4\t2.0000\t1.5000\t0.0000\n"
                 "\t\t\t*MESH_TVERT 5\t0.1250\t0.2500\t0.0000\n"
                 "\t\t}\n"
                 "\t\t*MESH_NUMTVFACES 2\n"
                 "\t\t*MESH_TFACELIST {\n"
                 "\t\t\t*MESH_TFACE 0\t0\t1\t2\n"
                 "\t\t\t*MESH_TFACE 1\t3\t4\t5\n"
                 "\t\t}\n"
                 "\t}\n" +
                 kObjectEnd));
}

TEST(GeomObject, TextureCoordinatesWithoutFaces) {
  const std::string text = FirstObjectText(Object([](ObjectSpec& o) {
    o.name = "Box";
    o.texCoords = {{{0, 0, 0}, {0.25f, 0.0f, 1.0f}}};
  }));
  EXPECT_EQ(text.find("*MESH_FACE_LIST"), std::string::npos);
  EXPECT_EQ(LinesWith(text, "*MESH_TFACE ").size(), 1u);
  EXPECT_NE(text.find(Crlf("\t\t*MESH_NUMFACES 0\n\t\t*MESH_NUMTVERTEX 3\n\t\t*MESH_TVERTLIST {\n")), std::string::npos);
}

struct VertexCase {
  const char* what;
  Matrix meshTm;
  fixtures::VertexSpec vertex;
  const char* line;
};

Matrix Diagonal(int32_t x, int32_t y, int32_t z, std::array<int32_t, 3> translation = {}) {
  Matrix m{};
  m[0][0] = x;
  m[1][1] = y;
  m[2][2] = z;
  for (size_t c = 0; c < 3; ++c) m[3][c] = translation[c];
  return m;
}

Matrix Rows(std::array<std::array<int32_t, 3>, 4> rows) {
  Matrix m{};
  for (size_t r = 0; r < 4; ++r)
    for (size_t c = 0; c < 3; ++c) m[r][c] = rows[r][c];
  return m;
}

class VertexTransform : public ::testing::TestWithParam<VertexCase> {};

TEST_P(VertexTransform, WritesTheStoredVertexThroughTheInverse) {
  const VertexCase& c = GetParam();
  const testing::WrittenObjects written = WriteObjects({Object([&](ObjectSpec& o) {
    o.name = "Box";
    o.meshTm = c.meshTm;
    o.vertices = {c.vertex};
  })});
  EXPECT_EQ(LinesWith(written.text, "*MESH_VERTEX ").at(0), std::string("\t\t\t*MESH_VERTEX         0\t") + c.line);
  EXPECT_EQ(written.console, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VertexTransform,
    ::testing::Values(
        VertexCase{"identity", Diagonal(256, 256, 256), {256, -128, 0}, "1.0000\t-0.5000\t0.0000"},
        VertexCase{"translated", Diagonal(256, 256, 256, {256, 0, 0}), {256, -128, 0}, "0.0000\t-0.5000\t0.0000"},
        // -69 / 5 = -13.8 units of 1/256, truncated toward zero to -13.
        VertexCase{"truncation toward zero", Diagonal(1280, 256, 256), {-69, 0, 0}, "-0.0508\t0.0000\t0.0000"},
        VertexCase{"rotated and scaled", Rows({{{0, 512, 0}, {-256, 0, 0}, {0, 0, 128}, {10, 20, 30}}}),
                   {-246, -492, 542}, "-1.0000\t1.0000\t4.0000"},
        // Intermediate products far beyond 64 bits, computed exactly.
        VertexCase{"extreme dense matrix",
                   Rows({{{kMax, kMin, 12345}, {kMin, -7, kMax}, {99, kMax, kMin}, {kMin, kMax, -1}}}),
                   {kMax, kMin, 0}, "0.0117\t-1.9844\t-1.9844"},
        VertexCase{"extreme diagonal", Diagonal(kMin, kMin, kMin, {kMin, kMin, kMin}), {kMax, kMax, kMax},
                   "-1.9961\t-1.9961\t-1.9961"},
        // 256 · (2^32 - 1) rounds to 2^40 in single precision.
        VertexCase{"extreme offset", Diagonal(1, 1, 1, {kMin, kMin, kMin}), {kMax, kMax, kMax},
                   "4294967296.0000\t4294967296.0000\t4294967296.0000"}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST(GeomObject, SingularMeshMatrixWritesOffsetsAndOneFault) {
  const testing::WrittenObjects written = WriteObjects({Object([](ObjectSpec& o) {
    o.name = "Flat";
    o.meshTm = Rows({{{kMin, kMin, kMin}, {kMin, kMin, kMin}, {kMin, kMin, kMin}, {kMin, 0, kMax}}});
    o.vertices = {{kMax, 0, kMin}, {kMin, 512, kMax}};
  })});
  EXPECT_EQ(LinesWith(written.text, "*MESH_VERTEX "),
            (std::vector<std::string>{"\t\t\t*MESH_VERTEX         0\t16777216.0000\t0.0000\t-16777216.0000",
                                      "\t\t\t*MESH_VERTEX         1\t0.0000\t2.0000\t0.0000"}));
  EXPECT_EQ(written.console, "Object Flat: mesh matrix cannot be inverted, vertices written untransformed\n");
}

struct RotationCase {
  std::array<float, 4> quaternion;
  const char* axis;
  const char* angle;
};

class NodeRotation : public ::testing::TestWithParam<RotationCase> {};

TEST_P(NodeRotation, WritesAxisAndAngle) {
  const std::string text = FirstObjectText(Object([](ObjectSpec& o) { o.rotation = GetParam().quaternion; }));
  EXPECT_EQ(LinesWith(text, "*TM_ROTAXIS"), std::vector<std::string>{std::string("\t\t*TM_ROTAXIS ") + GetParam().axis});
  EXPECT_EQ(LinesWith(text, "*TM_ROTANGLE"), std::vector<std::string>{std::string("\t\t*TM_ROTANGLE ") + GetParam().angle});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NodeRotation,
    ::testing::Values(RotationCase{{0, 0, 0, 1}, "0.0000\t0.0000\t0.0000", "0.0000"},
                      RotationCase{{0, 0, 0.7071068f, 0.7071068f}, "0.0000\t0.0000\t1.0000", "1.5708"},
                      RotationCase{{1, 0, 0, 0}, "1.0000\t0.0000\t0.0000", "3.1416"},
                      // w past 1 counts as 1: no rotation rather than not-a-number.
                      RotationCase{{0.5f, 0, 0, 1.0000001f}, "0.0000\t0.0000\t0.0000", "0.0000"},
                      RotationCase{{0.5f, 0, 0, 7.0f}, "0.0000\t0.0000\t0.0000", "0.0000"}));

TEST(GeomObject, NodeTransformValues) {
  const std::string text = FirstObjectText(Object([](ObjectSpec& o) {
    o.nodeTm = Rows({{{128, -256, 64}, {0, 384, 0}, {-32, 0, 256}, {1280, -640, 3}}});
    o.position = {512, -64, 1};
    o.scale = {256, 512, -128};
  }));
  // Own scale (no parent): k = (256 + 512 - 128) / 3 = 213; q = k·m / 256.
  EXPECT_EQ(LinesWith(text, "*TM_"),
            (std::vector<std::string>{
                "\t\t*TM_ROW0 0.4141\t-0.8320\t0.2070",  // 106, -213, 53
                "\t\t*TM_ROW1 0.0000\t1.2461\t0.0000",   // 319
                "\t\t*TM_ROW2 -0.1016\t0.0000\t0.8320",  // -26, 213
                "\t\t*TM_ROW3 5.0000\t-2.5000\t0.0117",   // without k
                "\t\t*TM_POS 2.0000\t-0.2500\t0.0039", "\t\t*TM_ROTAXIS 0.0000\t0.0000\t0.0000",
                "\t\t*TM_ROTANGLE 0.0000", "\t\t*TM_SCALE 1.0000\t2.0000\t-0.5000",
                "\t\t*TM_SCALEAXIS 0.0000\t0.0000\t0.0000", "\t\t*TM_SCALEAXISANG 0.0000"}));
}

struct ParentCase {
  const char* what;
  std::vector<ObjectSpec> objects;
  std::string row0;  // of the last object
};

ObjectSpec Named(std::string name, std::string parent, std::array<int32_t, 3> scale, int32_t physique = 0) {
  return Object([&](ObjectSpec& o) {
    o.name = std::move(name);
    o.parentName = std::move(parent);
    o.scale = scale;
    o.physiqueFlag = physique;
  });
}

class ParentScale : public ::testing::TestWithParam<ParentCase> {};

TEST_P(ParentScale, ScalesRowsZeroToTwo) {
  const std::string text = WriteObjects(GetParam().objects).text;
  const std::vector<std::string> rows = LinesWith(text, "*TM_ROW0 ");
  EXPECT_EQ(rows.back(), "\t\t*TM_ROW0 " + GetParam().row0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParentScale,
    ::testing::Values(
        ParentCase{"parent scale 512", {Named("P", "", {512, 512, 512}), Named("C", "P", {256, 256, 256})},
                   "2.0000\t0.0000\t0.0000"},
        ParentCase{"skinned child keeps 256",
                   {Named("P", "", {512, 512, 512}), Named("C", "P", {256, 256, 256}, 1)},
                   "1.0000\t0.0000\t0.0000"},
        ParentCase{"parent scale summing to 2", {Named("P", "", {1, 1, 0}), Named("C", "P", {1024, 1024, 1024})},
                   "1.0000\t0.0000\t0.0000"},
        ParentCase{"parent scale summing to 0", {Named("P", "", {512, -512, 0}), Named("C", "P", {512, 512, 512})},
                   "1.0000\t0.0000\t0.0000"},
        ParentCase{"huge parent scale", {Named("P", "", {kMax, kMax, kMax}), Named("C", "P", {0, 0, 0})},
                   "8388608.0000\t0.0000\t0.0000"},
        // The first of two records with the same name is the parent.
        ParentCase{"duplicate names",
                   {Named("P", "", {768, 768, 768}), Named("P", "", {1024, 1024, 1024}),
                    Named("C", "P", {256, 256, 256})},
                   "3.0000\t0.0000\t0.0000"},
        // A parent further on is not found yet: the own scale counts.
        ParentCase{"parent comes later", {Named("C", "P", {128, 128, 128}), Named("P", "", {512, 512, 512})},
                   "2.0000\t0.0000\t0.0000"},
        // A record may name itself.
        ParentCase{"own name as parent", {Named("S", "S", {768, 768, 768})}, "3.0000\t0.0000\t0.0000"}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST(GeomObject, ParentThatComesLaterIsStillNamed) {
  const std::string text =
      WriteObjects({Named("C", "P", {128, 128, 128}), Named("P", "", {512, 512, 512})}).text;
  EXPECT_EQ(LinesWith(text, "*NODE_PARENT"), std::vector<std::string>{"\t*NODE_PARENT \"P\""});
  EXPECT_EQ(LinesWith(text, "*TM_ROW0 ").front(), "\t\t*TM_ROW0 0.5000\t0.0000\t0.0000");
}

TEST(GeomObject, BoneFormHasNoMaterialLines) {
  fixtures::ModelSpec spec;
  spec.objects = {Object([](ObjectSpec& o) {
    o.name = "Hip";
    o.posKeys = {{320, 1, 2, 3}};
  })};
  const fixtures::Bytes image = fixtures::BuildModel(spec);
  const ObjectRecord record = testing::Records(image).at(0);
  BoneNameMap bones;
  InsertFirst(bones, record);
  LastKeyTracker tracker;
  testing::RecordingConsole console;
  TextSink out;
  WriteGeomObject(out, console.console(), record, BoneObjectOptions(bones, tracker));
  const std::string text(out.Buffered());
  EXPECT_NE(text.find(Crlf("\t*PROP_RECVSHADOW 1\n\t*TM_ANIMATION {\n")), std::string::npos);
  EXPECT_EQ(text.find("MATERIAL_REF"), std::string::npos);
  EXPECT_EQ(text.find("WIREFRAME"), std::string::npos);
  EXPECT_EQ(tracker.lastKeyTime, 320);
}

}  // namespace
}  // namespace zav
