#pragma once
// The frame both exports share: the output path beside the input, the removal
// of an old output, the open, the header and scene block, the close and the
// final console line.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ase/export_env.h"
#include "ase/text_sink.h"
#include "formats/byte_view.h"

namespace zav {

// The input path with the three characters after its last dot replaced by
// "ase"; the path unchanged when it has no dot.
std::string MakeOutputPath(std::string_view inputPath);

// The input path cut at its last dot.
std::string MakeSceneName(std::string_view inputPath);

// The header and scene block at the top of every output.
void WriteSceneBlock(TextSink& out, std::string_view sceneName, int32_t lastFrame);

// Opens the output of `env.inputPath`, lets `body` write the whole text and
// closes it, with the console lines of the frame. `kind` is "MODEL" or
// "STAGE". Returns true when the output was written completely.
bool RunExport(ExportEnv& env, std::string_view kind, const std::function<void(TextSink&)>& body);

// Converts a model image, with the image of its bone file when one was loaded.
void ExportModel(ExportEnv& env, ByteView model, std::optional<ByteView> bone);

// Converts a stage image.
void ExportStage(ExportEnv& env, ByteView stage);

}  // namespace zav
