#include "platform/console.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

namespace zav {

namespace {
// The whitespace of formatted extraction in the classic locale.
bool IsSpace(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
}  // namespace

void PrepareConsole() {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
}

void Console::Line(std::string_view text) {
  std::string line;
  line.reserve(text.size() + 1);
  line.append(text);
  line.push_back('\n');
  Write(line);
}

void Console::Fault(std::string_view text) {
  ++faults_;
  Line(text);
}

bool StreamConsole::ReadWord(std::string& word) {
  word.clear();
  std::streambuf* buf = in_.rdbuf();
  int c = buf->sgetc();
  while (c != std::char_traits<char>::eof() && IsSpace(c)) c = buf->snextc();
  while (c != std::char_traits<char>::eof() && !IsSpace(c)) {
    word.push_back(static_cast<char>(c));
    c = buf->snextc();
  }
  return !word.empty();
}

void StreamConsole::Write(std::string_view text) {
  out_.write(text.data(), static_cast<std::streamsize>(text.size()));
  out_.flush();
}

}  // namespace zav
