#include "ase/export_frame.h"

#include <string>

#include "formats/stage_layout.h"
#include "model/model_export.h"
#include "stage/stage_export.h"

namespace zav {

namespace {
constexpr size_t kMaxPath = 255;

std::string Limited(std::string_view path) { return std::string(path.substr(0, kMaxPath)); }
}  // namespace

std::string MakeOutputPath(std::string_view inputPath) {
  std::string path = Limited(inputPath);
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos) return path;
  static constexpr char kExtension[] = "ase";
  for (size_t i = 0; i < 3; ++i) {
    const size_t at = dot + 1 + i;
    if (at < path.size()) {
      path[at] = kExtension[i];
    } else {
      path.resize(at);
      path.append(kExtension + i);
      break;
    }
  }
  return path;
}

std::string MakeSceneName(std::string_view inputPath) {
  std::string name = Limited(inputPath);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  return name;
}

void WriteSceneBlock(TextSink& out, std::string_view sceneName, int32_t lastFrame) {
  out.Literal(0, "*3DSMAX_ASCIIEXPORT\t200");
  out.Literal(0, "*COMMENT \"AsciiExport Version  2.00 - Mon Jan 01 00:00:00 2000\"");
  out.Literal(0, "*SCENE {");
  out.Line(1).Text("*SCENE_FILENAME \"").Text(sceneName).Text(".max\"").End();
  out.Literal(1, "*SCENE_FIRSTFRAME 0");
  out.Line(1).Text("*SCENE_LASTFRAME ").Int(lastFrame).End();
  out.Line(1).Text("*SCENE_FRAMESPEED ").Int(30).End();
  out.Line(1).Text("*SCENE_TICKSPERFRAME ").Int(160).End();
  out.Literal(1, "*SCENE_BACKGROUND_STATIC 0.0000\t0.0000\t0.0000");
  out.Literal(1, "*SCENE_AMBIENT_STATIC 0.0000\t0.0000\t0.0000");
  out.Literal(0, "}");
}

bool RunExport(ExportEnv& env, std::string_view kind, const std::function<void(TextSink&)>& body) {
  const std::string outputPath = MakeOutputPath(env.inputPath);
  const std::string openFailure = "Could not open file " + outputPath + " for writing";
  // The input file is never deleted or overwritten: an output path that names
  // it fails like any output that cannot be opened.
  if (outputPath == env.inputPath || env.files.SameFile(outputPath, env.inputPath)) {
    env.console.Fault(openFailure);
    return false;
  }
  env.files.Remove(outputPath);
  std::unique_ptr<OutputFile> file = env.files.Create(outputPath);
  if (!file) {
    env.console.Fault(openFailure);
    return false;
  }
  TextSink out(*file);
  body(out);
  if (!out.Finish()) {
    // A partial text must not pass for a conversion: report and remove it.
    env.console.Fault("Could not write file " + outputPath);
    env.files.Remove(outputPath);
    return false;
  }
  if (out.nonFiniteCount() > 0) {
    env.console.Fault("Warning: " + std::to_string(out.nonFiniteCount()) +
                      " values that are not finite numbers were written as 0.0000 in " + outputPath);
  }
  env.console.Line(std::string(kind) + " export finished successfully, file: " + outputPath);
  return true;
}

void ExportModel(ExportEnv& env, ByteView model, std::optional<ByteView> bone) {
  RunExport(env, "MODEL", [&](TextSink& out) { WriteModelAse(out, env, model, bone); });
}

void ExportStage(ExportEnv& env, ByteView stage) {
  // The layout is checked against the image before the output is touched.
  const std::optional<StageLayout> layout = LocateStage(stage, env.console);
  if (!layout) return;
  RunExport(env, "STAGE", [&](TextSink& out) { WriteStageAse(out, env, *layout); });
}

}  // namespace zav
