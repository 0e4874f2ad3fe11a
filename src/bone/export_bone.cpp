#include "bone/export_bone.h"

#include <string>

#include "formats/model_file.h"
#include "model/geom_object.h"
#include "model/tm_animation.h"

namespace zav {

int32_t ExportBone(Console& console, ByteView boneImage, TextSink& boneText, BoneNameMap& bones) {
  const ModelFileView file(boneImage);
  if (file.materialCount() != 0) {
    console.Fault("Error ExportBone noticed bone file has material, bone file never has material! Must exit!");
    return 0;
  }
  const int32_t count = file.objectCount();
  if (count <= 0) {
    console.Fault("Error ExportBone noticed bone file has no objects, invalid bone file! Must exit!");
    return 0;
  }
  console.Line("Bones: " + std::to_string(count));
  LastKeyTracker tracker;
  // One map serves the parent lookups and the skinned vertices: both receive
  // the same insertions, starting empty.
  const GeomObjectOptions options = BoneObjectOptions(bones, tracker);
  uint64_t cursor = file.directoryEnd();
  for (int32_t i = 0; i < count; ++i) {
    const int64_t number = static_cast<int64_t>(i) + 1;
    const std::optional<ObjectRecord> record = file.RecordAt(cursor);
    if (!record) {
      console.Fault(RecordOutsideLine("Bone Object", number, cursor, ObjectRecord::kFixedSize, boneImage.size()));
      break;
    }
    if (!record->hasValidTag()) {
      console.Fault("Bone Object " + std::to_string(number) + " header is invalid! Must exit!");
      break;
    }
    if (record->physiqueFlag() != 0) {
      console.Fault("Bone has physique, but bone cannot have that! Something is wrong!!! Must exit!");
      break;
    }
    if (!record->complete()) {
      console.Fault(RecordOutsideLine("Bone Object", number, cursor, record->recordSize(), boneImage.size()));
      break;
    }
    console.Line("Bone " + std::string(record->name()) + "...");
    InsertFirst(bones, *record);
    WriteGeomObject(boneText, console, *record, options);
    cursor = record->nextRecordOffset();
  }
  const int32_t lastFrame = tracker.lastKeyTime / kTicksPerFrame;
  console.Line("Bones done! (last frame: " + std::to_string(lastFrame) + ")");
  return lastFrame;
}

}  // namespace zav
