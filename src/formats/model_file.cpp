#include "formats/model_file.h"

#include "console/console_text.h"

namespace zav {

ObjectRecord::ObjectRecord(ByteView image, uint64_t offset)
    : offset_(offset), fixed_(image.Sub(offset, kFixedSize)) {
  whole_ = image.Sub(offset, recordSize());
}

bool ObjectRecord::hasValidTag() const { return fixed_.U8(0) == 'D' && fixed_.U8(1) == 'C' && fixed_.U8(2) == 'B'; }

uint64_t ObjectRecord::recordSize() const {
  const uint64_t boneNames = physiqueFlag() != 0 ? kBoneNameSize * vertexCount() : 0;
  return boneNamesStart() + boneNames;
}

VertexRecord ObjectRecord::vertex(uint32_t i) const {
  const size_t at = Element(kFixedSize, kVertexSize, i);
  return {whole_.I32(at), whole_.I32(at + 4), whole_.I32(at + 8)};
}

FaceRecord ObjectRecord::face(uint32_t i) const {
  const size_t at = Element(facesStart(), kFaceSize, i);
  return {whole_.U16(at), whole_.U16(at + 2), whole_.U16(at + 4), whole_.I16(at + 6)};
}

TexCoordRecord ObjectRecord::texCoord(uint32_t i) const {
  const size_t at = Element(texCoordsStart(), kTexCoordSize, i);
  TexCoordRecord t{};
  for (size_t n = 0; n < 3; ++n) {
    t.u[n] = whole_.F32(at + 4 * n);
    t.v[n] = whole_.F32(at + 12 + 4 * n);
  }
  return t;
}

RotKey ObjectRecord::rotKey(uint32_t i) const {
  const size_t at = Element(rotKeysStart(), kRotKeySize, i);
  return {whole_.I32(at), whole_.F32(at + 4), whole_.F32(at + 8), whole_.F32(at + 12), whole_.F32(at + 16)};
}

PosKey ObjectRecord::posKey(uint32_t i) const {
  const size_t at = Element(posKeysStart(), kPosKeySize, i);
  return {whole_.I32(at), whole_.F32(at + 4), whole_.F32(at + 8), whole_.F32(at + 12)};
}

ScaleKey ObjectRecord::scaleKey(uint32_t i) const {
  const size_t at = Element(scaleKeysStart(), kScaleKeySize, i);
  return {whole_.I32(at), whole_.I32(at + 4), whole_.I32(at + 8), whole_.I32(at + 12)};
}

std::string_view ObjectRecord::boneName(uint32_t i) const {
  if (physiqueFlag() == 0) return {};
  return whole_.Name(Element(boneNamesStart(), kBoneNameSize, i), kBoneNameSize);
}

uint64_t ModelFileView::directoryEnd() const {
  const int32_t count = objectCount();
  return kHeaderSize + kDirectoryEntrySize * static_cast<uint64_t>(count > 0 ? count : 0);
}

MaterialBlock ModelFileView::materialBlock() const {
  return LocateMaterialBlock(image_, directoryEnd() + kMaterialBlockHeaderSize, materialCount());
}

std::optional<uint64_t> ModelFileView::firstRecordOffset() const {
  if (materialCount() <= 0) return directoryEnd();
  const MaterialBlock block = materialBlock();
  if (!block.complete()) return std::nullopt;
  return block.endOffset;
}

std::optional<ObjectRecord> ModelFileView::RecordAt(uint64_t offset) const {
  if (!image_.Contains(offset, ObjectRecord::kFixedSize)) return std::nullopt;
  return ObjectRecord(image_, offset);
}

std::string RecordOutsideLine(std::string_view label, int64_t number, uint64_t offset, uint64_t needed,
                              uint64_t fileSize) {
  return std::string(label) + " " + std::to_string(number) + " does not fit in the file (offset " + Hex8(offset) +
         ", end " + Hex8(offset + needed) + ", file size " + std::to_string(fileSize) + ")! Must exit!";
}

}  // namespace zav
