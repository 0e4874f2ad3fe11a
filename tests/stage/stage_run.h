#pragma once
// Runs one writer of the stage export on a stage built by the fixture
// builder, and records its text, its console lines and its pauses.
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "ase/text_sink.h"
#include "fixtures/stage_builder.h"
#include "formats/stage_layout.h"
#include "platform/console.h"
#include "platform/pause.h"

namespace zav::testing {

// One pause, with the last line of text and of console written before it.
struct PausePoint {
  int milliseconds = 0;
  std::string lastTextLine;
  std::string lastConsoleLine;
  bool operator==(const PausePoint&) const = default;
};

struct StageRun {
  bool located = false;
  std::string console;
  std::string text;
  std::vector<PausePoint> pauses;
  // The text split at its CR LF line ends.
  std::vector<std::string> lines() const;
  // The lines that start with `prefix` after their TABs.
  std::vector<std::string> LinesOf(const std::string& prefix) const;
};

using StageWriter = std::function<void(TextSink&, Console&, const Pause&, const StageLayout&)>;

// Locates `stage` and, when that succeeds, runs `writer` on it.
StageRun RunStageWriter(const fixtures::StageSpec& stage, const StageWriter& writer);

// The console text of LocateStage alone on `bytes`; `located` tells whether
// it gave a layout.
std::string LocateConsole(const fixtures::Bytes& bytes, bool& located);

}  // namespace zav::testing
