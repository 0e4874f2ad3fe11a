#pragma once
// The text of a model export, from the scene block to the last bone object.
#include <optional>

#include "ase/export_env.h"
#include "ase/text_sink.h"
#include "formats/byte_view.h"

namespace zav {

// Writes the whole output text of a model (with its bone file, when one was
// loaded) to `out`, with the console lines of the conversion.
void WriteModelAse(TextSink& out, ExportEnv& env, ByteView model, std::optional<ByteView> bone);

}  // namespace zav
