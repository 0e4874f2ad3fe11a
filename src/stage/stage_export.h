#pragma once
// The text of a stage export, from the scene block to the last light.
#include "ase/export_env.h"
#include "ase/text_sink.h"
#include "formats/stage_layout.h"

namespace zav {

void WriteStageAse(TextSink& out, ExportEnv& env, const StageLayout& layout);

}  // namespace zav
