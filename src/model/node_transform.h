#pragma once
// The NODE_TM block of a geometry object and the factor by which its rows are
// scaled for the parent's scale.
#include <cstdint>

#include "ase/text_sink.h"
#include "formats/model_file.h"

namespace zav {

// k in 24.8 units: the mean of the parent's three raw scale values (of the
// record's own when no parent was found), truncated toward zero; 0 becomes
// 256, and a skinned record always has 256.
int64_t ParentScaleFactor(const ObjectRecord& record, const ObjectRecord* parent);

// Writes "*NODE_TM {" … "}" at depth 1: rows 0 to 2 scaled by k, row 3,
// position, rotation axis and angle, scale.
void WriteNodeTm(TextSink& out, const ObjectRecord& record, int64_t parentScaleFactor);

}  // namespace zav
