#pragma once
// What an export needs from the run that started it.
#include <cstdint>
#include <string>

#include "platform/console.h"
#include "platform/files.h"
#include "platform/pause.h"

namespace zav {

// The two counters of generated material and map names. They run on across
// every export of one process and are never reset.
struct NameCounters {
  int32_t defaultName = 0;  // DefaultNameCounter: "N - Default"
  int32_t mapName = 0;      // MapNameCounter: "Map #N"
};

struct ExportEnv {
  Console& console;
  FileSystem& files;
  Pause pause;
  NameCounters& counters;
  std::string inputPath;         // InputPath, at most 255 characters
  std::string textureDirectory;  // TextureDirectory, ends with a backslash
};

}  // namespace zav
