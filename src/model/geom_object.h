#pragma once
// The "*GEOMOBJECT {" block of one object record: node name and parent, node
// transform, mesh with vertices, faces and texture coordinates, properties,
// animation and, for a skinned model object, the skin block.
//
// Model objects and bones share this writer; what differs between them is
// the data in GeomObjectOptions.
#include <string_view>

#include "ase/text_sink.h"
#include "formats/model_file.h"
#include "model/record_maps.h"
#include "model/tm_animation.h"
#include "platform/console.h"

namespace zav {

struct GeomObjectOptions {
  // Names the record in console lines: "Object" or "Bone".
  std::string_view label;
  // Where parentName is looked up.
  const RecordNameMap* parents = nullptr;
  // The bones that the vertices of a skinned record follow; a skinned record
  // also gets the skin block. Null for bones: every vertex is written
  // through the record's own meshTm.
  const BoneNameMap* skinBones = nullptr;
  // Writes "*MATERIAL_REF 0" and "*WIREFRAME_COLOR 0.4000\t0.1000\t0.7000".
  bool materialLines = true;
  // Told the last key time of each animation track (bones only).
  LastKeyTracker* tracker = nullptr;
};

// A model object: parents among the model's objects, skinned vertices
// through `bones`.
GeomObjectOptions ModelObjectOptions(const ObjectNameMap& objects, const BoneNameMap& bones);
// A bone: parents among the bones, no material lines, keys reported to
// `tracker`.
GeomObjectOptions BoneObjectOptions(const BoneNameMap& bones, LastKeyTracker& tracker);

void WriteGeomObject(TextSink& out, Console& console, const ObjectRecord& record, const GeomObjectOptions& options);

}  // namespace zav
