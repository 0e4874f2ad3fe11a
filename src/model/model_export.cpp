#include "model/model_export.h"

#include "ase/export_frame.h"
#include "ase/material_list.h"

namespace zav {

void WriteModelAse(TextSink& out, ExportEnv& env, ByteView model, std::optional<ByteView> bone) {
  (void)bone;
  WriteSceneBlock(out, MakeSceneName(env.inputPath), 100);
  const int32_t objectCount = model.I32(24);
  const int32_t materialCount = model.I32(28);
  const uint64_t first = 556 + 40 * static_cast<uint64_t>(objectCount > 0 ? objectCount : 0) + 88;
  WriteMaterialList(out, env, ExportKind::Model, LocateMaterialBlock(model, first, materialCount));
}

}  // namespace zav
