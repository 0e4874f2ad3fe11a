#pragma once
// The layout shared by model and bone files: a 556-byte header, a directory
// of 40-byte entries, an optional material block and a sequence of object
// records. Each record is a 2236-byte fixed part followed by arrays whose
// lengths are counts in the fixed part; the file stores no offsets, so every
// structure is found by adding up the sizes of what precedes it.
//
// A record is located in two steps: `RecordAt` checks that its fixed part
// lies inside the image, `ObjectRecord::complete` that its arrays do too.
// Element reads of a complete record are plain reads inside it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "formats/byte_view.h"
#include "formats/material_record.h"

namespace zav {

struct VertexRecord {
  int32_t x, y, z;  // 24.8
};

struct FaceRecord {
  uint16_t a, b, c;  // corner indices
  int16_t materialId;
};

struct TexCoordRecord {
  float u[3];  // corners 0, 1, 2
  float v[3];
};

struct RotKey {
  int32_t time;
  float x, y, z, w;
};

struct PosKey {
  int32_t time;
  float x, y, z;
};

struct ScaleKey {
  int32_t time;
  int32_t x, y, z;  // 24.8
};

class ObjectRecord {
 public:
  static constexpr uint64_t kFixedSize = 2236;
  static constexpr uint64_t kVertexSize = 24;
  static constexpr uint64_t kFaceSize = 36;
  static constexpr uint64_t kTexCoordSize = 32;
  static constexpr uint64_t kRotKeySize = 20;
  static constexpr uint64_t kPosKeySize = 16;
  static constexpr uint64_t kScaleKeySize = 16;
  static constexpr uint64_t kRotKeyExtraSize = 64;
  static constexpr uint64_t kBoneNameSize = 32;
  static constexpr size_t kNameSize = 32;

  ObjectRecord() = default;
  // The record at `offset` of `image`; its fixed part must lie inside the
  // image (ModelFileView::RecordAt checks that).
  ObjectRecord(ByteView image, uint64_t offset);

  uint64_t offset() const { return offset_; }

  // The first three bytes are D, C, B.
  bool hasValidTag() const;
  int32_t physiqueFlag() const { return fixed_.I32(16); }
  uint32_t faceCount() const { return fixed_.U32(80); }
  uint32_t vertexCount() const { return fixed_.U32(84); }
  uint32_t texCoordCount() const { return fixed_.U32(92); }
  // Cut at the first NUL, or at the end of the 32-byte field.
  std::string_view name() const { return fixed_.Name(172, kNameSize); }
  std::string_view parentName() const { return fixed_.Name(204, kNameSize); }
  // Row `row` (0..3), column `column` (0..2) of the two matrices, 24.8.
  int32_t nodeTm(int row, int column) const { return fixed_.I32(MatrixField(240, row, column)); }
  int32_t meshTm(int row, int column) const { return fixed_.I32(MatrixField(304, row, column)); }
  // Quaternion component 0..3 (x, y, z, w).
  float rotation(int i) const { return fixed_.F32(628 + 4 * static_cast<size_t>(i)); }
  // Component 0..2 (x, y, z), 24.8.
  int32_t scale(int i) const { return fixed_.I32(644 + 4 * static_cast<size_t>(i)); }
  int32_t position(int i) const { return fixed_.I32(656 + 4 * static_cast<size_t>(i)); }
  uint32_t rotKeyCount() const { return fixed_.U32(684); }
  uint32_t posKeyCount() const { return fixed_.U32(688); }
  uint32_t scaleKeyCount() const { return fixed_.U32(692); }

  // The fixed part and every array, including one bone name per vertex when
  // physiqueFlag is set. At most about 2^39, so it never wraps.
  uint64_t recordSize() const;
  uint64_t nextRecordOffset() const { return offset_ + recordSize(); }
  // The whole record lies inside the image; elements may be read.
  bool complete() const { return !whole_.empty(); }

  VertexRecord vertex(uint32_t i) const;
  FaceRecord face(uint32_t i) const;
  TexCoordRecord texCoord(uint32_t i) const;
  RotKey rotKey(uint32_t i) const;
  PosKey posKey(uint32_t i) const;
  ScaleKey scaleKey(uint32_t i) const;
  // The bone that vertex i follows (physiqueFlag set only).
  std::string_view boneName(uint32_t i) const;

 private:
  static size_t MatrixField(size_t base, int row, int column) {
    return base + 16 * static_cast<size_t>(row) + 4 * static_cast<size_t>(column);
  }
  // Start of each array, from the start of the record.
  uint64_t facesStart() const { return kFixedSize + kVertexSize * vertexCount(); }
  uint64_t texCoordsStart() const { return facesStart() + kFaceSize * faceCount(); }
  uint64_t rotKeysStart() const { return texCoordsStart() + kTexCoordSize * texCoordCount(); }
  uint64_t posKeysStart() const { return rotKeysStart() + kRotKeySize * rotKeyCount(); }
  uint64_t scaleKeysStart() const { return posKeysStart() + kPosKeySize * posKeyCount(); }
  uint64_t boneNamesStart() const {
    return scaleKeysStart() + kScaleKeySize * scaleKeyCount() + kRotKeyExtraSize * rotKeyCount();
  }
  size_t Element(uint64_t arrayStart, uint64_t elementSize, uint32_t i) const {
    return static_cast<size_t>(arrayStart + elementSize * i);
  }

  uint64_t offset_ = 0;
  ByteView fixed_;  // the 2236-byte fixed part
  ByteView whole_;  // the whole record; empty when it leaves the image
};

class ModelFileView {
 public:
  static constexpr uint64_t kHeaderSize = 556;
  static constexpr uint64_t kDirectoryEntrySize = 40;
  static constexpr uint64_t kMaterialBlockHeaderSize = 88;

  explicit ModelFileView(ByteView image) : image_(image) {}

  ByteView image() const { return image_; }
  // The signed header fields; a field that lies past the end of a very short
  // image counts as 0.
  int32_t objectCount() const { return image_.Contains(24, 4) ? image_.I32(24) : 0; }
  int32_t materialCount() const { return image_.Contains(28, 4) ? image_.I32(28) : 0; }

  // Where the directory ends. A negative objectCount counts as an empty
  // directory.
  uint64_t directoryEnd() const;
  // The material records that lie inside the image (none when materialCount
  // is 0 or less).
  MaterialBlock materialBlock() const;
  // Where the first record starts; none when the material block runs past
  // the end of the image, so that the records cannot be found.
  std::optional<uint64_t> firstRecordOffset() const;

  // The record at `offset`; none when its fixed part leaves the image.
  std::optional<ObjectRecord> RecordAt(uint64_t offset) const;

 private:
  ByteView image_;
};

// The console line for a record that does not fit in the image: `label` and
// `number` name it ("Object 3", "Bone Object 2"), `needed` is the size it
// claims from `offset` on.
std::string RecordOutsideLine(std::string_view label, int64_t number, uint64_t offset, uint64_t needed,
                              uint64_t fileSize);

}  // namespace zav
