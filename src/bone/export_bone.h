#pragma once
// The companion bone file of a model: every bone becomes a geometry object in
// the bone text, its name goes into the BoneNameMap through which skinned
// vertices find their bones, and its keys decide the scene's last frame.
#include <cstdint>

#include "ase/text_sink.h"
#include "formats/byte_view.h"
#include "model/record_maps.h"
#include "platform/console.h"

namespace zav {

// Checks and walks the bone image, appending the bone objects to `boneText`
// and their names to `bones` (the first of equal names stays). Returns the
// last frame: the first nonzero last-key time over the bones' tracks, in
// frames, truncated toward zero; 0 when the file is rejected.
int32_t ExportBone(Console& console, ByteView boneImage, TextSink& boneText, BoneNameMap& bones);

}  // namespace zav
