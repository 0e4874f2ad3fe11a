#pragma once
// Maps from a record's name to the record: model objects find their parents
// through an ObjectNameMap, skinned vertices and bones find their bones
// through the BoneNameMap. Keys are the names as they stand in the file image
// (compared byte by byte, case-sensitively), so the image must outlive the
// map. A name that is already present keeps its first record.
#include <functional>
#include <map>
#include <string_view>

#include "formats/model_file.h"

namespace zav {

using RecordNameMap = std::map<std::string_view, ObjectRecord, std::less<>>;
using ObjectNameMap = RecordNameMap;
using BoneNameMap = RecordNameMap;

// Inserts `record` under its name unless the name is already present.
inline void InsertFirst(RecordNameMap& map, const ObjectRecord& record) { map.emplace(record.name(), record); }

// The record of that name, or none.
inline const ObjectRecord* FindRecord(const RecordNameMap& map, std::string_view name) {
  const auto found = map.find(name);
  return found == map.end() ? nullptr : &found->second;
}

}  // namespace zav
