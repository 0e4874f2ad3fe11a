// Writes the sample files of the demo into a folder: an animated, skinned
// figure (figure.dat with its bone file figure.dab) and a stage (ground.stg),
// all made by the fixture builder.
#include <fstream>
#include <iostream>
#include <string>

#include "fixtures/samples.h"

namespace {

bool WriteFile(const std::string& path, const zav::fixtures::Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: zavsamples FOLDER\n";
    return 2;
  }
  using namespace zav::fixtures;
  const std::string folder = std::string(argv[1]) + "/";
  const bool ok = WriteFile(folder + "figure.dat", BuildModel(SampleFigure())) &&
                  WriteFile(folder + "figure.dab", BuildModel(SampleFigureBones())) &&
                  WriteFile(folder + "ground.stg", BuildStage(SampleStage()));
  if (!ok) {
    std::cerr << "zavsamples: could not write the samples into " << folder << "\n";
    return 1;
  }
  std::cout << "figure.dat\nfigure.dab\nground.stg\n";
  return 0;
}
