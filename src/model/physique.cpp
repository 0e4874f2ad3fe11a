#include "model/physique.h"

#include <string>

namespace zav {

const ObjectRecord* SelectMatbuf(const BoneNameMap& bones, std::string_view boneName, Console& console) {
  const ObjectRecord* bone = FindRecord(bones, boneName);
  if (bone == nullptr) console.Fault("Error matbuf is NULL for BoneName " + std::string(boneName) + "! Must exit!");
  return bone;
}

void WritePhysique(TextSink& out, const ObjectRecord& record) {
  const uint32_t count = record.vertexCount();
  out.Literal(1, "*PHYSIQUE {");
  out.Line(2).Text("*PHYSIQUE_NUMVERTEXASSIGNMENT  ").Uint(count).End();
  for (uint32_t i = 0; i < count; ++i) {
    out.Line(2).Text("*PHYSIQUE_VERTEXASSIGNMENT_NONBLENDED_RIGIDTYPE ").Uint(i).Tab().Quoted(record.boneName(i)).End();
  }
  out.Literal(1, "}");
}

}  // namespace zav
