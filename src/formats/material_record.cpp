#include "formats/material_record.h"

#include <cstring>

namespace zav {

MaterialRecordView::MaterialRecordView(ByteView image, uint64_t offset)
    : image_(image), offset_(offset), record_(image.Sub(offset, kFixedSize)) {
  const int32_t listSize = record_.I32(320);
  if (listSize > 0) list_ = image.Sub(offset + kFixedSize, static_cast<uint64_t>(listSize));
}

uint64_t MaterialRecordView::RecordSizeAt(ByteView bytes, uint64_t offset) {
  const int32_t listSize = bytes.I32(static_cast<size_t>(offset + 320));
  return kFixedSize + (listSize > 0 ? static_cast<uint64_t>(listSize) : 0);
}

std::string_view MaterialRecordView::textureName(int64_t k) const {
  const std::string_view list = list_.Text();
  if (list.empty()) return {};
  // Entry j: name, NUL, follow byte (1 on the last entry).
  auto nameAt = [&](size_t start) {
    const size_t nul = list.find('\0', start);
    return list.substr(start, nul == std::string_view::npos ? std::string_view::npos : nul - start);
  };
  if (k <= 0) return nameAt(0);
  size_t start = 0;
  for (int64_t j = 0; j < k; ++j) {
    const size_t nul = list.find('\0', start);
    // No NUL, or no follow byte inside the list: entry j is the last one.
    if (nul == std::string_view::npos || nul + 1 >= list.size()) return nameAt(0);
    if (static_cast<uint8_t>(list[nul + 1]) == 1) return nameAt(0);
    start = nul + 2;
    if (start >= list.size()) return nameAt(0);
  }
  return nameAt(start);
}

MaterialBlock LocateMaterialBlock(ByteView image, uint64_t firstOffset, int32_t materialCount) {
  MaterialBlock block;
  block.materialCount = materialCount;
  block.firstOffset = firstOffset;
  block.endOffset = firstOffset;
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
