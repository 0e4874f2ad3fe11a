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
#include <string>
#include <string_view>

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
  TextSink& Line(int depth);
  TextSink& Text(std::string_view text);
  TextSink& Tab();
  // A double-quote character, the text and a double-quote character.
  TextSink& Quoted(std::string_view text);
  TextSink& Int(int64_t value);
  TextSink& Uint(uint64_t value);
  // One number right-aligned in ten characters; a longer number is whole.
  TextSink& Width10(int64_t value);
  TextSink& Float(double value);
  // Ends the line with CR LF.
  void End();

  // A whole line: `depth` TABs, the text, CR LF.
  void Literal(int depth, std::string_view text);

  // Copies the whole content of an in-memory buffer, unchanged.
  void Append(const TextSink& buffer);

  // The text an in-memory buffer holds.
  std::string_view Buffered() const { return buffer_; }

  // Number of values that were not finite and were written as 0.0000.
  uint64_t nonFiniteCount() const { return nonFinite_; }

  // Flushes the rest of the text and closes the file. Returns false when
  // anything failed to reach the file. An in-memory buffer just returns true.
  bool Finish();

 private:
  void FlushIfFull();

  std::string buffer_;
  OutputFile* file_ = nullptr;
  bool failed_ = false;
  uint64_t nonFinite_ = 0;
};

}  // namespace zav
