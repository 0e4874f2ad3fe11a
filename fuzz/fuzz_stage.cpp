// Fuzz target: a stage image converted by the real stage export into an
// in-memory output, without pauses.
//
// The 262904-byte header of a stage is almost all reserved, so the input
// carries only what is read: 4 bytes for the material count (offset 28),
// 152 bytes for the header fields from offset 262752 on, then everything
// after the header. The image is rebuilt around them with zero bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <vector>

#include "ase/export_frame.h"
#include "formats/byte_view.h"
#include "platform/console.h"
#include "support/memory_files.h"

namespace {
constexpr size_t kHeaderSize = 262904;
constexpr size_t kFieldsAt = 262752;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> image(kHeaderSize, 0);
  const size_t count = std::min<size_t>(size, 4);
  std::memcpy(image.data() + 28, data, count);
  if (size > 4) std::memcpy(image.data() + kFieldsAt, data + 4, std::min<size_t>(size - 4, kHeaderSize - kFieldsAt));
  if (size > 4 + (kHeaderSize - kFieldsAt)) {
    image.insert(image.end(), data + 4 + (kHeaderSize - kFieldsAt), data + size);
  }
  // The image is exactly as large as the file would be: a file that ends
  // inside the header is cut there.
  const size_t imageSize = size <= 4 ? 32 : (size <= 4 + (kHeaderSize - kFieldsAt) ? kFieldsAt + size - 4 : image.size());

  zav::testing::MemoryFileSystem files;
  std::istringstream in;
  std::ostringstream out;
  zav::StreamConsole console(in, out);
  zav::NameCounters counters;
  zav::ExportEnv env{console, files, zav::NoPause, counters, "s.stg", "C:\\textures\\"};
  zav::ExportStage(env, zav::ByteView(image.data(), imageSize));
  return 0;
}
