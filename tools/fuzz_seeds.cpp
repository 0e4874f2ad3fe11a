// Writes the seed inputs of the fuzz targets, made with the fixture builder:
//   zavseeds CORPUS_FOLDER   (writes into CORPUS_FOLDER/model, /stage, /console)
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "fixtures/samples.h"

namespace {

using zav::fixtures::Bytes;

void Write(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The model target's input: the model's length, the model, the bone file.
Bytes ModelInput(const Bytes& model, const Bytes& bone) {
  Bytes input(4);
  for (int i = 0; i < 4; ++i) input[static_cast<size_t>(i)] = static_cast<uint8_t>(model.size() >> (8 * i));
  input.insert(input.end(), model.begin(), model.end());
  input.insert(input.end(), bone.begin(), bone.end());
  return input;
}

// The stage target's input: the fields the header holds, then the rest.
Bytes StageInput(const Bytes& stage) {
  Bytes input(stage.begin() + 28, stage.begin() + 32);
  input.insert(input.end(), stage.begin() + 262752, stage.end());
  return input;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: zavseeds CORPUS_FOLDER\n";
    return 2;
  }
  using namespace zav::fixtures;
  const std::filesystem::path root(argv[1]);
  for (const char* target : {"model", "stage", "console"}) std::filesystem::create_directories(root / target);

  const Bytes figure = BuildModel(SampleFigure());
  const Bytes bones = BuildModel(SampleFigureBones());
  Write(root / "model" / "seed-figure", ModelInput(figure, bones));
  Write(root / "model" / "seed-figure-alone", ModelInput(figure, {}));
  Write(root / "model" / "seed-large", ModelInput(BuildModel(LargeModel(2, 20, 30)), BuildModel(LargeBones(3))));

  Write(root / "stage" / "seed-ground", StageInput(BuildStage(SampleStage(4, 3, 8))));
  Write(root / "stage" / "seed-empty", StageInput(BuildStage({})));

  const std::string dialogues[] = {
      "a.dat -\nq\n", "s.stg C:\\t\\\nq\n", "e.dat -\nt.txt D:\\x\\\nnone.dat -\nq\n",
      "a.dat q\nC:\\a\\\nQ -\nq.dat -x\n", "a.dab -\ns.stg -\na.dat -\n"};
  int n = 0;
  for (const std::string& text : dialogues) {
    Write(root / "console" / ("seed-" + std::to_string(n++)), Bytes(text.begin(), text.end()));
  }
  return 0;
}
