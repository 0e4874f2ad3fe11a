// Fuzz target: the whole console dialogue fed arbitrary standard input, over
// an in-memory folder that holds a small model with its bone file, a stage,
// an empty file and a file of another kind. No pauses.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "console/run_console.h"
#include "fixtures/samples.h"
#include "platform/console.h"
#include "support/memory_files.h"

namespace {

const zav::testing::MemoryFileSystem& Folder() {
  static const zav::testing::MemoryFileSystem folder = [] {
    zav::testing::MemoryFileSystem files;
    files.Add("a.dat", zav::fixtures::BuildModel(zav::fixtures::SampleFigure()));
    files.Add("a.dab", zav::fixtures::BuildModel(zav::fixtures::SampleFigureBones()));
    files.Add("s.stg", zav::fixtures::BuildStage(zav::fixtures::SampleStage(3, 2, 3)));
    files.Add("e.dat", {});
    files.Add("t.txt", {'h', 'i'});
    return files;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zav::testing::MemoryFileSystem files = Folder();
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::ostringstream out;
  zav::StreamConsole console(in, out);
  zav::RunConsole(console, files, zav::NoPause);
  return 0;
}
