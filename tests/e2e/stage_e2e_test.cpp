// A whole stage conversion by the real program: material list, mesh with
// texture coordinates and vertex colours, and lights, with the console lines.
#include <gtest/gtest.h>

#include "e2e/e2e_harness.h"
#include "fixtures/stage_builder.h"

namespace zav::testing {
namespace {

using namespace fixtures;

// Three faces over four vertices (a fifth is used by none): face 0 textured,
// face 1 untextured, face 2 textured after an extra-layer link; one material
// with a diffuse map; two lights.
StageSpec SmallStage() {
  StageSpec stage;
  stage.shadeDivisor = 64;
  stage.shadeBase = 100;
  stage.shadeVector = {0, 256, 128};
  MaterialSpec rock;
  rock.textureCount = 1;
  rock.stageBlendOps[0] = 4;
  rock.stageForms[0] = 4;
  rock.diffuseColor = {1, 0.5f, 0};
  rock.transparency = 0.25f;
  rock.useFlags = 512;
  rock.textureNames = {"D:\\art\\rock.bmp"};
  stage.materials = {rock};
  stage.vertices = {
      {0, 0, 0, {100, 200, 300}},
      {512, 0, 0, {50, 60, 70}},
      {0, 0, 512, {1000, 2000, 3000}},
      {512, 256, 512, {0, 65535, 150}},
      {-256, 128, 64, {7, 8, 9}},
  };
  stage.faces = {
      {1, 0, 2, 0, 1},
      {2, 1, 3, -1, 0},
      {3, 1, 2, 0, 1},
  };
  stage.textureLinks = {
      {{0.5f, 1, 0}, {0.25f, 0, 1}, 0},
      {{9, 9, 9}, {9, 9, 9}, 1},
      {{0, 0.75f, 1}, {1, 0.5f, 0}, 0},
  };
  stage.lights = {
      {1, 512, 256, -128, 1, {114, 57, -114}},
      {10, 0, -256, 2560, 0, {0, 228, 11}},
  };
  return stage;
}

TEST(StageEndToEnd, ConvertsAWholeStage) {
  ScratchFolder folder;
  folder.Write("ground.stg", BuildStage(SmallStage()));
  ExpectConversion(folder, "ground.stg -\nq\n", "stage_console.txt", "ground.ase", "stage_ground.ase");
}

}  // namespace
}  // namespace zav::testing
