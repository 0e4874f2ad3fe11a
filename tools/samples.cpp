// Writes the sample files of the demo into a folder: a model with its bone
// file and a stage, all made by the fixture builder.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "fixtures/model_builder.h"
#include "fixtures/stage_builder.h"

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

  ModelSpec model;
  ObjectSpec box;
  box.name = "box";
  box.vertices = {{0, 0, 0}, {256, 0, 0}, {0, 256, 0}};
  box.faces = {{0, 1, 2, 0}};
  box.texCoords = {{{0, 1, 0}, {0, 0, 1}}};
  model.objects.push_back(box);

  ModelSpec bones;
  ObjectSpec root;
  root.name = "root";
  bones.objects.push_back(root);

  StageSpec stage;
  stage.vertices = {{0, 0, 0, {100, 100, 100}}, {256, 0, 0, {200, 200, 200}}, {0, 0, 256, {300, 300, 300}}};
  stage.faces = {{0, 1, 2, 0, 0}};
  stage.lights = {{1, 512, 256, -128, 1, {114, 57, 0}}};

  const bool ok = WriteFile(folder + "figure.dat", BuildModel(model)) &&
                  WriteFile(folder + "figure.dab", BuildModel(bones)) &&
                  WriteFile(folder + "ground.stg", BuildStage(stage));
  if (!ok) {
    std::cerr << "zavsamples: could not write the samples into " << folder << "\n";
    return 1;
  }
  return 0;
}
