#include "ase/text_sink.h"

#include <algorithm>
#include <cmath>

#include "ase/format_float.h"

namespace zav {

TextSink::TextSink() = default;

TextSink::TextSink(OutputFile& file) : file_(&file) { Grow(kFlushSize + 4096); }

void TextSink::Grow(size_t count) {
  const size_t capacity = std::max({capacity_ * 2, size_ + count, size_t{4096}});
  std::unique_ptr<char[]> data(new char[capacity]);
  if (size_ > 0) std::memcpy(data.get(), data_.get(), size_);
  data_ = std::move(data);
  capacity_ = capacity;
}

TextSink& TextSink::Quoted(std::string_view text) {
  char* at = Room(text.size() + 2);
  at[0] = '"';
  if (!text.empty()) std::memcpy(at + 1, text.data(), text.size());
  at[text.size() + 1] = '"';
  size_ += text.size() + 2;
  return *this;
}

TextSink& TextSink::Float(double value) {
  if (!std::isfinite(value)) ++nonFinite_;
  size_ += FormatFloatTo(value, Room(kFormatFloatCapacity));
  return *this;
}

void TextSink::Append(const TextSink& other) {
  nonFinite_ += other.nonFinite_;
  if (file_ != nullptr && other.size_ >= kFlushSize) {
    // A large buffer goes to the file directly, after what came before it.
    Flush();
    if (!file_->Write(other.data_.get(), other.size_)) failed_ = true;
    return;
  }
  Text(other.Buffered());
  if (file_ != nullptr && size_ >= kFlushSize) Flush();
}

void TextSink::Flush() {
  if (size_ > 0 && !file_->Write(data_.get(), size_)) failed_ = true;
  size_ = 0;
}

bool TextSink::Finish() {
  if (file_ == nullptr) return true;
  Flush();
  if (!file_->Close()) failed_ = true;
  return !failed_;
}

}  // namespace zav
