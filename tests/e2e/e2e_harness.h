#pragma once
// End-to-end runs of the real program: input files written by the fixture
// builder into a scratch folder, the dialogue fed on standard input, the
// console text and the output files compared byte for byte.
//
// The program run is the native build by default. ZAV_TEST_EXE names another
// executable and ZAV_TEST_RUNNER a command put before it (for example the
// Windows build under wine), so the same cases check every build.
#include <string>
#include <utility>
#include <vector>

#include "fixtures/byte_writer.h"

namespace zav::testing {

struct ProgramRun {
  std::string console;  // standard output
  int exitStatus = -1;
};

// A scratch folder, removed with its content at the end of the test.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  const std::string& path() const { return path_; }
  std::string Write(const std::string& name, const fixtures::Bytes& bytes) const;
  std::string Read(const std::string& name) const;
  bool Exists(const std::string& name) const;

 private:
  std::string path_;
};

// Runs the program in `folder` with `input` on standard input and `arguments`
// on its command line.
ProgramRun RunProgram(const ScratchFolder& folder, const std::string& input,
                      const std::vector<std::string>& arguments = {});

// The text of a file kept under tests/e2e/expected/.
std::string ExpectedFile(const std::string& name);

// Compares `actual` with the expected file `name`. With ZAV_UPDATE_EXPECTED=1
// in the environment the file is (re)written instead; every rewritten file
// must then be read through by hand before it is committed.
void ExpectMatchesFile(const std::string& actual, const std::string& name);

// Runs the dialogue `input` in `folder`: the program must end with status 0,
// print the console text of the expected file `expectedConsole` and write
// `output` with the text of the expected file `expectedOutput`.
void ExpectConversion(const ScratchFolder& folder, const std::string& input, const std::string& expectedConsole,
                      const std::string& output, const std::string& expectedOutput);

}  // namespace zav::testing
