#pragma once
// The layout of a stage file: the fixed header, the material records and the
// four arrays of vertices, faces, texture links and lights, whose positions
// follow from the stored counts and the sizes of the material records.
//
// LocateStage checks every structure against the file image once; the
// element views it hands out are then read plainly.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "formats/byte_view.h"
#include "formats/material_record.h"
#include "platform/console.h"

namespace zav {

// One 28-byte vertex: a 24.8 position and three colour levels.
class StageVertexView {
 public:
  explicit StageVertexView(ByteView bytes) : bytes_(bytes) {}
  int32_t x() const { return bytes_.I32(0); }
  int32_t y() const { return bytes_.I32(4); }
  int32_t z() const { return bytes_.I32(8); }
  // colour[0] at 12, colour[1] at 14, colour[2] at 16.
  uint16_t colour(int level) const { return bytes_.U16(12 + 2 * static_cast<size_t>(level)); }

 private:
  ByteView bytes_;
};

// One 28-byte face: three corner indices, the sub-material and the texture
// flag.
class StageFaceView {
 public:
  explicit StageFaceView(ByteView bytes) : bytes_(bytes) {}
  uint16_t a() const { return bytes_.U16(0); }
  uint16_t b() const { return bytes_.U16(2); }
  uint16_t c() const { return bytes_.U16(4); }
  uint16_t corner(int i) const { return bytes_.U16(2 * static_cast<size_t>(i)); }
  int16_t materialId() const { return bytes_.I16(6); }
  int32_t textured() const { return bytes_.I32(8); }

 private:
  ByteView bytes_;
};

// One 32-byte texture link: u and v of the three corners of a textured face.
class TextureLinkView {
 public:
  explicit TextureLinkView(ByteView bytes) : bytes_(bytes) {}
  float u(int corner) const { return bytes_.F32(4 * static_cast<size_t>(corner)); }
  float v(int corner) const { return bytes_.F32(12 + 4 * static_cast<size_t>(corner)); }
  // 0 for the link of the next textured face; otherwise a further layer of
  // the face before, which the mesh writer steps over.
  int32_t extraLayer() const { return bytes_.I32(28); }

 private:
  ByteView bytes_;
};

// One 28-byte point light.
class StageLightView {
 public:
  explicit StageLightView(ByteView bytes) : bytes_(bytes) {}
  uint16_t flags() const { return bytes_.U16(0); }
  int32_t x() const { return bytes_.I32(4); }
  int32_t y() const { return bytes_.I32(8); }
  int32_t z() const { return bytes_.I32(12); }
  uint16_t rangeMode() const { return bytes_.U16(18); }
  int16_t colour(int level) const { return bytes_.I16(20 + 2 * static_cast<size_t>(level)); }

 private:
  ByteView bytes_;
};

struct StageLayout {
  static constexpr uint64_t kHeaderSize = 262904;
  static constexpr uint64_t kFirstMaterialOffset = 262904;
  static constexpr int64_t kVertexSize = 28;
  static constexpr int64_t kFaceSize = 28;
  static constexpr int64_t kTextureLinkSize = 32;
  static constexpr int64_t kLightSize = 28;

  ByteView image;

  // Header fields.
  int32_t materialCount = 0;
  int32_t vertexCount = 0;
  int32_t faceCount = 0;
  int32_t textureLinkCount = 0;
  int32_t lightCount = 0;
  int32_t shadeDivisor = 0;
  int32_t shadeBase = 0;
  std::array<int32_t, 3> shadeVector{};

  // The material records (all of them lie inside the image).
  MaterialBlock materials;
  // M: the total size of the material records.
  int64_t materialSize = 0;

  // Start offsets of the four arrays. A count of 0 or less still moves the
  // arrays after it, by the same arithmetic as a positive one.
  int64_t vertexOffset = 0;
  int64_t faceOffset = 0;
  int64_t textureLinkOffset = 0;
  int64_t lightOffset = 0;

  // Element counts to walk: the stored count, or 0 when it is negative.
  int64_t vertices() const { return vertexCount > 0 ? vertexCount : 0; }
  int64_t faces() const { return faceCount > 0 ? faceCount : 0; }
  int64_t textureLinks() const { return textureLinkCount > 0 ? textureLinkCount : 0; }
  int64_t lights() const { return lightCount > 0 ? lightCount : 0; }

  // Element i (0 <= i < its count) of each array.
  StageVertexView vertex(int64_t i) const { return StageVertexView(Element(vertexOffset, kVertexSize, i)); }
  StageFaceView face(int64_t i) const { return StageFaceView(Element(faceOffset, kFaceSize, i)); }
  TextureLinkView textureLink(int64_t i) const {
    return TextureLinkView(Element(textureLinkOffset, kTextureLinkSize, i));
  }
  StageLightView light(int64_t i) const { return StageLightView(Element(lightOffset, kLightSize, i)); }

  // The console report lines of the four arrays ("Vertices: 2 (offset:
  // 00040300 size: 56 end: 00040338)" and the like).
  std::string VertexReport() const;
  std::string FaceReport() const;
  std::string TextureLinkReport() const;
  std::string LightReport() const;

 private:
  ByteView Element(int64_t arrayOffset, int64_t elementSize, int64_t i) const {
    return image.Sub(static_cast<uint64_t>(arrayOffset + i * elementSize), static_cast<uint64_t>(elementSize));
  }
};

// Reads the header of a stage image, steps over its material records and
// places the four arrays. Before anything is written, it checks that the
// header, every material record and every non-empty array lie inside the
// image and that every face names vertices of the vertex array; when one
// does not, it writes one console fault line naming it and gives nothing.
std::optional<StageLayout> LocateStage(ByteView image, Console& console);

}  // namespace zav
