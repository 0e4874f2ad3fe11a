// Benchmark of the converter (not a test): generates large inputs with the
// fixture builder, converts each several times without pauses and reports
// medians: conversion time, MB/s of ASE text, nanoseconds per FormatFloat
// over a realistic mix of values, peak resident memory of a conversion, and,
// side by side in the same run, the time to write the same number of bytes
// to a file, which no conversion can beat.
//
//   zavbench [--runs N] [--dir FOLDER]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "ase/export_frame.h"
#include "ase/format_float.h"
#include "console/file_image.h"
#include "fixtures/samples.h"
#include "platform/console.h"
#include "platform/files.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void WriteFile(const std::string& path, const zav::fixtures::Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

struct ConversionRun {
  double seconds = 0;     // export alone, the input already in memory
  double peakMiB = 0;     // peak resident memory of the whole conversion process
  uint64_t outputBytes = 0;
};

// Converts `input` in a child process, so that its peak memory is the
// conversion's own: load the file whole, run the export without pauses.
ConversionRun ConvertOnce(const std::string& input, bool stage) {
  int fds[2];
  if (pipe(fds) != 0) std::exit(1);
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    zav::LocalFileSystem files;
    std::istringstream in;
    std::ostringstream console_text;
    zav::StreamConsole console(in, console_text);
    zav::NameCounters counters;
    zav::LoadedFile loaded = zav::LoadFileImage(files, input);
    std::optional<zav::LoadedFile> bone;
    if (!stage) bone = zav::LoadFileImage(files, input.substr(0, input.size() - 1) + "b");
    zav::ExportEnv env{console, files, zav::NoPause, counters, input, "C:\\textures\\"};
    const auto start = Clock::now();
    if (stage) {
      zav::ExportStage(env, loaded.image.view());
    } else {
      zav::ExportModel(env, loaded.image.view(), bone->image.view());
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (write(fds[1], &seconds, sizeof seconds) != sizeof seconds) _exit(1);
    _exit(console.faultCount() == 0 ? 0 : 3);
  }
  close(fds[1]);
  ConversionRun run;
  if (read(fds[0], &run.seconds, sizeof run.seconds) != sizeof run.seconds) run.seconds = -1;
  close(fds[0]);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::cerr << "zavbench: the conversion of " << input << " did not finish cleanly\n";
    std::exit(1);
  }
  run.peakMiB = usage.ru_maxrss / 1024.0;
  run.outputBytes = fs::file_size(zav::MakeOutputPath(input));
  return run;
}

// Writes `bytes` bytes to a file in blocks of 256 KiB, as the text sink does.
double RawWrite(const std::string& path, uint64_t bytes) {
  std::vector<char> block(1 << 18, 'x');
  const auto start = Clock::now();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  for (uint64_t done = 0; done < bytes; done += block.size()) {
    std::fwrite(block.data(), 1, std::min<uint64_t>(block.size(), bytes - done), file);
  }
  std::fclose(file);
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Values as they occur in the output: 24.8 coordinates, single-precision
// texture coordinates and rotations, colour levels.
std::vector<double> FloatMix(size_t count) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int32_t> fixed(-(1 << 20), 1 << 20);
  std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
  std::vector<double> values;
  values.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    switch (i % 4) {
      case 0: values.push_back(static_cast<float>(fixed(random) * 0.00390625)); break;
      case 1: values.push_back(unit(random)); break;
      case 2: values.push_back(static_cast<float>(std::acos(unit(random)) * 2)); break;
      default: values.push_back(std::floor(65536.0 * (fixed(random) & 255) / 300 + 0.5) / 65536); break;
    }
  }
  return values;
}

double FormatFloatNanoseconds(const std::vector<double>& values) {
  char text[zav::kFormatFloatCapacity];
  size_t sink = 0;
  const auto start = Clock::now();
  for (double v : values) sink += zav::FormatFloatTo(v, text);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (sink == 0) std::cerr << "";
  return seconds * 1e9 / static_cast<double>(values.size());
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  std::string dir = "bench-data";
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--runs" && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
    else if (a == "--dir" && i + 1 < argc) dir = argv[++i];
    else {
      std::cerr << "usage: zavbench [--runs N] [--dir FOLDER]\n";
      return 2;
    }
  }
  fs::create_directories(dir);
  using namespace zav::fixtures;

  std::cout << "zavbench: " << runs << " runs per figure, " << std::thread::hardware_concurrency()
            << " cores; medians\n";
  const std::string stagePath = dir + "/large.stg";
  const std::string modelPath = dir + "/large.dat";
  {
    WriteFile(stagePath, BuildStage(SampleStage(254, 256, 1000)));
    WriteFile(modelPath, BuildModel(LargeModel(100, 5000, 10000)));
    WriteFile(dir + "/large.dab", BuildModel(LargeBones(100)));
  }

  const std::vector<double> mix = FloatMix(2000000);
  std::vector<double> ns;
  for (int r = 0; r < runs; ++r) ns.push_back(FormatFloatNanoseconds(mix));
  std::printf("FormatFloat: %.1f ns per value (realistic mix of %zu values)\n", Median(ns), mix.size());

  for (const bool stage : {true, false}) {
    const std::string& input = stage ? stagePath : modelPath;
    const uint64_t inputBytes = fs::file_size(input) + (stage ? 0 : fs::file_size(dir + "/large.dab"));
    std::vector<double> seconds, raw, peak;
    uint64_t outputBytes = 0;
    for (int r = 0; r < runs; ++r) {
      const ConversionRun run = ConvertOnce(input, stage);
      seconds.push_back(run.seconds);
      peak.push_back(run.peakMiB);
      outputBytes = run.outputBytes;
      raw.push_back(RawWrite(dir + "/raw.bin", outputBytes));
    }
    const double t = Median(seconds), w = Median(raw);
    std::printf(
        "%s: input %.1f MiB, output %.1f MiB; conversion %.3f s = %.0f MB/s of ASE text; "
        "raw write of the same bytes %.3f s (conversion %.2fx the raw write); peak memory %.1f MiB\n",
        stage ? "stage (65,535 vertices, 130,048 faces, 1,000 lights)"
              : "model (100 objects of 5,000 vertices and 10,000 faces, 100 bones)",
        inputBytes / 1048576.0, outputBytes / 1048576.0, t, outputBytes / t / 1e6, w, t / w, Median(peak));
  }
  fs::remove(dir + "/raw.bin");
  return 0;
}
