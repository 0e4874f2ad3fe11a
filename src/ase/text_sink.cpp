#include "ase/text_sink.h"

#include <charconv>
#include <cmath>

#include "ase/format_float.h"

namespace zav {

namespace {
// Size at which a file sink hands its text to the file.
constexpr size_t kFlushSize = 1 << 18;
}  // namespace

TextSink::TextSink() = default;

TextSink::TextSink(OutputFile& file) : file_(&file) { buffer_.reserve(kFlushSize + 4096); }

TextSink& TextSink::Line(int depth) {
  buffer_.append(static_cast<size_t>(depth > 0 ? depth : 0), '\t');
  return *this;
}

TextSink& TextSink::Text(std::string_view text) {
  buffer_.append(text);
  return *this;
}

TextSink& TextSink::Tab() {
  buffer_.push_back('\t');
  return *this;
}

TextSink& TextSink::Quoted(std::string_view text) {
  buffer_.push_back('"');
  buffer_.append(text);
  buffer_.push_back('"');
  return *this;
}

TextSink& TextSink::Int(int64_t value) {
  char digits[24];
  buffer_.append(digits, static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits));
  return *this;
}

TextSink& TextSink::Uint(uint64_t value) {
  char digits[24];
  buffer_.append(digits, static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits));
  return *this;
}

TextSink& TextSink::Width10(int64_t value) {
  char digits[24];
  const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  const size_t length = static_cast<size_t>(end - digits);
  if (length < 10) buffer_.append(10 - length, ' ');
  buffer_.append(digits, length);
  return *this;
}

TextSink& TextSink::Float(double value) {
  if (!std::isfinite(value)) ++nonFinite_;
  char text[kFormatFloatCapacity];
  buffer_.append(text, FormatFloatTo(value, text));
  return *this;
}

void TextSink::End() {
  buffer_.append("\r\n", 2);
  FlushIfFull();
}

void TextSink::Literal(int depth, std::string_view text) { Line(depth).Text(text).End(); }

void TextSink::Append(const TextSink& other) {
  nonFinite_ += other.nonFinite_;
  if (file_ != nullptr && other.buffer_.size() >= kFlushSize) {
    if (!buffer_.empty() && !file_->Write(buffer_.data(), buffer_.size())) failed_ = true;
    buffer_.clear();
    if (!file_->Write(other.buffer_.data(), other.buffer_.size())) failed_ = true;
    return;
  }
  buffer_.append(other.buffer_);
  FlushIfFull();
}

void TextSink::FlushIfFull() {
  if (file_ == nullptr || buffer_.size() < kFlushSize) return;
  if (!file_->Write(buffer_.data(), buffer_.size())) failed_ = true;
  buffer_.clear();
}

bool TextSink::Finish() {
  if (file_ == nullptr) return true;
  if (!buffer_.empty() && !file_->Write(buffer_.data(), buffer_.size())) failed_ = true;
  buffer_.clear();
  if (!file_->Close()) failed_ = true;
  return !failed_;
}

}  // namespace zav
