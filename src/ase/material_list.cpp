#include "ase/material_list.h"

#include <string>

namespace zav {

void WriteMaterialList(TextSink& out, ExportEnv& env, ExportKind kind, const MaterialBlock& block) {
  env.console.Line("Materials: " + std::to_string(block.materialCount));
  out.Literal(0, "*MATERIAL_LIST {");
  out.Literal(1, "*MATERIAL_COUNT 0");
  out.Literal(0, "}");
  if (kind == ExportKind::Model) env.console.Line("Materials done!");
}

}  // namespace zav
