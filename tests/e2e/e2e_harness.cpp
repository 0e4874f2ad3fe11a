#include "e2e/e2e_harness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/wait.h>

#ifndef ZAV_SOURCE_DIR
#error "ZAV_SOURCE_DIR must name the source folder"
#endif

namespace zav::testing {

namespace fs = std::filesystem;

namespace {

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') quoted += "'\\''";
    else quoted.push_back(c);
  }
  return quoted + "'";
}

std::string Environment(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::string(value) : fallback;
}

}  // namespace

ScratchFolder::ScratchFolder() {
  std::random_device seed;
  const fs::path base = fs::temp_directory_path();
  for (;;) {
    fs::path candidate = base / ("zavtest-" + std::to_string(seed()));
    if (fs::create_directory(candidate)) {
      path_ = candidate.string();
      break;
    }
  }
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string ScratchFolder::Write(const std::string& name, const fixtures::Bytes& bytes) const {
  const fs::path path = fs::path(path_) / name;
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

std::string ScratchFolder::Read(const std::string& name) const { return ReadWhole(fs::path(path_) / name); }

bool ScratchFolder::Exists(const std::string& name) const { return fs::exists(fs::path(path_) / name); }

ProgramRun RunProgram(const ScratchFolder& folder, const std::string& input,
                      const std::vector<std::string>& arguments) {
  const fs::path dir(folder.path());
  {
    std::ofstream in(dir / ".stdin", std::ios::binary);
    in << input;
  }
  std::string command = "cd " + Quote(folder.path()) + " && ";
  const std::string runner = Environment("ZAV_TEST_RUNNER", "");
  if (!runner.empty()) command += runner + " ";
  command += Quote(Environment("ZAV_TEST_EXE", ZAV_EXE));
  for (const std::string& argument : arguments) command += " " + Quote(argument);
  command += " < .stdin > .stdout 2> .stderr";
  const int status = std::system(command.c_str());
  ProgramRun run;
  run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.console = ReadWhole(dir / ".stdout");
  fs::remove(dir / ".stdin");
  fs::remove(dir / ".stdout");
  fs::remove(dir / ".stderr");
  return run;
}

std::string ExpectedFile(const std::string& name) {
  return ReadWhole(fs::path(ZAV_SOURCE_DIR) / "tests" / "e2e" / "expected" / name);
}

void ExpectMatchesFile(const std::string& actual, const std::string& name) {
  const fs::path path = fs::path(ZAV_SOURCE_DIR) / "tests" / "e2e" / "expected" / name;
  if (Environment("ZAV_UPDATE_EXPECTED", "") == "1") {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << actual;
    return;
  }
  ASSERT_TRUE(fs::exists(path)) << "missing expected file " << path;
  EXPECT_EQ(actual, ReadWhole(path)) << "differs from " << path;
}

void ExpectConversion(const ScratchFolder& folder, const std::string& input, const std::string& expectedConsole,
                      const std::string& output, const std::string& expectedOutput) {
  const ProgramRun run = RunProgram(folder, input);
  EXPECT_EQ(run.exitStatus, 0);
  ExpectMatchesFile(run.console, expectedConsole);
  ASSERT_TRUE(folder.Exists(output)) << output;
  ExpectMatchesFile(folder.Read(output), expectedOutput);
}

}  // namespace zav::testing
