#pragma once
// The key tracks of an object record (rotation, position and scale keys, times
// in ticks of 1/160 frame), their "*TM_ANIMATION {" block, and the last frame
// of the scene.
#include <cstdint>
#include <optional>
#include <string_view>

#include "ase/text_sink.h"
#include "formats/model_file.h"

namespace zav {

inline constexpr int32_t kTicksPerFrame = 160;

// Keeps the first nonzero last-key time reported to it; the bone export
// derives the scene's last frame from it. A last key at time 0 leaves it at 0.
struct LastKeyTracker {
  int32_t lastKeyTime = 0;
  void Report(int32_t time) {
    if (lastKeyTime == 0) lastKeyTime = time;
  }
};

// Writes the animation block of `record` under `nodeName`, or nothing when
// it has no keys. The position track comes first, then rotation, then scale;
// `tracker` (when given) is told the time of each written track's last key,
// in the order rotation, position, scale.
void WriteTmAnimation(TextSink& out, std::string_view nodeName, const ObjectRecord& record,
                      LastKeyTracker* tracker);

// The frame written after "*SCENE_LASTFRAME ": the bone result when a bone
// file was loaded; otherwise the last key time of the first record that has
// keys (its rotation track, else position, else scale) in frames, truncated
// toward zero, or 100 when no record has keys. The scan stops quietly at a
// record that does not fit in the image.
int32_t ComputeSceneLastFrame(const ModelFileView& model, std::optional<int32_t> boneResult);

}  // namespace zav
