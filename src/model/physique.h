#pragma once
// Skinned objects: each vertex follows the bone named in its BoneNameEntry.
// The bone's mesh matrix serves that vertex, and the "*PHYSIQUE {" block
// assigns every vertex rigidly to its bone.
#include <string_view>

#include "ase/text_sink.h"
#include "formats/model_file.h"
#include "model/record_maps.h"
#include "platform/console.h"

namespace zav {

// The bone record whose meshTm (the matbuf) serves a vertex following
// `boneName`. None when no bone has that exact name; the console is then
// told, and the caller ends the object's vertex list.
const ObjectRecord* SelectMatbuf(const BoneNameMap& bones, std::string_view boneName, Console& console);

// Writes the skin block of a skinned record: one assignment per vertex, with
// the bone name as stored, found or not.
void WritePhysique(TextSink& out, const ObjectRecord& record);

}  // namespace zav
