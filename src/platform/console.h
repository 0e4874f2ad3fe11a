#pragma once
// The console the converter talks through: words in, lines out.
#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace zav {

class Console {
 public:
  virtual ~Console() = default;

  // Reads one whitespace-delimited word. Returns false when the input is
  // exhausted before any character of a word was read.
  virtual bool ReadWord(std::string& word) = 0;

  // Writes text without a line break (the prompts) and flushes it.
  virtual void Write(std::string_view text) = 0;

  // Writes one whole line and flushes it.
  void Line(std::string_view text);

  // Writes one whole line that reports damaged data or a walk stopped early;
  // the line reads like any other, and the conversion counts as partial.
  void Fault(std::string_view text);

  uint64_t faultCount() const { return faults_; }

 private:
  uint64_t faults_ = 0;
};

// A console over two standard streams: std::cin/std::cout for the program,
// string streams for the tests.
class StreamConsole : public Console {
 public:
  StreamConsole(std::istream& in, std::ostream& out) : in_(in), out_(out) {}
  bool ReadWord(std::string& word) override;
  void Write(std::string_view text) override;

 private:
  std::istream& in_;
  std::ostream& out_;
};

// Sets up the process's standard streams before the first word is read or
// the first line written. On Windows it switches standard input, output and
// error to binary mode: every byte reaches the console or pipe as written
// ("\n" stays one line feed, as on every other system) and every typed byte
// is read as it came, so the dialogue is the same byte for byte everywhere.
// Elsewhere it does nothing.
void PrepareConsole();

}  // namespace zav
