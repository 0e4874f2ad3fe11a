// Fuzz target: a model image with an optional bone image, converted by the
// real model export into an in-memory output, without pauses.
//
// Input: 4 bytes (little-endian) giving the length L of the model image, the
// model image (at most L bytes), then the bone image if any bytes remain.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>

#include "ase/export_frame.h"
#include "formats/byte_view.h"
#include "platform/console.h"
#include "support/memory_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const size_t declared = static_cast<size_t>(data[0]) | static_cast<size_t>(data[1]) << 8 |
                          static_cast<size_t>(data[2]) << 16 | static_cast<size_t>(data[3]) << 24;
  const size_t modelSize = declared < size - 4 ? declared : size - 4;
  const zav::ByteView model(data + 4, modelSize);
  std::optional<zav::ByteView> bone;
  if (4 + modelSize < size) bone = zav::ByteView(data + 4 + modelSize, size - 4 - modelSize);

  zav::testing::MemoryFileSystem files;
  std::istringstream in;
  std::ostringstream out;
  zav::StreamConsole console(in, out);
  zav::NameCounters counters;
  zav::ExportEnv env{console, files, zav::NoPause, counters, "m.dat", "C:\\textures\\"};
  zav::ExportModel(env, model, bone);
  return 0;
}
