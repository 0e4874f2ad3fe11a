#include "model/geom_object.h"

#include <optional>
#include <string>

#include "model/node_transform.h"
#include "model/physique.h"
#include "model/vertex_transform.h"

namespace zav {

GeomObjectOptions ModelObjectOptions(const ObjectNameMap& objects, const BoneNameMap& bones) {
  return GeomObjectOptions{"Object", &objects, &bones, true, nullptr};
}

GeomObjectOptions BoneObjectOptions(const BoneNameMap& bones, LastKeyTracker& tracker) {
  return GeomObjectOptions{"Bone", &bones, nullptr, false, &tracker};
}

namespace {

bool IsSkinned(const ObjectRecord& record, const GeomObjectOptions& options) {
  return options.skinBones != nullptr && record.physiqueFlag() != 0;
}

// The vertex lines, each through the inverse of its mesh matrix. A skinned
// record's list ends before the first vertex whose bone is missing.
void WriteVertexList(TextSink& out, Console& console, const ObjectRecord& record, const GeomObjectOptions& options) {
  const uint32_t count = record.vertexCount();
  out.Literal(2, "*MESH_VERTEX_LIST {");
  const bool skinned = IsSkinned(record, options);
  std::optional<MeshInverse> own;
  if (!skinned) own.emplace(record);
  bool singularReported = false;
  for (uint32_t i = 0; i < count; ++i) {
    std::optional<MeshInverse> boneInverse;
    if (skinned) {
      const ObjectRecord* bone = SelectMatbuf(*options.skinBones, record.boneName(i), console);
      if (bone == nullptr) break;
      boneInverse.emplace(*bone);
    }
    const MeshInverse& inverse = skinned ? *boneInverse : *own;
    if (!inverse.invertible() && !singularReported) {
      singularReported = true;
      std::string line = std::string(options.label) + " " + std::string(record.name()) + ": mesh matrix ";
      if (skinned) line += "of bone " + std::string(record.boneName(i)) + " ";
      console.Fault(line + "cannot be inverted, vertices written untransformed");
    }
    const std::array<float, 3> p = inverse.Apply(record.vertex(i));
    out.Line(3).Text("*MESH_VERTEX").Width10(i).Tab().Float(p[0]).Tab().Float(p[1]).Tab().Float(p[2]).End();
  }
  out.Literal(2, "}");
}

void WriteFaceList(TextSink& out, const ObjectRecord& record) {
  out.Literal(2, "*MESH_FACE_LIST {");
  for (uint32_t j = 0; j < record.faceCount(); ++j) {
    const FaceRecord face = record.face(j);
    out.Line(3).Text("*MESH_FACE").Width10(j).Text(":    A:").Width10(face.a).Text(" B:").Width10(face.b)
        .Text(" C:").Width10(face.c).Text(" AB:    1 BC:    1 CA:    1\t *MESH_SMOOTHING 1 ").Tab()
        .Text("*MESH_MTLID ").Int(face.materialId).End();
  }
  out.Literal(2, "}");
}

// Both texture lists in one pass: texture face k uses its own three texture
// vertices 3k, 3k + 1 and 3k + 2, with v flipped to 1 - v.
void WriteTextureLists(TextSink& out, const ObjectRecord& record) {
  const uint32_t count = record.texCoordCount();
  out.Line(2).Text("*MESH_NUMTVERTEX ").Uint(3 * static_cast<uint64_t>(count)).End();
  if (count == 0) return;
  TextSink vertices, faces;
  for (uint32_t k = 0; k < count; ++k) {
    const uint64_t first = 3 * static_cast<uint64_t>(k);
    faces.Line(3).Text("*MESH_TFACE ").Uint(k).Tab().Uint(first).Tab().Uint(first + 1).Tab().Uint(first + 2).End();
    const TexCoordRecord t = record.texCoord(k);
    for (int n = 0; n < 3; ++n) {
      const float flippedV = 1.0f - t.v[n];
      vertices.Line(3).Text("*MESH_TVERT ").Uint(first + static_cast<uint64_t>(n)).Tab().Float(t.u[n]).Tab()
          .Float(flippedV).Tab().Text("0.0000").End();
    }
  }
  out.Block(2, "*MESH_TVERTLIST {", vertices);
  out.Line(2).Text("*MESH_NUMTVFACES ").Uint(count).End();
  out.Block(2, "*MESH_TFACELIST {", faces);
}

}  // namespace

void WriteGeomObject(TextSink& out, Console& console, const ObjectRecord& record, const GeomObjectOptions& options) {
  const std::string_view parentName = record.parentName();
  const ObjectRecord* parent =
      parentName.empty() || options.parents == nullptr ? nullptr : FindRecord(*options.parents, parentName);

  out.Literal(0, "*GEOMOBJECT {");
  out.Line(1).Text("*NODE_NAME ").Quoted(record.name()).End();
  if (!parentName.empty()) out.Line(1).Text("*NODE_PARENT ").Quoted(parentName).End();
  WriteNodeTm(out, record, ParentScaleFactor(record, parent));

  out.Literal(1, "*MESH {");
  out.Literal(2, "*TIMEVALUE 0");
  out.Line(2).Text("*MESH_NUMVERTEX ").Uint(record.vertexCount()).End();
  out.Line(2).Text("*MESH_NUMFACES ").Uint(record.faceCount()).End();
  if (record.vertexCount() > 0) WriteVertexList(out, console, record, options);
  if (record.faceCount() > 0) WriteFaceList(out, record);
  WriteTextureLists(out, record);
  out.Literal(1, "}");

  out.Literal(1, "*PROP_MOTIONBLUR 0");
  out.Literal(1, "*PROP_CASTSHADOW 1");
  out.Literal(1, "*PROP_RECVSHADOW 1");
  if (options.materialLines) {
    out.Literal(1, "*MATERIAL_REF 0");
    out.Literal(1, "*WIREFRAME_COLOR 0.4000\t0.1000\t0.7000");
  }
  WriteTmAnimation(out, record.name(), record, options.tracker);
  if (IsSkinned(record, options) && record.vertexCount() > 0) WritePhysique(out, record);
  out.Literal(0, "}");
}

}  // namespace zav
