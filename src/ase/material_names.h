#pragma once
// The generated names of a material list: material names from the use flags
// and blend type, numbered file-name patterns of texture sequences, map names
// from a stage's blend operation and form, and bitmap paths in the texture
// directory. Every result is at most 255 characters; text beyond is cut.
#include <cstdint>
#include <string>
#include <string_view>

#include "ase/export_env.h"
#include "formats/material_record.h"

namespace zav {

// Longest generated name or path.
inline constexpr size_t kMaxGeneratedName = 255;

// The use-flag names of `useFlags`, then the blend-type name; for a record
// with texture stages and a sequence flag, that flag's name and the sequence
// pattern of its first texture instead. With no name at all, "N - Default"
// after raising the default-name counter.
std::string MakeMaterialName(const MaterialRecordView& record, NameCounters& counters);

// The file name of a numbered texture sequence, "water_%d.bmp" for
// C:\tex\water_01.bmp; empty when the path has no backslash or its file name
// lacks a dot or an underscore.
std::string MakeSequencePattern(std::string_view texturePath);

// The stage-blend and form names of stage `stage` (stages from 8 on have no
// such fields); with neither, "Map #N" after raising the map-name counter.
std::string MakeMapName(const MaterialRecordView& record, int stage, NameCounters& counters);

// `textureDirectory` followed by the file name of entry `entry` of the
// record's texture name list; empty when the list is empty or the name has no
// backslash with text after it.
std::string MakeBitmapPath(const MaterialRecordView& record, int64_t entry, std::string_view textureDirectory);

// The same for a texture name already taken from the list.
std::string MakeBitmapPathOf(std::string_view textureName, std::string_view textureDirectory);

}  // namespace zav
