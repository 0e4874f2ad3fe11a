#include "stage/stage_mesh.h"

#include <array>
#include <string>
#include <vector>

#include "stage/face_normal.h"
#include "stage/vertex_colour.h"

namespace zav {

namespace {

constexpr int kPauseMs = 500;
constexpr double kFixedPointUnit = 1.0 / 256;  // 24.8 to a number

// What the mesh writer gathers per vertex.
struct VertexWork {
  std::array<int64_t, 3> normalSum{};
  int64_t cornerCount = 0;
  std::array<double, 3> colour{};
  int64_t colourVertex = -1;  // no colour vertex yet
};

void WriteNodeHeader(TextSink& out) {
  out.Literal(0, "*GEOMOBJECT {");
  out.Line(1).Text("*NODE_NAME ").Quoted("Object").End();
  out.Literal(1, "*NODE_TM {");
  out.Line(2).Text("*NODE_NAME ").Quoted("Object").End();
  out.Literal(2, "*INHERIT_POS 0 0 0");
  out.Literal(2, "*INHERIT_ROT 0 0 0");
  out.Literal(2, "*INHERIT_SCL 0 0 0");
  out.Literal(2, "*TM_ROW0 1.0000\t0.0000\t0.0000");
  out.Literal(2, "*TM_ROW1 0.0000\t1.0000\t0.0000");
  out.Literal(2, "*TM_ROW2 0.0000\t0.0000\t1.0000");
  out.Literal(2, "*TM_ROW3 0.0000\t0.0000\t0.0000");
  out.Literal(2, "*TM_POS 0.0000\t0.0000\t0.0000");
  out.Literal(2, "*TM_ROTAXIS 0.0000\t0.0000\t0.0000");
  out.Literal(2, "*TM_ROTANGLE 0.0000");
  out.Literal(2, "*TM_SCALE 1.0000\t1.0000\t1.0000");
  out.Literal(2, "*TM_SCALEAXIS 0.0000\t0.0000\t0.0000");
  out.Literal(2, "*TM_SCALEAXISANG 0.0000");
  out.Literal(1, "}");
}

void WriteObjectProperties(TextSink& out) {
  out.Literal(1, "*PROP_MOTIONBLUR 0");
  out.Literal(1, "*PROP_CASTSHADOW 1");
  out.Literal(1, "*PROP_RECVSHADOW 1");
  out.Literal(1, "*MATERIAL_REF 0");
  out.Literal(1, "*WIREFRAME_COLOR 0.4000\t0.1000\t0.7000");
  out.Literal(0, "}");
}

// The point of a vertex for the face normals: each 24.8 coordinate shifted
// down to whole units (rounding toward minus infinity).
IntPoint ShadePoint(const StageVertexView& vertex) {
  return IntPoint{vertex.x() >> 8, vertex.y() >> 8, vertex.z() >> 8};
}

// Adds each face's normal to its three corners' vertices.
void ShadeFaces(const StageLayout& layout, std::vector<VertexWork>& work) {
  for (int64_t f = 0; f < layout.faces(); ++f) {
    const StageFaceView face = layout.face(f);
    const IntNormal n = FaceNormal(ShadePoint(layout.vertex(face.a())), ShadePoint(layout.vertex(face.b())),
                                   ShadePoint(layout.vertex(face.c())));
    for (int corner = 0; corner < 3; ++corner) {
      VertexWork& vertex = work[face.corner(corner)];
      ++vertex.cornerCount;
      for (size_t k = 0; k < 3; ++k) vertex.normalSum[k] += n[k];
    }
  }
}

void WriteVertices(TextSink& out, const StageLayout& layout, std::vector<VertexWork>& work) {
  const ShadeParameters shade{layout.shadeDivisor, layout.shadeBase, layout.shadeVector};
  for (int64_t i = 0; i < layout.vertices(); ++i) {
    const StageVertexView vertex = layout.vertex(i);
    VertexWork& w = work[static_cast<size_t>(i)];
    const int64_t b = ShadeLevel(w.normalSum, w.cornerCount, shade);
    // The levels are kept in the order colour[2], colour[1], colour[0].
    for (int level = 0; level < 3; ++level) {
      w.colour[static_cast<size_t>(level)] = ColourLevel(b, vertex.colour(2 - level));
    }
    out.Line(3).Text("*MESH_VERTEX").Width10(i).Tab().Float(vertex.x() * kFixedPointUnit).Tab();
    out.Float(vertex.z() * kFixedPointUnit).Tab().Float(vertex.y() * kFixedPointUnit).End();
  }
}

void WriteFaces(TextSink& out, const StageLayout& layout) {
  for (int64_t j = 0; j < layout.faces(); ++j) {
    const StageFaceView face = layout.face(j);
    out.Line(3).Text("*MESH_FACE").Width10(j).Text(":    A:").Width10(face.a()).Text(" B:").Width10(face.b());
    out.Text(" C:").Width10(face.c()).Text(" AB:    1 BC:    1 CA:    1\t *MESH_SMOOTHING 1 ").Tab();
    out.Text("*MESH_MTLID ").Int(face.materialId()).End();
  }
}

// Fills the texture-vertex and texture-face buffers: three texture vertices
// and one texture face per face. A textured face takes the next first-layer
// link, stepping over the further layers of the face before; an untextured
// face, or a textured one for which no first-layer link remains, gets the
// fixed values 0, -0 and 1.
void BuildTextureLists(const StageLayout& layout, TextSink& tvertices, TextSink& tfaces) {
  int64_t cursor = 0;
  for (int64_t f = 0; f < layout.faces(); ++f) {
    const int64_t first = 3 * f;
    bool linked = false;
    if (layout.face(f).textured() != 0) {
      while (cursor < layout.textureLinks() && layout.textureLink(cursor).extraLayer() != 0) ++cursor;
      if (cursor < layout.textureLinks()) {
        const TextureLinkView link = layout.textureLink(cursor++);
        for (int i = 0; i < 3; ++i) {
          const float u = link.u(i);
          const float v = -link.v(i);
          tvertices.Line(3).Text("*MESH_TVERT ").Int(first + i).Tab().Float(u).Tab().Float(v).Tab();
          tvertices.Text("1.0000").End();
        }
        linked = true;
      }
    }
    if (!linked) {
      for (int i = 0; i < 3; ++i) {
        tvertices.Line(3).Text("*MESH_TVERT ").Int(first + i).Text("\t0.0000\t-0.0000\t1.0000").End();
      }
    }
    tfaces.Line(3).Text("*MESH_TFACE ").Int(f).Tab().Int(first).Tab().Int(first + 1).Tab().Int(first + 2).End();
  }
}

// Fills the colour-vertex and colour-face buffers: colour vertices are
// numbered in the order the faces first use them. Returns their number.
int64_t BuildColourLists(const StageLayout& layout, std::vector<VertexWork>& work, TextSink& cvertices,
                         TextSink& cfaces) {
  int64_t count = 0;
  for (int64_t j = 0; j < layout.faces(); ++j) {
    const StageFaceView face = layout.face(j);
    cfaces.Line(3).Text("*MESH_CFACE ").Int(j);
    for (int corner = 0; corner < 3; ++corner) {
      VertexWork& vertex = work[face.corner(corner)];
      if (vertex.colourVertex < 0) {
        vertex.colourVertex = count++;
        cvertices.Line(3).Text("*MESH_VERTCOL ").Int(vertex.colourVertex);
        for (double level : vertex.colour) cvertices.Tab().Float(level);
        cvertices.End();
      }
      cfaces.Tab().Int(vertex.colourVertex);
    }
    cfaces.End();
  }
  return count;
}

}  // namespace

void WriteStageMesh(TextSink& out, Console& console, const Pause& pause, const StageLayout& layout) {
  WriteNodeHeader(out);
  out.Literal(1, "*MESH {");
  console.Line(layout.VertexReport());
  console.Line(layout.FaceReport());
  out.Literal(2, "*TIMEVALUE 0");
  out.Line(2).Text("*MESH_NUMVERTEX ").Int(layout.vertexCount).End();
  out.Line(2).Text("*MESH_NUMFACES ").Int(layout.faceCount).End();
  out.Literal(2, "*MESH_VERTEX_LIST {");

  // LocateStage placed the vertex array inside the image, so this is bounded
  // by the file size.
  std::vector<VertexWork> work(static_cast<size_t>(layout.vertices()));
  ShadeFaces(layout, work);
  pause(kPauseMs);
  WriteVertices(out, layout, work);
  out.Literal(2, "}");

  out.Literal(2, "*MESH_FACE_LIST {");
  pause(kPauseMs);
  WriteFaces(out, layout);
  out.Literal(2, "}");

  console.Line(layout.TextureLinkReport());
  pause(kPauseMs);
  TextSink tvertices;
  TextSink tfaces;
  BuildTextureLists(layout, tvertices, tfaces);
  out.Line(2).Text("*MESH_NUMTVERTEX ").Int(3 * static_cast<int64_t>(layout.faceCount)).End();
  out.Block(2, "*MESH_TVERTLIST {", tvertices);
  out.Line(2).Text("*MESH_NUMTVFACES ").Int(layout.faceCount).End();
  out.Block(2, "*MESH_TFACELIST {", tfaces);

  for (VertexWork& vertex : work) {
    if (vertex.cornerCount < 1) continue;
    for (double& level : vertex.colour) level = CorrectColourLevel(level, vertex.cornerCount);
  }

  console.Line("Vertex Color Faces: " + std::to_string(layout.faceCount));
  pause(kPauseMs);
  TextSink cvertices;
  TextSink cfaces;
  const int64_t colourVertexCount = BuildColourLists(layout, work, cvertices, cfaces);
  out.Line(2).Text("*MESH_NUMCVERTEX ").Int(colourVertexCount).End();
  out.Block(2, "*MESH_CVERTLIST {", cvertices);
  out.Line(2).Text("*MESH_NUMCVFACES ").Int(layout.faceCount).End();
  out.Block(2, "*MESH_CFACELIST {", cfaces);
  out.Literal(1, "}");

  WriteObjectProperties(out);
}

}  // namespace zav
