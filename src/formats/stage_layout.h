#pragma once
// The layout of a stage file.
#include <optional>

#include "formats/byte_view.h"
#include "platform/console.h"

namespace zav {

struct StageLayout {
  ByteView image;
};

// Locates every structure of a stage image; reports on the console and gives
// nothing when the image cannot hold them.
std::optional<StageLayout> LocateStage(ByteView image, Console& console);

}  // namespace zav
