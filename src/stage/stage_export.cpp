#include "stage/stage_export.h"

#include "ase/export_frame.h"
#include "ase/material_list.h"

namespace zav {

void WriteStageAse(TextSink& out, ExportEnv& env, const StageLayout& layout) {
  WriteSceneBlock(out, MakeSceneName(env.inputPath), 100);
  WriteMaterialList(out, env, ExportKind::Stage, LocateMaterialBlock(layout.image, 262904, layout.image.I32(28)));
}

}  // namespace zav
