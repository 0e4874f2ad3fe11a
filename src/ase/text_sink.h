#pragma once
// The text sink every writer appends its lines to: the output file of an
// export (through a bounded buffer) or an in-memory text buffer that is later
// copied into the file unchanged.
//
// The sink owns the rendering of the output: a line starts with one TAB per
// nesting level and ends with CR LF on every platform; integers are plain
// decimals; `Float` is the four-decimal form of FormatFloat; `Width10`
// right-aligns one number in ten characters. Writers never turn a number into
// text themselves.
//
//   out.Line(2).Text("*TM_POS ").Float(x).Tab().Float(y).Tab().Float(z).End();
//   out.Literal(1, "*PROP_MOTIONBLUR 0");
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "ase/decimal.h"
#include "platform/files.h"

namespace zav {

class TextSink {
 public:
  // An in-memory text buffer.
  TextSink();
  // A sink that streams to `file`; `Finish` flushes and closes it.
  explicit TextSink(OutputFile& file);

  TextSink(const TextSink&) = delete;
  TextSink& operator=(const TextSink&) = delete;

  // Starts a line with `depth` TABs.
  TextSink& Line(int depth) {
    const size_t count = depth > 0 ? static_cast<size_t>(depth) : 0;
    std::memset(Room(count), '\t', count);
    size_ += count;
    return *this;
  }
  TextSink& Text(std::string_view text) {
    if (text.empty()) return *this;  // an empty view may have no data at all
    std::memcpy(Room(text.size()), text.data(), text.size());
    size_ += text.size();
    return *this;
  }
  // A string literal: its length is known here, so the copy is inlined.
  template <size_t N>
  TextSink& Text(const char (&literal)[N]) {
    std::memcpy(Room(N - 1), literal, N - 1);
    size_ += N - 1;
    return *this;
  }
  TextSink& Tab() {
    *Room(1) = '\t';
    ++size_;
    return *this;
  }
  // A double-quote character, the text and a double-quote character.
  TextSink& Quoted(std::string_view text);
  TextSink& Int(int64_t value) {
    Digits digits;
    char* start = WriteDigitsBackward(digits.end(), Magnitude(value));
    if (value < 0) *--start = '-';
    return Put(digits, start);
  }
  TextSink& Uint(uint64_t value) {
    Digits digits;
    return Put(digits, WriteDigitsBackward(digits.end(), value));
  }
  // One number right-aligned in ten characters; a longer number is whole.
  TextSink& Width10(int64_t value) {
    Digits digits;
    char* start = WriteDigitsBackward(digits.end(), Magnitude(value));
    if (value < 0) *--start = '-';
    while (digits.end() - start < 10) *--start = ' ';
    return Put(digits, start);
  }
  TextSink& Float(double value);
  // Ends the line with CR LF.
  void End() {
    std::memcpy(Room(2), "\r\n", 2);
    size_ += 2;
    if (file_ != nullptr && size_ >= kFlushSize) Flush();
  }

  // A whole line: `depth` TABs, the text, CR LF.
  void Literal(int depth, std::string_view text) { Line(depth).Text(text).End(); }
  template <size_t N>
  void Literal(int depth, const char (&literal)[N]) {
    Line(depth).Text(literal).End();
  }

  // Copies the whole content of an in-memory buffer, unchanged.
  void Append(const TextSink& buffer);

  // A block whose lines were collected in `body`: the opening line at
  // `depth`, the body unchanged, the closing "}" at `depth`.
  void Block(int depth, std::string_view opener, const TextSink& body) {
    Literal(depth, opener);
    Append(body);
    Literal(depth, "}");
  }

  // The text an in-memory buffer holds.
  std::string_view Buffered() const { return std::string_view(data_.get(), size_); }

  // Number of values that were not finite and were written as 0.0000.
  uint64_t nonFiniteCount() const { return nonFinite_; }

  // Flushes the rest of the text and closes the file. Returns false when
  // anything failed to reach the file. An in-memory buffer just returns true.
  bool Finish();

 private:
  // Size at which a file sink hands its text to the file.
  static constexpr size_t kFlushSize = size_t{1} << 18;

  static uint64_t Magnitude(int64_t value) {
    return value < 0 ? ~static_cast<uint64_t>(value) + 1 : static_cast<uint64_t>(value);
  }
  // The text of one number, built backwards from end(). Its first
  // kDigitsCopy bytes from any start are readable, so the copy into the sink
  // has a fixed size (no call for a short, variable-length copy).
  static constexpr size_t kDigitsCopy = 24;
  struct Digits {
    char bytes[2 * kDigitsCopy];
    char* end() { return bytes + kDigitsCopy; }
  };
  TextSink& Put(Digits& digits, const char* start) {
    const size_t count = static_cast<size_t>(digits.end() - start);
    std::memcpy(Room(kDigitsCopy), start, kDigitsCopy);
    size_ += count;
    return *this;
  }
  // Where the next `count` bytes go, with room made for them.
  char* Room(size_t count) {
    if (capacity_ - size_ <= count) Grow(count);  // never a null buffer, even for 0 bytes
    return data_.get() + size_;
  }
  void Grow(size_t count);
  void Flush();

  std::unique_ptr<char[]> data_;
  size_t size_ = 0;
  size_t capacity_ = 0;
  OutputFile* file_ = nullptr;
  bool failed_ = false;
  uint64_t nonFinite_ = 0;
};

}  // namespace zav
