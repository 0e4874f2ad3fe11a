#pragma once
// The object section of a model export: one geometry object per record of
// the model file, in file order, then the bone objects.
#include "ase/text_sink.h"
#include "formats/model_file.h"
#include "model/record_maps.h"
#include "platform/console.h"

namespace zav {

// Walks the records with their console lines. The walk ends at a record with
// a wrong tag or one that does not fit in the image; the objects before it
// stay written. `boneText` is the bone objects' text when a bone file was
// loaded (null otherwise); it follows the last model object.
void WriteModelObjects(TextSink& out, Console& console, const ModelFileView& model, const BoneNameMap& bones,
                       const TextSink* boneText);

}  // namespace zav
