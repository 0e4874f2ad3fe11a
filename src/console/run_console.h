#pragma once
// The interactive front end: banner, the two prompts per file, loading,
// recognition and dispatch to an export, until the answer q.
#include <string>

#include "ase/export_env.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/pause.h"

namespace zav {

inline constexpr std::string_view kDefaultTextureDirectory = "C:\\textures\\";
inline constexpr size_t kMaxAnswerLength = 255;

// How the conversion of one file ended.
enum class ConvertOutcome {
  Converted,   // converted whole: no console line reported a fault
  Incomplete,  // not loaded, not recognised, not written, or converted only in part
};

// Interactive conversions announce their pause before the export; batch
// conversions run without pauses and say so.
enum class ConvertMode { Interactive, Batch };

// Converts the file at env.inputPath: the lines from "Opening " on, the load,
// the recognition, the companion bone file of a model and the export.
ConvertOutcome ConvertFile(ExportEnv& env, ConvertMode mode);

// For a model at `inputPath`, the path of its bone file: the last character
// replaced by a lowercase b. Empty when the path already ends in b.
std::string CompanionPath(std::string_view inputPath);

// Runs the dialogue until q or the end of the input; returns the exit status.
int RunConsole(Console& console, FileSystem& files, const Pause& pause);

}  // namespace zav
