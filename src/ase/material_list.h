#pragma once
// The material list of an output: one Multi/Sub-Object top material with one
// Standard sub-material per material record.
#include "ase/export_env.h"
#include "ase/text_sink.h"
#include "formats/material_record.h"

namespace zav {

enum class ExportKind { Model, Stage };

// Writes the console lines and the list for the records of `block`.
void WriteMaterialList(TextSink& out, ExportEnv& env, ExportKind kind, const MaterialBlock& block);

}  // namespace zav
