#include "formats/material_record.h"

namespace zav {

MaterialRecordView::MaterialRecordView(ByteView image, uint64_t offset)
    : image_(image), offset_(offset), record_(image.Sub(offset, kFixedSize)) {
  const int32_t listSize = record_.I32(320);
  if (listSize > 0 && !record_.empty()) list_ = image.Sub(offset + kFixedSize, static_cast<uint64_t>(listSize));
}

uint64_t MaterialRecordView::RecordSizeAt(ByteView bytes, uint64_t offset) {
  const int32_t listSize = bytes.Contains(offset, kFixedSize) ? bytes.I32(static_cast<size_t>(offset + 320)) : 0;
  return kFixedSize + (listSize > 0 ? static_cast<uint64_t>(listSize) : 0);
}

std::string_view MaterialRecordView::textureName(int64_t k) const {
  TextureNameCursor cursor(*this);
  if (!cursor.atEntry()) return {};
  const std::string_view first = cursor.name();
  // Each step consumes at least two bytes of the list, so a huge k ends with
  // the list.
  for (int64_t j = 0; j < k; ++j) {
    cursor.Next();
    if (!cursor.atEntry()) return first;
  }
  return cursor.name();
}

TextureNameCursor::TextureNameCursor(const MaterialRecordView& record)
    : list_(record.textureNameList().Text()), atEntry_(!list_.empty()) {}

std::string_view TextureNameCursor::name() const {
  if (!atEntry_) return {};
  const size_t nul = list_.find('\0', start_);
  return list_.substr(start_, nul == std::string_view::npos ? std::string_view::npos : nul - start_);
}

void TextureNameCursor::Next() {
  if (!atEntry_) return;
  const size_t nul = list_.find('\0', start_);
  // No NUL or no follow byte inside the list: this entry was the last one.
  if (nul == std::string_view::npos || list_.size() - nul < 2 || static_cast<uint8_t>(list_[nul + 1]) == 1) {
    atEntry_ = false;
    return;
  }
  start_ = nul + 2;
  atEntry_ = start_ < list_.size();
}

MaterialBlock LocateMaterialBlock(ByteView image, uint64_t firstOffset, int32_t materialCount) {
  MaterialBlock block;
  block.materialCount = materialCount;
  block.firstOffset = firstOffset;
  block.endOffset = firstOffset;
  block.imageSize = image.size();
  uint64_t cursor = firstOffset;
  for (uint64_t i = 0; i < block.expectedCount(); ++i) {
    if (!image.Contains(cursor, MaterialRecordView::kFixedSize)) {
      block.badRecordOffset = cursor;
      block.badRecordEnd = cursor + MaterialRecordView::kFixedSize;
      break;
    }
    const uint64_t size = MaterialRecordView::RecordSizeAt(image, cursor);
    if (!image.Contains(cursor, size)) {
      block.badRecordOffset = cursor;
      block.badRecordEnd = cursor + size;
      break;
    }
    block.records.emplace_back(image, cursor);
    cursor += size;
    block.endOffset = cursor;
  }
  return block;
}

}  // namespace zav
