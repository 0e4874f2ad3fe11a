#include "console/run_console.h"

#include <optional>

#include "ase/export_frame.h"
#include "console/file_image.h"
#include "console/signature.h"

namespace zav {

namespace {

constexpr std::string_view kRule = "------------------------";
constexpr std::string_view kTooLong = "Answer is longer than 255 characters, please enter a shorter one";

// One answer of the dialogue; nothing when the input is exhausted.
std::optional<std::string> Ask(Console& console, std::string_view prompt) {
  for (;;) {
    console.Write(prompt);
    std::string word;
    if (!console.ReadWord(word)) return std::nullopt;
    if (word.size() > kMaxAnswerLength) {
      console.Line(kTooLong);
      continue;
    }
    return word;
  }
}

void WriteLoadFailure(Console& console, const LoadedFile& loaded, const std::string& path) {
  switch (loaded.status) {
    case LoadStatus::CannotOpen:
      console.Fault("File does not exist or could not be opened for reading");
      console.Line("");
      break;
    case LoadStatus::Empty:
      console.Fault("File is empty");
      break;
    case LoadStatus::CannotAllocate:
      console.Fault("Could not allocate " + std::to_string(loaded.size) + " bytes of memory");
      break;
    case LoadStatus::CannotRead:
      console.Fault("Could not read " + std::to_string(loaded.size) + " bytes of " + path);
      break;
    case LoadStatus::Loaded:
      break;
  }
}

}  // namespace

std::string CompanionPath(std::string_view inputPath) {
  if (inputPath.empty() || inputPath.back() == 'b') return {};
  std::string path(inputPath);
  path.back() = 'b';
  return path;
}

ConvertOutcome ConvertFile(ExportEnv& env, ConvertMode mode) {
  Console& console = env.console;
  const uint64_t faultsBefore = console.faultCount();
  console.Line("Opening " + env.inputPath + " for reading...");
  const LoadedFile input = LoadFileImage(env.files, env.inputPath);
  if (input.status != LoadStatus::Loaded) {
    WriteLoadFailure(console, input, env.inputPath);
    return ConvertOutcome::Incomplete;
  }
  const ByteView image = input.image.view();
  const std::string_view signature = SignatureOf(image);
  const std::string_view starting =
      mode == ConvertMode::Interactive ? " recognized, export starting in 1 second..." : " recognized, export starting...";
  switch (RecognizeSignature(signature)) {
    case FileKind::Stage:
      console.Line("STAGE" + std::string(starting));
      env.pause(1000);
      ExportStage(env, image);
      break;
    case FileKind::Model: {
      console.Line("MODEL" + std::string(starting));
      env.pause(1000);
      // A companion that cannot be opened or read whole counts as absent;
      // nothing is said about it either way.
      LoadedFile companion;
      const std::string companionPath = CompanionPath(env.inputPath);
      if (!companionPath.empty()) companion = LoadFileImage(env.files, companionPath);
      std::optional<ByteView> bone;
      if (companion.status == LoadStatus::Loaded) bone = companion.image.view();
      ExportModel(env, image, bone);
      break;
    }
    case FileKind::Unknown:
      console.Fault("Header '" + std::string(signature) + "' unrecognized");
      break;
  }
  return console.faultCount() == faultsBefore ? ConvertOutcome::Converted : ConvertOutcome::Incomplete;
}

int RunConsole(Console& console, FileSystem& files, const Pause& pause) {
  NameCounters counters;
  console.Line("ZAV Reader Version 0.900");
  console.Line("     zavreader team     ");
  console.Line(kRule);
  console.Line("");
  const std::string texturePrompt =
      "Absolute path to texture dir (/ '-' = " + std::string(kDefaultTextureDirectory) + "): ";
  for (;;) {
    std::optional<std::string> file = Ask(console, "File to read (/ 'q' = quit): ");
    if (!file || *file == "q") break;
    std::optional<std::string> directory;
    for (;;) {
      directory = Ask(console, texturePrompt);
      if (!directory) break;
      if (directory->front() == '-') {
        directory = std::string(kDefaultTextureDirectory);
        break;
      }
      if (directory->back() == '\\') break;
      console.Line("Path must end with \\");
    }
    if (!directory) break;

    console.Line("");
    console.Line("File: " + *file);
    console.Line("Texture directory: " + *directory);
    console.Line("");
    ExportEnv env{console, files, pause, counters, *file, *directory};
    ConvertFile(env, ConvertMode::Interactive);
  }
  console.Line("");
  console.Line(kRule);
  pause(500);
  return 0;
}

}  // namespace zav
