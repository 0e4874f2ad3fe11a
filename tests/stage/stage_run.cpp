#include "stage/stage_run.h"

#include <optional>
#include <string_view>

namespace zav::testing {

namespace {

std::string LastLine(std::string_view text, std::string_view end) {
  if (text.size() < end.size()) return {};
  text.remove_suffix(end.size());
  const size_t start = text.rfind(end);
  return std::string(start == std::string_view::npos ? text : text.substr(start + end.size()));
}

}  // namespace

std::vector<std::string> StageRun::lines() const {
  std::vector<std::string> result;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    result.push_back(text.substr(start, end - start));
  }
  return result;
}

StageRun RunStageWriter(const fixtures::StageSpec& stage, const StageWriter& writer) {
  const fixtures::Bytes bytes = fixtures::BuildStage(stage);
  std::istringstream in;
  std::ostringstream out;
  StreamConsole console(in, out);
  StageRun run;
  const std::optional<StageLayout> layout = LocateStage(ByteView(bytes.data(), bytes.size()), console);
  run.located = layout.has_value();
  if (layout) {
    TextSink sink;
    const Pause pause = [&](int milliseconds) {
      run.pauses.push_back({milliseconds, LastLine(sink.Buffered(), "\r\n"), LastLine(out.str(), "\n")});
    };
    writer(sink, console, pause, *layout);
    run.text = std::string(sink.Buffered());
  }
  run.console = out.str();
  return run;
}

std::string LocateConsole(const fixtures::Bytes& bytes, bool& located) {
  std::istringstream in;
  std::ostringstream out;
  StreamConsole console(in, out);
  located = LocateStage(ByteView(bytes.data(), bytes.size()), console).has_value();
  return out.str();
}

std::vector<std::string> StageRun::LinesOf(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& line : lines()) {
    const size_t text = line.find_first_not_of('\t');
    if (text != std::string::npos && line.compare(text, prefix.size(), prefix) == 0) found.push_back(line);
  }
  return found;
}

}  // namespace zav::testing
