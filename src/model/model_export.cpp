#include "model/model_export.h"

#include "ase/export_frame.h"
#include "ase/material_list.h"
#include "bone/export_bone.h"
#include "formats/model_file.h"
#include "model/model_objects.h"
#include "model/record_maps.h"
#include "model/tm_animation.h"

namespace zav {

void WriteModelAse(TextSink& out, ExportEnv& env, ByteView model, std::optional<ByteView> bone) {
  const ModelFileView file(model);
  TextSink boneText;
  BoneNameMap bones;
  std::optional<int32_t> boneResult;
  if (bone) boneResult = ExportBone(env.console, *bone, boneText, bones);
  WriteSceneBlock(out, MakeSceneName(env.inputPath), ComputeSceneLastFrame(file, boneResult));
  WriteMaterialList(out, env, ExportKind::Model, file.materialBlock());
  WriteModelObjects(out, env.console, file, bones, bone ? &boneText : nullptr);
}

}  // namespace zav
