#include "stage/stage_mesh.h"

#include <gtest/gtest.h>

#include "fixtures/stage_builder.h"
#include "stage/stage_run.h"

namespace zav::testing {
namespace {

using fixtures::StageFaceSpec;
using fixtures::StageSpec;
using fixtures::StageVertexSpec;
using fixtures::TextureLinkSpec;

StageRun RunMesh(const StageSpec& stage) {
  StageRun run = RunStageWriter(stage, WriteStageMesh);
  EXPECT_TRUE(run.located) << run.console;
  return run;
}

using Lines = std::vector<std::string>;

TEST(StageMesh, EmptyStageWritesEveryFixedLine) {
  const StageRun run = RunMesh({});
  EXPECT_EQ(run.text,
            "*GEOMOBJECT {\r\n"
            "\t*NODE_NAME \"Object\"\r\n"
            "\t*NODE_TM {\r\n"
            "\t\t*NODE_NAME \"Object\"\r\n"
            "\t\t*INHERIT_POS 0 0 0\r\n"
            "\t\t*INHERIT_ROT 0 0 0\r\n"
            "\t\t*INHERIT_SCL 0 0 0\r\n"
            "\t\t*TM_ROW0 1.0000\t0.0000\t0.0000\r\n"
            "\t\t*TM_ROW1 0.0000\t1.0000\t0.0000\r\n"
            "\t\t*TM_ROW2 0.0000\t0.0000\t1.0000\r\n"
            "\t\t*TM_ROW3 0.0000\t0.0000\t0.0000\r\n"
            "\t\t*TM_POS 0.0000\t0.0000\t0.0000\r\n"
            "\t\t*TM_ROTAXIS 0.0000\t0.0000\t0.0000\r\n"
            "\t\t*TM_ROTANGLE 0.0000\r\n"
            "\t\t*TM_SCALE 1.0000\t1.0000\t1.0000\r\n"
            "\t\t*TM_SCALEAXIS 0.0000\t0.0000\t0.0000\r\n"
            "\t\t*TM_SCALEAXISANG 0.0000\r\n"
            "\t}\r\n"
            "\t*MESH {\r\n"
            "\t\t*TIMEVALUE 0\r\n"
            "\t\t*MESH_NUMVERTEX 0\r\n"
            "\t\t*MESH_NUMFACES 0\r\n"
            "\t\t*MESH_VERTEX_LIST {\r\n"
            "\t\t}\r\n"
            "\t\t*MESH_FACE_LIST {\r\n"
            "\t\t}\r\n"
            "\t\t*MESH_NUMTVERTEX 0\r\n"
            "\t\t*MESH_TVERTLIST {\r\n"
            "\t\t}\r\n"
            "\t\t*MESH_NUMTVFACES 0\r\n"
            "\t\t*MESH_TFACELIST {\r\n"
            "\t\t}\r\n"
            "\t\t*MESH_NUMCVERTEX 0\r\n"
            "\t\t*MESH_CVERTLIST {\r\n"
            "\t\t}\r\n"
            "\t\t*MESH_NUMCVFACES 0\r\n"
            "\t\t*MESH_CFACELIST {\r\n"
            "\t\t}\r\n"
            "\t}\r\n"
            "\t*PROP_MOTIONBLUR 0\r\n"
            "\t*PROP_CASTSHADOW 1\r\n"
            "\t*PROP_RECVSHADOW 1\r\n"
            "\t*MATERIAL_REF 0\r\n"
            "\t*WIREFRAME_COLOR 0.4000\t0.1000\t0.7000\r\n"
            "}\r\n");
  EXPECT_EQ(run.lines().size(), 45u);  // lines 24, 27, 31, 35, 39 and 43 are empty lists
  EXPECT_EQ(run.console,
            "Vertices: 0 (offset: 00040300 size: 0 end: 00040300)\n"
            "Faces: 0 (offset: 00040300 size: 0 end: 00040300)\n"
            "Textures: 0 (offset: 000402F8 size: 0 end: 000402F8)\n"
            "Vertex Color Faces: 0\n");
}

// Each pause comes at its point: after the shading pass, after the face list
// opens, after the "Textures: " line, after the "Vertex Color Faces: " line.
TEST(StageMesh, PausesAtTheirPoints) {
  StageSpec stage;
  stage.vertices.resize(3);
  stage.faces = {{0, 1, 2}};
  const StageRun run = RunMesh(stage);
  const std::string faces = "Faces: 1 (offset: 00040354 size: 28 end: 00040370)";
  EXPECT_EQ(run.pauses, (std::vector<PausePoint>{
                            {500, "\t\t*MESH_VERTEX_LIST {", faces},
                            {500, "\t\t*MESH_FACE_LIST {", faces},
                            {500, "\t\t}", "Textures: 0 (offset: 00040368 size: 0 end: 00040368)"},
                            {500, "\t\t}", "Vertex Color Faces: 1"},
                        }));
}

TEST(StageMesh, VertexLineTakesXZY) {
  StageSpec stage;
  stage.vertices = {{256, -128, 512}, {-1, 0x7FFFFFFF, INT32_MIN}};
  const StageRun run = RunMesh(stage);
  EXPECT_EQ(run.LinesOf("*MESH_VERTEX "),
            (Lines{"\t\t\t*MESH_VERTEX         0\t1.0000\t2.0000\t-0.5000",
                   "\t\t\t*MESH_VERTEX         1\t-0.0039\t-8388608.0000\t8388607.9961"}));
  EXPECT_EQ(run.LinesOf("*MESH_NUMVERTEX "), (Lines{"\t\t*MESH_NUMVERTEX 2"}));
}

TEST(StageMesh, FaceLine) {
  StageSpec stage;
  stage.vertices.resize(3);
  stage.faces = {{}, {}, {}, {0, 1, 2, -1, 0}};
  const StageRun run = RunMesh(stage);
  const Lines faces = run.LinesOf("*MESH_FACE ");
  ASSERT_EQ(faces.size(), 4u);
  EXPECT_EQ(faces[3],
            "\t\t\t*MESH_FACE         3:    A:         0 B:         1 C:         2 AB:    1 BC:    1 CA:    1"
            "\t *MESH_SMOOTHING 1 \t*MESH_MTLID -1");
  EXPECT_EQ(run.LinesOf("*MESH_NUMFACES "), (Lines{"\t\t*MESH_NUMFACES 4"}));
}

// Texture vertices and faces of untextured faces carry the fixed values,
// whatever texture links the stage holds.
TEST(StageMesh, UntexturedFacesIgnoreTheLinks) {
  for (size_t links : {0, 2}) {
    StageSpec stage;
    stage.vertices.resize(3);
    stage.faces = {{0, 1, 2}, {2, 1, 0}};
    stage.textureLinks.resize(links, TextureLinkSpec{{1, 2, 3}, {4, 5, 6}, 0});
    const StageRun run = RunMesh(stage);
    EXPECT_EQ(run.LinesOf("*MESH_NUMTVERTEX "), (Lines{"\t\t*MESH_NUMTVERTEX 6"}));
    EXPECT_EQ(run.LinesOf("*MESH_TVERT "), (Lines{
                                                 "\t\t\t*MESH_TVERT 0\t0.0000\t-0.0000\t1.0000",
                                                 "\t\t\t*MESH_TVERT 1\t0.0000\t-0.0000\t1.0000",
                                                 "\t\t\t*MESH_TVERT 2\t0.0000\t-0.0000\t1.0000",
                                                 "\t\t\t*MESH_TVERT 3\t0.0000\t-0.0000\t1.0000",
                                                 "\t\t\t*MESH_TVERT 4\t0.0000\t-0.0000\t1.0000",
                                                 "\t\t\t*MESH_TVERT 5\t0.0000\t-0.0000\t1.0000",
                                             }));
    EXPECT_EQ(run.LinesOf("*MESH_NUMTVFACES "), (Lines{"\t\t*MESH_NUMTVFACES 2"}));
    EXPECT_EQ(run.LinesOf("*MESH_TFACE "),
              (Lines{"\t\t\t*MESH_TFACE 0\t0\t1\t2", "\t\t\t*MESH_TFACE 1\t3\t4\t5"}));
  }
}

// Face 0 takes L0, face 1 is untextured, face 2 steps over the extra layer
// L1 and takes L2.
TEST(StageMesh, TexturedFacesStepOverExtraLayers) {
  StageSpec stage;
  stage.vertices.resize(3);
  stage.faces = {{0, 1, 2, 0, 1}, {0, 1, 2, 0, 0}, {0, 1, 2, 0, -5}};
  stage.textureLinks = {{{1, 2, 3}, {0, 0, 0}, 0}, {{4, 5, 6}, {0, 0, 0}, 1}, {{7, 8, 9}, {0, 0, 0}, 0}};
  const StageRun run = RunMesh(stage);
  EXPECT_EQ(run.LinesOf("*MESH_TVERT "), (Lines{
                                               "\t\t\t*MESH_TVERT 0\t1.0000\t-0.0000\t1.0000",
                                               "\t\t\t*MESH_TVERT 1\t2.0000\t-0.0000\t1.0000",
                                               "\t\t\t*MESH_TVERT 2\t3.0000\t-0.0000\t1.0000",
                                               "\t\t\t*MESH_TVERT 3\t0.0000\t-0.0000\t1.0000",
                                               "\t\t\t*MESH_TVERT 4\t0.0000\t-0.0000\t1.0000",
                                               "\t\t\t*MESH_TVERT 5\t0.0000\t-0.0000\t1.0000",
                                               "\t\t\t*MESH_TVERT 6\t7.0000\t-0.0000\t1.0000",
                                               "\t\t\t*MESH_TVERT 7\t8.0000\t-0.0000\t1.0000",
                                               "\t\t\t*MESH_TVERT 8\t9.0000\t-0.0000\t1.0000",
                                           }));
}

TEST(StageMesh, TextureCoordinatesTakeUAndNegatedV) {
  StageSpec stage;
  stage.vertices.resize(3);
  stage.faces = {{0, 1, 2, 0, 1}};
  stage.textureLinks = {{{0.5f, 1, 0}, {0.25f, 0, 1}, 0}};
  const StageRun run = RunMesh(stage);
  EXPECT_EQ(run.LinesOf("*MESH_TVERT "), (Lines{
                                               "\t\t\t*MESH_TVERT 0\t0.5000\t-0.2500\t1.0000",
                                               "\t\t\t*MESH_TVERT 1\t1.0000\t-0.0000\t1.0000",
                                               "\t\t\t*MESH_TVERT 2\t0.0000\t-1.0000\t1.0000",
                                           }));
}

// A textured face for which no first-layer link remains still gets its three
// texture vertices, with the values of an untextured face.
TEST(StageMesh, TexturedFaceWithoutALinkLeft) {
  StageSpec stage;
  stage.vertices.resize(3);
  stage.faces = {{0, 1, 2, 0, 1}, {0, 1, 2, 0, 1}, {0, 1, 2, 0, 1}};
  stage.textureLinks = {{{1, 1, 1}, {-2, -2, -2}, 0}, {{5, 5, 5}, {5, 5, 5}, 3}};
  const StageRun run = RunMesh(stage);
  EXPECT_EQ(run.LinesOf("*MESH_TVERT "), (Lines{
                                               "\t\t\t*MESH_TVERT 0\t1.0000\t2.0000\t1.0000",
                                               "\t\t\t*MESH_TVERT 1\t1.0000\t2.0000\t1.0000",
                                               "\t\t\t*MESH_TVERT 2\t1.0000\t2.0000\t1.0000",
                                               "\t\t\t*MESH_TVERT 3\t0.0000\t-0.0000\t1.0000",
                                               "\t\t\t*MESH_TVERT 4\t0.0000\t-0.0000\t1.0000",
                                               "\t\t\t*MESH_TVERT 5\t0.0000\t-0.0000\t1.0000",
                                               "\t\t\t*MESH_TVERT 6\t0.0000\t-0.0000\t1.0000",
                                               "\t\t\t*MESH_TVERT 7\t0.0000\t-0.0000\t1.0000",
                                               "\t\t\t*MESH_TVERT 8\t0.0000\t-0.0000\t1.0000",
                                           }));
  EXPECT_EQ(run.LinesOf("*MESH_TFACE ").size(), 3u);
}

// Colour vertices are numbered in the order the faces first use them; a
// vertex used by no face has a vertex line but no colour vertex.
TEST(StageMesh, ColourVerticesInOrderOfFirstUse) {
  StageSpec stage;
  stage.shadeBase = 0;  // every level 1.0
  stage.vertices.resize(4);
  stage.faces = {{0, 1, 2}, {2, 1, 3}};
  StageRun run = RunMesh(stage);
  EXPECT_EQ(run.LinesOf("*MESH_NUMCVERTEX "), (Lines{"\t\t*MESH_NUMCVERTEX 4"}));
  EXPECT_EQ(run.LinesOf("*MESH_CFACE "), (Lines{"\t\t\t*MESH_CFACE 0\t0\t1\t2", "\t\t\t*MESH_CFACE 1\t2\t1\t3"}));
  EXPECT_EQ(run.LinesOf("*MESH_NUMCVFACES "), (Lines{"\t\t*MESH_NUMCVFACES 2"}));

  stage.vertices.resize(5);
  stage.faces = {{4, 0, 3}, {3, 3, 1}};
  run = RunMesh(stage);
  EXPECT_EQ(run.LinesOf("*MESH_VERTEX ").size(), 5u);
  EXPECT_EQ(run.LinesOf("*MESH_NUMCVERTEX "), (Lines{"\t\t*MESH_NUMCVERTEX 4"}));
  EXPECT_EQ(run.LinesOf("*MESH_VERTCOL "), (Lines{
                                                 "\t\t\t*MESH_VERTCOL 0\t1.0000\t1.0000\t1.0000",
                                                 "\t\t\t*MESH_VERTCOL 1\t1.0000\t1.0000\t1.0000",
                                                 "\t\t\t*MESH_VERTCOL 2\t1.0000\t1.0000\t1.0000",
                                                 "\t\t\t*MESH_VERTCOL 3\t1.0000\t1.0000\t1.0000",
                                             }));
  EXPECT_EQ(run.LinesOf("*MESH_CFACE "), (Lines{"\t\t\t*MESH_CFACE 0\t0\t1\t2", "\t\t\t*MESH_CFACE 1\t2\t2\t3"}));
}

// Levels (100, 200, 300) at b = 400 give 0.25, 0.5, 0.75, written from
// colour[2] to colour[0]: 0.75, 0.5, 0.25; one corner (m = 2) turns them into
// 0.5, 0, 0.5. b = 400 comes from the base alone: the shade vector is zero.
TEST(StageMesh, VertexColourFromLevelsAndShadeLevel) {
  StageSpec stage;
  stage.shadeBase = 401;
  stage.vertices = {{0, 0, 0, {100, 200, 300}}, {256, 0, 0, {400, 400, 400}}, {0, 256, 0, {0, 0, 0}}};
  stage.faces = {{0, 1, 2}};
  const StageRun run = RunMesh(stage);
  EXPECT_EQ(run.LinesOf("*MESH_VERTCOL "), (Lines{
                                                 "\t\t\t*MESH_VERTCOL 0\t0.5000\t0.0000\t0.5000",
                                                 "\t\t\t*MESH_VERTCOL 1\t1.0000\t1.0000\t1.0000",
                                                 "\t\t\t*MESH_VERTCOL 2\t1.0000\t1.0000\t1.0000",
                                             }));
}

// The shade level weighs the smoothed normal against the shade vector.
// Face 0 (0,0,0), (1,0,0), (0,1,0) after the shift has normal (0,0,32767);
// with shade vector (0,0,256) s = 32767 * 256, s >> 8 = 32767, divided by 2:
// 16383, plus base 1 minus 1: b = 16383. Level 8192 gives
// floor(65536 * 8192 / 16383 + 0.5) / 65536 = 32770 / 65536 = 0.50003...; the
// vertex is used twice (m = 3): |0.50003 * 3 - 1| / 2 = 0.25004...
TEST(StageMesh, VertexColourFromTheNormal) {
  StageSpec stage;
  stage.shadeDivisor = 2;
  stage.shadeBase = 1;
  stage.shadeVector = {0, 0, 256};
  stage.vertices = {{0, 0, 0, {8192, 0, 65535}}, {256, 0, 0, {}}, {0, 256, 0, {}}};
  stage.faces = {{0, 1, 2}, {0, 1, 2}};
  const StageRun run = RunMesh(stage);
  const Lines colours = run.LinesOf("*MESH_VERTCOL ");
  ASSERT_EQ(colours.size(), 3u);
  // colour[2] 65535 >= b: 1.0, stays 1.0; colour[1] 0: 0, becomes 0.5.
  EXPECT_EQ(colours[0], "\t\t\t*MESH_VERTCOL 0\t1.0000\t0.5000\t0.2500");
  EXPECT_EQ(colours[1], "\t\t\t*MESH_VERTCOL 1\t0.5000\t0.5000\t0.5000");
}

// With the base 0 and a zero normal, b = -1: every level is 1.0 and stays so
// whatever the number of corners.
TEST(StageMesh, ShadeLevelBelowOneGivesFullLevels) {
  StageSpec stage;
  stage.vertices = {{0, 0, 0, {0, 0, 0}}, {0, 0, 0, {1, 2, 3}}, {0, 0, 0, {65535, 9, 0}}};
  stage.faces = {{0, 1, 2}, {0, 0, 2}, {0, 2, 0}};
  stage.shadeVector = {1000, 1000, 1000};
  const StageRun run = RunMesh(stage);
  for (const std::string& line : run.LinesOf("*MESH_VERTCOL ")) {
    EXPECT_EQ(line.substr(line.find('\t', 3)), "\t1.0000\t1.0000\t1.0000") << line;
  }
  EXPECT_EQ(run.LinesOf("*MESH_VERTCOL ").size(), 3u);
}

// A shade divisor of 0 leaves out the quotient term: b = base - 1.
TEST(StageMesh, ShadeDivisorZero) {
  StageSpec stage;
  stage.shadeDivisor = 0;
  stage.shadeBase = 201;
  stage.shadeVector = {0, 0, 1 << 20};
  stage.vertices = {{0, 0, 0, {50, 100, 150}}, {256, 0, 0, {}}, {0, 256, 0, {}}};
  stage.faces = {{0, 1, 2}};
  const StageRun run = RunMesh(stage);
  // 150/200 = 0.75, 100/200 = 0.5, 50/200 = 0.25, corrected with m = 2.
  EXPECT_EQ(run.LinesOf("*MESH_VERTCOL ")[0], "\t\t\t*MESH_VERTCOL 0\t0.5000\t0.0000\t0.5000");
}

// A face with two equal corners has the zero normal: it adds nothing to the
// normal sums but counts its corners.
TEST(StageMesh, DegenerateFace) {
  StageSpec stage;
  stage.shadeBase = 401;
  stage.shadeVector = {5000, 5000, 5000};
  stage.vertices = {{512, 512, 512, {100, 200, 300}}, {512, 512, 512, {}}, {0, 256, 0, {}}};
  stage.faces = {{0, 1, 2}};
  const StageRun run = RunMesh(stage);
  EXPECT_EQ(run.LinesOf("*MESH_VERTCOL ")[0], "\t\t\t*MESH_VERTCOL 0\t0.5000\t0.0000\t0.5000");
}

}  // namespace
}  // namespace zav::testing
