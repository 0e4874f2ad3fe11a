#include "model/model_export.h"

#include <gtest/gtest.h>

#include "model/model_test_support.h"
#include "support/memory_files.h"

namespace zav {
namespace {

using fixtures::Bytes;
using fixtures::ModelSpec;
using fixtures::ObjectSpec;
using testing::LinesWith;
using testing::Object;

struct ModelRun {
  std::string text;
  std::string console;
};

ModelRun Convert(const Bytes& model, const std::optional<Bytes>& bone) {
  testing::RecordingConsole console;
  testing::MemoryFileSystem files;
  NameCounters counters;
  ExportEnv env{console.console(), files, NoPause, counters, "C:\\m\\tree.dat", "C:\\tex\\"};
  TextSink out;
  std::optional<ByteView> boneView;
  if (bone) boneView = testing::View(*bone);
  WriteModelAse(out, env, testing::View(model), boneView);
  return {std::string(out.Buffered()), console.text()};
}

ObjectSpec Named(std::string name, std::string tag = "DCB") {
  return Object([&](ObjectSpec& o) {
    o.name = std::move(name);
    o.tag = std::move(tag);
  });
}

Bytes Image(std::vector<ObjectSpec> objects) {
  ModelSpec spec;
  spec.objects = std::move(objects);
  return fixtures::BuildModel(spec);
}

std::string LastFrameLine(const std::string& text) { return LinesWith(text, "*SCENE_LASTFRAME").at(0); }

TEST(ModelExport, BonesComeFirstOnTheConsoleAndLastInTheFile) {
  ObjectSpec animated = Named("Rock");
  animated.rotKeys = {{3200, 0, 0, 0, 1}};
  ObjectSpec bone = Named("Hip");
  bone.posKeys = {{480, 0, 0, 0}};
  const ModelRun run = Convert(Image({animated, Named("Bad", "XXX")}), Image({bone}));
  EXPECT_TRUE(run.console.starts_with("Bones: 1\nBone Hip...\nBones done! (last frame: 3)\n"));
  EXPECT_TRUE(run.console.ends_with("Objects: 2\nObject Rock...\nObject 2 header is invalid! Must exit!\nObjects done!\n"));
  // The bones' last frame wins over the model's own keys.
  EXPECT_EQ(LastFrameLine(run.text), "\t*SCENE_LASTFRAME 3");
  EXPECT_EQ(LinesWith(run.text, "\t*NODE_NAME"),
            (std::vector<std::string>{"\t*NODE_NAME \"Rock\"", "\t\t*NODE_NAME \"Rock\"", "\t\t*NODE_NAME \"Rock\"",
                                      "\t*NODE_NAME \"Hip\"", "\t\t*NODE_NAME \"Hip\"", "\t\t*NODE_NAME \"Hip\""}));
  EXPECT_TRUE(run.text.ends_with(testing::Crlf("\t\t}\n\t}\n}\n")));
}

TEST(ModelExport, LastFrameWithoutBonesComesFromTheModel) {
  ObjectSpec animated = Named("Rock");
  animated.scaleKeys = {{480, 256, 256, 256}};
  EXPECT_EQ(LastFrameLine(Convert(Image({Named("Still"), animated}), std::nullopt).text), "\t*SCENE_LASTFRAME 3");
  EXPECT_EQ(LastFrameLine(Convert(Image({Named("Still")}), std::nullopt).text), "\t*SCENE_LASTFRAME 100");
}

TEST(ModelExport, BoneFileWithoutKeysGivesFrameZeroAndItsObjects) {
  const ModelRun run = Convert(Image({Named("Rock")}), Image({Named("Hip"), Named("Leg")}));
  EXPECT_EQ(LastFrameLine(run.text), "\t*SCENE_LASTFRAME 0");
  EXPECT_EQ(LinesWith(run.text, "*GEOMOBJECT {").size(), 3u);
}

TEST(ModelExport, RejectedBoneFileLeavesNoBonesAndFrameZero) {
  ModelSpec bone;
  bone.materials = {fixtures::MaterialSpec{}};
  bone.objects = {Named("Hip")};
  ObjectSpec skinned = Named("Skin");
  skinned.physiqueFlag = 1;
  skinned.vertices = {{0, 0, 0}};
  skinned.boneNames = {"Hip"};
  const ModelRun run = Convert(Image({skinned}), fixtures::BuildModel(bone));
  EXPECT_TRUE(run.console.starts_with(
      "Error ExportBone noticed bone file has material, bone file never has material! Must exit!\n"));
  EXPECT_EQ(run.console.find("Bones"), std::string::npos);
  EXPECT_NE(run.console.find("Error matbuf is NULL for BoneName Hip! Must exit!\n"), std::string::npos);
  EXPECT_EQ(LastFrameLine(run.text), "\t*SCENE_LASTFRAME 0");
  EXPECT_EQ(LinesWith(run.text, "*GEOMOBJECT {").size(), 1u);
}

}  // namespace
}  // namespace zav
