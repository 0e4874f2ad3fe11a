#include "model/tm_animation.h"

#include "model/axis_angle.h"
#include "model/fixed_point.h"

namespace zav {

namespace {

// Each track is one text buffer: its opening line, one sample per key, "}".
void ComposeRotationTrack(TextSink& track, const ObjectRecord& record) {
  track.Literal(2, "*CONTROL_ROT_TRACK {");
  for (uint32_t i = 0; i < record.rotKeyCount(); ++i) {
    const RotKey key = record.rotKey(i);
    const AxisAngle rotation = QuaternionToAxisAngle(key.x, key.y, key.z, key.w);
    track.Line(3).Text("*CONTROL_ROT_SAMPLE ").Int(key.time).Tab().Float(rotation.axis[0]).Tab()
        .Float(rotation.axis[1]).Tab().Float(rotation.axis[2]).Tab().Float(rotation.angle).End();
  }
  track.Literal(2, "}");
}

void ComposePositionTrack(TextSink& track, const ObjectRecord& record) {
  track.Literal(2, "*CONTROL_POS_TRACK {");
  for (uint32_t i = 0; i < record.posKeyCount(); ++i) {
    const PosKey key = record.posKey(i);
    track.Line(3).Text("*CONTROL_POS_SAMPLE ").Int(key.time).Tab().Float(key.x).Tab().Float(key.y).Tab()
        .Float(key.z).End();
  }
  track.Literal(2, "}");
}

void ComposeScaleTrack(TextSink& track, const ObjectRecord& record) {
  track.Literal(2, "*CONTROL_SCALE_TRACK {");
  for (uint32_t i = 0; i < record.scaleKeyCount(); ++i) {
    const ScaleKey key = record.scaleKey(i);
    track.Line(3).Text("*CONTROL_SCALE_SAMPLE ").Int(key.time).Tab().Float(FixedToFloat(key.x)).Tab()
        .Float(FixedToFloat(key.y)).Tab().Float(FixedToFloat(key.z)).End();
  }
  track.Literal(2, "}");
}

}  // namespace

void WriteTmAnimation(TextSink& out, std::string_view nodeName, const ObjectRecord& record,
                      LastKeyTracker* tracker) {
  const uint32_t rotCount = record.rotKeyCount(), posCount = record.posKeyCount(),
                 scaleCount = record.scaleKeyCount();
  if (rotCount == 0 && posCount == 0 && scaleCount == 0) return;
  TextSink rotation, position, scale;
  if (rotCount > 0) {
    ComposeRotationTrack(rotation, record);
    if (tracker != nullptr) tracker->Report(record.rotKey(rotCount - 1).time);
  }
  if (posCount > 0) {
    ComposePositionTrack(position, record);
    if (tracker != nullptr) tracker->Report(record.posKey(posCount - 1).time);
  }
  if (scaleCount > 0) {
    ComposeScaleTrack(scale, record);
    if (tracker != nullptr) tracker->Report(record.scaleKey(scaleCount - 1).time);
  }
  out.Literal(1, "*TM_ANIMATION {");
  out.Line(2).Text("*NODE_NAME ").Quoted(nodeName).End();
  out.Append(position);
  out.Append(rotation);
  out.Append(scale);
  out.Literal(1, "}");
}

int32_t ComputeSceneLastFrame(const ModelFileView& model, std::optional<int32_t> boneResult) {
  if (boneResult) return *boneResult;
  const int32_t count = model.objectCount();
  std::optional<uint64_t> cursor = model.firstRecordOffset();
  for (int32_t i = 0; cursor && i < count; ++i) {
    const std::optional<ObjectRecord> record = model.RecordAt(*cursor);
    if (!record || !record->complete()) break;
    std::optional<int32_t> lastKeyTime;
    if (record->rotKeyCount() > 0) {
      lastKeyTime = record->rotKey(record->rotKeyCount() - 1).time;
    } else if (record->posKeyCount() > 0) {
      lastKeyTime = record->posKey(record->posKeyCount() - 1).time;
    } else if (record->scaleKeyCount() > 0) {
      lastKeyTime = record->scaleKey(record->scaleKeyCount() - 1).time;
    }
    if (lastKeyTime) return *lastKeyTime / kTicksPerFrame;
    cursor = record->nextRecordOffset();
  }
  return 100;
}

}  // namespace zav
