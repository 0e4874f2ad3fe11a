#include "model/model_objects.h"

#include <string>

#include "model/geom_object.h"

namespace zav {

void WriteModelObjects(TextSink& out, Console& console, const ModelFileView& model, const BoneNameMap& bones,
                       const TextSink* boneText) {
  const int32_t count = model.objectCount();
  console.Line("Objects: " + std::to_string(count));
  const std::optional<uint64_t> first = model.firstRecordOffset();
  if (!first && count > 0) {
    console.Fault("Objects cannot be located: the material block runs past the end of the file! Must exit!");
  }
  ObjectNameMap objects;
  const GeomObjectOptions options = ModelObjectOptions(objects, bones);
  uint64_t cursor = first.value_or(0);
  for (int32_t i = 0; first && i < count; ++i) {
    const int64_t number = static_cast<int64_t>(i) + 1;
    const std::optional<ObjectRecord> record = model.RecordAt(cursor);
    if (!record) {
      console.Fault(RecordOutsideLine("Object", number, cursor, ObjectRecord::kFixedSize, model.image().size()));
      break;
    }
    if (!record->hasValidTag()) {
      console.Fault("Object " + std::to_string(number) + " header is invalid! Must exit!");
      break;
    }
    if (!record->complete()) {
      console.Fault(RecordOutsideLine("Object", number, cursor, record->recordSize(), model.image().size()));
      break;
    }
    console.Line("Object " + std::string(record->name()) + "...");
    InsertFirst(objects, *record);
    WriteGeomObject(out, console, *record, options);
    cursor = record->nextRecordOffset();
  }
  console.Line("Objects done!");
  if (boneText != nullptr) out.Append(*boneText);
}

}  // namespace zav
