// Whole model conversions by the real program: objects with a hierarchy,
// meshes, texture coordinates and keys, one material; and a model with its
// companion bone file, whose skinned object follows the bones.
#include <gtest/gtest.h>

#include "e2e/e2e_harness.h"
#include "fixtures/model_builder.h"

namespace zav::testing {
namespace {

using namespace fixtures;

// A base with one textured triangle, an arm parented to it with all three key
// tracks and a turned node transform, and a hand parented to the arm with a
// translated mesh matrix.
ModelSpec SmallModel() {
  ModelSpec model;
  MaterialSpec wood;
  wood.textureCount = 1;
  wood.stageBlendOps[0] = 4;
  wood.stageForms[0] = 4;
  wood.diffuseColor = {0.5f, 0.25f, 1};
  wood.textureNames = {"D:\\art\\wood.bmp"};
  model.materials = {wood};

  ObjectSpec base;
  base.name = "Base";
  base.scale = {512, 512, 512};
  base.position = {256, 0, -128};
  base.vertices = {{0, 0, 0}, {512, 0, 0}, {0, 256, 512}};
  base.faces = {{0, 1, 2, 0}};
  base.texCoords = {{{0, 1, 0.5f}, {0, 0, 1}}};

  ObjectSpec arm;
  arm.name = "Arm";
  arm.parentName = "Base";
  arm.nodeTm[0] = {0, 256, 0, 0};
  arm.nodeTm[1] = {-256, 0, 0, 0};
  arm.nodeTm[3] = {512, 0, 0, 0};
  arm.rotation = {0, 0, 0.7071068f, 0.7071068f};
  arm.vertices = {{256, 256, 256}, {-128, 64, 0}};
  arm.faces = {{0, 1, 1, -1}};
  arm.rotKeys = {{0, 0, 0, 0, 1}, {320, 1, 0, 0, 0}};
  arm.posKeys = {{0, 1, 2, 3}, {320, -1.5f, 0, 0.25f}};
  arm.scaleKeys = {{160, 256, 512, -128}};

  ObjectSpec hand;
  hand.name = "Hand";
  hand.parentName = "Arm";
  hand.meshTm[3] = {256, -256, 0, 0};
  hand.vertices = {{256, 0, 0}};
  model.objects = {base, arm, hand};
  return model;
}

TEST(ModelEndToEnd, ConvertsAWholeModel) {
  ScratchFolder folder;
  folder.Write("rock.dat", BuildModel(SmallModel()));
  ExpectConversion(folder, "rock.dat C:\\tex\\\nq\n", "model_console.txt", "rock.ase", "model_rock.ase");
}

// Two bones, the second parented to the first and animated; a skinned object
// whose three vertices follow them, and a plain object.
TEST(ModelEndToEnd, ConvertsAModelWithItsBones) {
  ModelSpec bones;
  ObjectSpec hip;
  hip.name = "Hip";
  hip.meshTm[3] = {0, 256, 0, 0};
  hip.vertices = {{0, 256, 0}};
  ObjectSpec spine;
  spine.name = "Spine";
  spine.parentName = "Hip";
  spine.meshTm[0] = {512, 0, 0, 0};
  spine.meshTm[3] = {0, 512, 0, 0};
  spine.rotKeys = {{0, 0, 0, 0, 1}};
  spine.posKeys = {{0, 0, 0, 0}, {4800, 0, 1, 0}};
  bones.objects = {hip, spine};

  ModelSpec model;
  ObjectSpec skin;
  skin.name = "Skin";
  skin.physiqueFlag = 1;
  skin.scale = {512, 512, 512};
  skin.vertices = {{256, 512, 0}, {512, 768, 256}, {0, 0, 0}};
  skin.boneNames = {"Hip", "Spine", "Hip"};
  skin.faces = {{0, 1, 2, 0}};
  ObjectSpec prop;
  prop.name = "Prop";
  prop.parentName = "Skin";
  prop.rotKeys = {{9600, 0, 0, 0, 1}};
  model.objects = {skin, prop};

  ScratchFolder folder;
  folder.Write("body.dat", BuildModel(model));
  folder.Write("body.dab", BuildModel(bones));
  ExpectConversion(folder, "body.dat -\nq\n", "model_bones_console.txt", "body.ase", "model_body.ase");
}

}  // namespace
}  // namespace zav::testing
