// Benchmark of the converter (not a test): generates large inputs with the
// fixture builder, converts each several times without pauses and reports
// medians: conversion time, MB/s of ASE text, nanoseconds per FormatFloat
// over a realistic mix of values, peak resident memory of a conversion, and,
// side by side in the same run, the time to write the same number of bytes
// to a file, which no conversion can beat.
//
//   zavbench [--runs N] [--dir FOLDER]
#include <sys/resource.h>
#include <sys/types.h>
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

// CPU time of this process: the figure that load on the machine disturbs least.
double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Timing {
  double wall = 0;
  double cpu = 0;
};

struct ConversionRun {
  Timing time;            // export alone, the input already in memory
  double peakMiB = 0;     // peak resident memory of the whole conversion process
  uint64_t outputBytes = 0;
};

// One conversion in this process: load the file whole and run the export
// without pauses; prints the export's wall and CPU seconds.
int ConvertHere(const std::string& kind, const std::string& input) {
  const bool stage = kind == "stage";
  zav::LocalFileSystem files;
  std::istringstream in;
  std::ostringstream consoleText;
  zav::StreamConsole console(in, consoleText);
  zav::NameCounters counters;
  zav::LoadedFile loaded = zav::LoadFileImage(files, input);
  std::optional<zav::LoadedFile> bone;
  if (!stage) bone = zav::LoadFileImage(files, input.substr(0, input.size() - 1) + "b");
  zav::ExportEnv env{console, files, zav::NoPause, counters, input, "C:\\textures\\"};
  const auto start = Clock::now();
  const double cpuStart = CpuSeconds();
  if (stage) {
    zav::ExportStage(env, loaded.image.view());
  } else {
    zav::ExportModel(env, loaded.image.view(), bone->image.view());
  }
  std::printf("%.9f %.9f\n", std::chrono::duration<double>(Clock::now() - start).count(), CpuSeconds() - cpuStart);
  return console.faultCount() == 0 ? 0 : 3;
}

// Converts `input` in a fresh process of this program, so that the peak
// memory is the conversion's own.
ConversionRun ConvertOnce(const std::string& self, const std::string& input, bool stage) {
  int fds[2];
  if (pipe(fds) != 0) std::exit(1);
  const pid_t child = fork();
  if (child == 0) {
    dup2(fds[1], STDOUT_FILENO);
    close(fds[0]);
    close(fds[1]);
    execl(self.c_str(), self.c_str(), "--convert", stage ? "stage" : "model", input.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  char text[128] = {};
  ssize_t got = read(fds[0], text, sizeof text - 1);
  close(fds[0]);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  ConversionRun run;
  if (got <= 0 || std::sscanf(text, "%lf %lf", &run.time.wall, &run.time.cpu) != 2 || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    std::cerr << "zavbench: the conversion of " << input << " did not finish cleanly\n";
    std::exit(1);
  }
  run.peakMiB = usage.ru_maxrss / 1024.0;
  run.outputBytes = fs::file_size(zav::MakeOutputPath(input));
  return run;
}

// Writes `bytes` bytes to a file in blocks of 256 KiB, as the text sink does.
Timing RawWrite(const std::string& path, uint64_t bytes) {
  std::vector<char> block(1 << 18, 'x');
  const auto start = Clock::now();
  const double cpuStart = CpuSeconds();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  for (uint64_t done = 0; done < bytes; done += block.size()) {
    std::fwrite(block.data(), 1, std::min<uint64_t>(block.size(), bytes - done), file);
  }
  std::fclose(file);
  return {std::chrono::duration<double>(Clock::now() - start).count(), CpuSeconds() - cpuStart};
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
  const double start = CpuSeconds();
  for (double v : values) sink += zav::FormatFloatTo(v, text);
  const double seconds = CpuSeconds() - start;
  if (sink == 0) std::cerr << "";
  return seconds * 1e9 / static_cast<double>(values.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--convert") return ConvertHere(argv[2], argv[3]);
  const std::string self = fs::canonical("/proc/self/exe").string();
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
    std::vector<double> wall, cpu, rawWall, rawCpu, ratioWall, ratioCpu, peak;
    uint64_t outputBytes = 0;
    for (int r = 0; r < runs; ++r) {
      const ConversionRun run = ConvertOnce(self, input, stage);
      outputBytes = run.outputBytes;
      const Timing raw = RawWrite(dir + "/raw.bin", outputBytes);
      wall.push_back(run.time.wall);
      cpu.push_back(run.time.cpu);
      rawWall.push_back(raw.wall);
      rawCpu.push_back(raw.cpu);
      ratioWall.push_back(run.time.wall / raw.wall);
      ratioCpu.push_back(run.time.cpu / raw.cpu);
      peak.push_back(run.peakMiB);
    }
    std::printf("%s\n  input %.1f MiB, output %.1f MiB, peak memory %.1f MiB\n",
                stage ? "stage: 65,535 vertices, 130,048 faces, 1,000 lights"
                      : "model: 100 objects of 5,000 vertices and 10,000 faces, 100 bones",
                inputBytes / 1048576.0, outputBytes / 1048576.0, Median(peak));
    std::printf("  conversion: %.3f s CPU = %.0f MB/s of ASE text (wall %.3f s = %.0f MB/s)\n", Median(cpu),
                outputBytes / Median(cpu) / 1e6, Median(wall), outputBytes / Median(wall) / 1e6);
    std::printf("  raw write of the same bytes: %.3f s CPU, %.3f s wall; conversion / raw write: %.2fx CPU, %.2fx wall\n",
                Median(rawCpu), Median(rawWall), Median(ratioCpu), Median(ratioWall));
  }
  fs::remove(dir + "/raw.bin");
  return 0;
}
