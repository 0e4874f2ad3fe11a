#pragma once
// Material records: the 324-byte MaterialRecord, each followed by its
// TextureNameList, shared by model and stage files.
#include <cstdint>
#include <string_view>
#include <vector>

#include "formats/byte_view.h"

namespace zav {

class MaterialRecordView {
 public:
  static constexpr uint64_t kFixedSize = 324;

  MaterialRecordView() = default;
  // A view of the record at `offset` of `image`. The record and its name list
  // must lie inside the image (LocateMaterialBlock checks that).
  MaterialRecordView(ByteView image, uint64_t offset);

  uint64_t offset() const { return offset_; }

  int32_t textureCount() const { return record_.I32(4); }
  int32_t stageBlendOps(int stage) const { return record_.I32(40 + 4 * static_cast<size_t>(stage)); }
  int32_t stageForms(int stage) const { return record_.I32(72 + 4 * static_cast<size_t>(stage)); }
  int32_t opacityMapFlag() const { return record_.I32(108); }
  int32_t blendType() const { return record_.I32(116); }
  int32_t twoSidedFlag() const { return record_.I32(124); }
  float diffuseColor(int channel) const { return record_.F32(132 + 4 * static_cast<size_t>(channel)); }
  float transparency() const { return record_.F32(144); }
  float selfIllumination() const { return record_.F32(148); }
  int32_t useFlags() const { return record_.I32(164); }
  int32_t textureSequenceFlags() const { return record_.I32(304); }
  int32_t nameListSize() const { return record_.I32(320); }

  // 324 + nameListSize; a negative list size counts as 0, so a reader never
  // steps backwards.
  uint64_t recordSize() const { return RecordSizeAt(record_, 0); }
  // The view of the record that follows this one (unchecked: use
  // LocateMaterialBlock to walk records of an image).
  MaterialRecordView nextRecord() const { return MaterialRecordView(image_, offset_ + recordSize()); }

  // Entry k of the TextureNameList; past the end of the list, entry 0. Empty
  // when the list is empty. A name without its NUL inside the list is cut at
  // the end of the list.
  std::string_view textureName(int64_t k) const;
  std::string_view firstTextureName() const { return textureName(0); }

  // recordSize of the record whose first byte is at `offset` of `bytes`
  // (its list-size field must lie inside `bytes`).
  static uint64_t RecordSizeAt(ByteView bytes, uint64_t offset);

 private:
  ByteView image_;
  uint64_t offset_ = 0;
  ByteView record_;
  ByteView list_;
};

// The records of a material block that lie inside the file image.
struct MaterialBlock {
  int32_t materialCount = 0;           // as stored; 0 or less means no records
  uint64_t firstOffset = 0;            // where record 0 starts
  uint64_t endOffset = 0;              // where the last record that fits ends
  std::vector<MaterialRecordView> records;  // the records that fit, in file order
  // When not every record fits: the offset of the first one that does not,
  // and the end it would need.
  uint64_t badRecordOffset = 0;
  uint64_t badRecordEnd = 0;

  uint64_t expectedCount() const { return materialCount > 0 ? static_cast<uint64_t>(materialCount) : 0; }
  bool complete() const { return records.size() == expectedCount(); }
};

// Steps over `materialCount` records from `firstOffset`, stopping at the first
// record whose 324 bytes or name list leave the image. Each record consumed
// spans at least 324 bytes of the image, so a huge count costs nothing.
MaterialBlock LocateMaterialBlock(ByteView image, uint64_t firstOffset, int32_t materialCount);

}  // namespace zav
