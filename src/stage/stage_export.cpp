#include "stage/stage_export.h"

#include "ase/export_frame.h"
#include "ase/material_list.h"
#include "stage/stage_lights.h"
#include "stage/stage_mesh.h"

namespace zav {

void WriteStageAse(TextSink& out, ExportEnv& env, const StageLayout& layout) {
  WriteSceneBlock(out, MakeSceneName(env.inputPath), 100);
  WriteMaterialList(out, env, ExportKind::Stage, layout.materials);
  WriteStageMesh(out, env.console, env.pause, layout);
  WriteStageLights(out, env.console, env.pause, layout);
}

}  // namespace zav
