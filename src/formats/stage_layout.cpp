#include "formats/stage_layout.h"

#include <string_view>

#include "console/console_text.h"

namespace zav {

namespace {

// Header fields.
constexpr size_t kMaterialCountAt = 28;
constexpr size_t kVertexCountAt = 262752;
constexpr size_t kFaceCountAt = 262756;
constexpr size_t kTextureLinkCountAt = 262760;
constexpr size_t kLightCountAt = 262764;
constexpr size_t kShadeDivisorAt = 262772;
constexpr size_t kShadeBaseAt = 262776;
constexpr size_t kShadeVectorAt = 262780;

// The vertex array starts this many bytes after the last material record.
constexpr int64_t kVertexGap = 8;
// The texture links start this many bytes before the end of the face array.
constexpr int64_t kTextureLinkOverlap = 8;

// An offset on the console. An offset moved below 0 by negative counts shows
// as the 32-bit two's complement value.
std::string OffsetText(int64_t offset) {
  return offset >= 0 ? Hex8(static_cast<uint64_t>(offset)) : Hex8(static_cast<uint32_t>(offset));
}

std::string ArrayReport(std::string_view label, int32_t count, int64_t offset, int64_t elementSize) {
  const int64_t size = elementSize * count;
  return std::string(label) + std::to_string(count) + " (offset: " + OffsetText(offset) +
         " size: " + std::to_string(size) + " end: " + OffsetText(offset + size) + ")";
}

std::string DoesNotFit(std::string_view what, int64_t offset, int64_t end, uint64_t fileSize) {
  return "Stage " + std::string(what) + " does not fit in the file (offset " + OffsetText(offset) + ", end " +
         OffsetText(end) + ", file size " + std::to_string(fileSize) + ")";
}

// True when `count` elements of `elementSize` bytes from `offset` lie inside
// the image; an empty array always fits.
bool ArrayFits(ByteView image, int64_t offset, int32_t count, int64_t elementSize) {
  if (count <= 0) return true;
  return offset >= 0 && image.Contains(static_cast<uint64_t>(offset), static_cast<uint64_t>(count * elementSize));
}

}  // namespace

std::string StageLayout::VertexReport() const {
  return ArrayReport("Vertices: ", vertexCount, vertexOffset, kVertexSize);
}
std::string StageLayout::FaceReport() const { return ArrayReport("Faces: ", faceCount, faceOffset, kFaceSize); }
std::string StageLayout::TextureLinkReport() const {
  return ArrayReport("Textures: ", textureLinkCount, textureLinkOffset, kTextureLinkSize);
}
std::string StageLayout::LightReport() const { return ArrayReport("Lights: ", lightCount, lightOffset, kLightSize); }

std::optional<StageLayout> LocateStage(ByteView image, Console& console) {
  if (!image.Contains(0, StageLayout::kHeaderSize)) {
    console.Fault(DoesNotFit("header", 0, StageLayout::kHeaderSize, image.size()));
    return std::nullopt;
  }
  StageLayout layout;
  layout.image = image;
  layout.materialCount = image.I32(kMaterialCountAt);
  layout.vertexCount = image.I32(kVertexCountAt);
  layout.faceCount = image.I32(kFaceCountAt);
  layout.textureLinkCount = image.I32(kTextureLinkCountAt);
  layout.lightCount = image.I32(kLightCountAt);
  layout.shadeDivisor = image.I32(kShadeDivisorAt);
  layout.shadeBase = image.I32(kShadeBaseAt);
  for (size_t i = 0; i < 3; ++i) layout.shadeVector[i] = image.I32(kShadeVectorAt + 4 * i);

  layout.materials = LocateMaterialBlock(image, StageLayout::kFirstMaterialOffset, layout.materialCount);
  if (!layout.materials.complete()) {
    const MaterialBlock& block = layout.materials;
    console.Fault(DoesNotFit("material record " + std::to_string(block.records.size()),
                             static_cast<int64_t>(block.badRecordOffset), static_cast<int64_t>(block.badRecordEnd),
                             image.size()));
    return std::nullopt;
  }
  // Every record lies inside the image, so M is bounded by its size.
  layout.materialSize = static_cast<int64_t>(layout.materials.endOffset - StageLayout::kFirstMaterialOffset);

  const int64_t materialEnd = static_cast<int64_t>(StageLayout::kFirstMaterialOffset) + layout.materialSize;
  layout.vertexOffset = materialEnd + kVertexGap;
  layout.faceOffset = layout.vertexOffset + StageLayout::kVertexSize * layout.vertexCount;
  layout.textureLinkOffset = layout.faceOffset + StageLayout::kFaceSize * layout.faceCount - kTextureLinkOverlap;
  layout.lightOffset = layout.textureLinkOffset + StageLayout::kTextureLinkSize * layout.textureLinkCount;

  struct ArrayCheck {
    std::string_view name;
    int64_t offset;
    int32_t count;
    int64_t elementSize;
  };
  const ArrayCheck arrays[] = {
      {"vertex array", layout.vertexOffset, layout.vertexCount, StageLayout::kVertexSize},
      {"face array", layout.faceOffset, layout.faceCount, StageLayout::kFaceSize},
      {"texture link array", layout.textureLinkOffset, layout.textureLinkCount, StageLayout::kTextureLinkSize},
      {"light array", layout.lightOffset, layout.lightCount, StageLayout::kLightSize},
  };
  for (const ArrayCheck& array : arrays) {
    if (!ArrayFits(image, array.offset, array.count, array.elementSize)) {
      console.Fault(DoesNotFit(array.name, array.offset, array.offset + array.elementSize * array.count,
                               image.size()));
      return std::nullopt;
    }
  }

  // The face array lies inside the image, so this walk is bounded by its size.
  for (int64_t f = 0; f < layout.faces(); ++f) {
    const StageFaceView face = layout.face(f);
    for (int corner = 0; corner < 3; ++corner) {
      const uint16_t index = face.corner(corner);
      if (index >= layout.vertices()) {
        console.Fault("Stage face " + std::to_string(f) + " names vertex " + std::to_string(index) +
                      ", but the stage has " + std::to_string(layout.vertices()) + " vertices");
        return std::nullopt;
      }
    }
  }
  return layout;
}

}  // namespace zav
