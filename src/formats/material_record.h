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
  // Stages that have blend and form fields.
  static constexpr int kStageFields = 8;

  MaterialRecordView() = default;
  // A view of the record at `offset` of `image`. The record and its name list
  // must lie inside the image (LocateMaterialBlock checks that); bytes that
  // do not read as 0 and a list that does not is empty.
  MaterialRecordView(ByteView image, uint64_t offset);

  uint64_t offset() const { return offset_; }

  int32_t textureCount() const { return record_.I32(4); }
  // Stage 0 to 7; any other stage reads as 0 (no name).
  int32_t stageBlendOps(int stage) const { return StageField(40, stage); }
  int32_t stageForms(int stage) const { return StageField(72, stage); }
  int32_t opacityMapFlag() const { return record_.I32(108); }
  int32_t blendType() const { return record_.I32(116); }
  int32_t twoSidedFlag() const { return record_.I32(124); }
  // Channel 0 red, 1 green, 2 blue.
  float diffuseColor(int channel) const {
    return channel >= 0 && channel < 3 ? record_.F32(132 + 4 * static_cast<size_t>(channel)) : 0.0f;
  }
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

  // The bytes of the TextureNameList; empty when nameListSize is 0 or less.
  ByteView textureNameList() const { return list_; }

  // Entry k of the TextureNameList; past the end of the list, entry 0. Empty
  // when the list is empty. A name without its NUL inside the list is cut at
  // the end of the list.
  std::string_view textureName(int64_t k) const;
  std::string_view firstTextureName() const { return textureName(0); }

  // recordSize of the record whose first byte is at `offset` of `bytes`
  // (its list-size field must lie inside `bytes`).
  static uint64_t RecordSizeAt(ByteView bytes, uint64_t offset);

 private:
  int32_t StageField(size_t base, int stage) const {
    return stage >= 0 && stage < kStageFields ? record_.I32(base + 4 * static_cast<size_t>(stage)) : 0;
  }

  ByteView image_;
  uint64_t offset_ = 0;
  ByteView record_;
  ByteView list_;
};

// Walks the entries of one TextureNameList in order, each step costing only
// the bytes of one entry. Entry j is its name, a NUL and a follow byte (1 on
// the last entry). The walk ends after an entry whose follow byte is 1, whose
// NUL or follow byte is missing from the list, or after which no byte of the
// list remains.
class TextureNameCursor {
 public:
  // At entry 0; already at the end when the list is empty.
  explicit TextureNameCursor(const MaterialRecordView& record);

  bool atEntry() const { return atEntry_; }
  // The name of the current entry: its bytes up to its NUL, or up to the end
  // of the list when the NUL is missing.
  std::string_view name() const;
  // Steps to the next entry, or to the end of the walk.
  void Next();

 private:
  std::string_view list_;
  size_t start_ = 0;
  bool atEntry_ = false;
};

// The records of a material block that lie inside the file image.
struct MaterialBlock {
  int32_t materialCount = 0;           // as stored; 0 or less means no records
  uint64_t firstOffset = 0;            // where record 0 starts
  uint64_t endOffset = 0;              // where the last record that fits ends
  uint64_t imageSize = 0;              // size of the file image holding the block
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
