#pragma once
// A read-only window over bytes of an in-memory file image.
//
// A structure is located once: `Contains` checks that it lies inside the
// image (without any sum that could wrap), `Sub` yields a view of exactly its
// bytes. Fields inside a located structure are then read plainly, as
// little-endian values at any alignment. A field read that would leave the
// view yields 0 instead of touching memory outside it; correct code never
// relies on that.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace zav {

class ByteView {
 public:
  ByteView() = default;
  ByteView(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  // True when `length` bytes starting at `offset` lie inside the view.
  bool Contains(uint64_t offset, uint64_t length) const {
    return offset <= size_ && length <= size_ - offset;
  }

  // The bytes from `offset` on, `length` of them; an empty view when they do
  // not lie inside this one.
  ByteView Sub(uint64_t offset, uint64_t length) const {
    if (!Contains(offset, length)) return {};
    return ByteView(data_ + offset, static_cast<size_t>(length));
  }
  // The bytes from `offset` to the end.
  ByteView From(uint64_t offset) const {
    if (offset > size_) return {};
    return ByteView(data_ + offset, size_ - static_cast<size_t>(offset));
  }

  uint8_t U8(size_t offset) const { return Contains(offset, 1) ? data_[offset] : 0; }
  uint16_t U16(size_t offset) const { return Read<uint16_t>(offset); }
  int16_t I16(size_t offset) const { return static_cast<int16_t>(Read<uint16_t>(offset)); }
  uint32_t U32(size_t offset) const { return Read<uint32_t>(offset); }
  int32_t I32(size_t offset) const { return static_cast<int32_t>(Read<uint32_t>(offset)); }
  float F32(size_t offset) const {
    const uint32_t bits = Read<uint32_t>(offset);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

  // The text of a name field of `fieldSize` bytes: its bytes up to the first
  // NUL, or the whole field when it holds none.
  std::string_view Name(size_t offset, size_t fieldSize) const {
    const ByteView field = Sub(offset, fieldSize);
    const void* nul = field.size_ ? std::memchr(field.data_, 0, field.size_) : nullptr;
    const size_t length = nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - field.data_)
                              : field.size_;
    return std::string_view(reinterpret_cast<const char*>(field.data_), length);
  }

  // All bytes of the view as text.
  std::string_view Text() const {
    return std::string_view(reinterpret_cast<const char*>(data_), size_);
  }

 private:
  template <typename T>
  T Read(size_t offset) const {
    if (!Contains(offset, sizeof(T))) return 0;
    T value = 0;
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(&value, data_ + offset, sizeof(T));  // one unaligned load
    } else {
      for (size_t i = 0; i < sizeof(T); ++i) {
        value = static_cast<T>(value | static_cast<T>(static_cast<T>(data_[offset + i]) << (8 * i)));
      }
    }
    return value;
  }

  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace zav
