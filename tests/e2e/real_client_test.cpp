// A real client reads every converted sample: the asset importer library's
// command-line tool loads each output, and the counts it reports must match
// the samples' own numbers. Under CI the tool must be there; elsewhere the
// test is skipped without it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>

#include "e2e/e2e_harness.h"
#include "fixtures/samples.h"

namespace zav::testing {
namespace {

using namespace fixtures;

struct ClientReport {
  std::map<std::string, std::string> figures;       // "Faces" -> "3200"
  std::set<std::string> textures;                   // texture references
  std::map<std::string, std::string> parentOf;      // node name -> parent name ("" for top nodes)
};

bool HaveClient() { return std::system("command -v assimp >/dev/null 2>&1") == 0; }

// Code points before the node name of a hierarchy line: its depth.
size_t IndentOf(const std::string& line, size_t nameStart) {
  size_t points = 0;
  for (size_t i = 0; i < nameStart; ++i) {
    if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80) ++points;
  }
  return points;
}

// Reads the scene without post-processing, so that meshes and faces are the
// file's own.
ClientReport Inspect(const ScratchFolder& folder, const std::string& file) {
  const std::string command = "cd '" + folder.path() + "' && assimp info '" + file + "' -r 2>&1";
  std::FILE* pipe = popen(command.c_str(), "r");
  std::string text;
  char buffer[4096];
  while (size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) text.append(buffer, got);
  pclose(pipe);

  ClientReport report;
  std::istringstream lines(text);
  std::string line;
  enum { Figures, Textures, Hierarchy, Other } section = Figures;
  std::vector<std::pair<size_t, std::string>> stack;  // depth, name
  while (std::getline(lines, line)) {
    if (line.rfind("Texture Refs:", 0) == 0) { section = Textures; continue; }
    if (line.rfind("Node hierarchy:", 0) == 0) { section = Hierarchy; continue; }
    if (line.rfind("Meshes:  (name)", 0) == 0 || line.rfind("Named Materials:", 0) == 0) { section = Other; continue; }
    if (section == Figures) {
      const size_t colon = line.find(':');
      if (colon != std::string::npos) {
        const size_t value = line.find_first_not_of(' ', colon + 1);
        if (value != std::string::npos) report.figures[line.substr(0, colon)] = line.substr(value);
      }
    } else if (section == Textures) {
      const size_t open = line.find('\'');
      if (open != std::string::npos) report.textures.insert(line.substr(open + 1, line.rfind('\'') - open - 1));
    } else if (section == Hierarchy) {
      const size_t mark = line.find("\xe2\x95\xb4");  // the box-drawing stub before a name
      if (mark == std::string::npos) continue;
      std::string name = line.substr(mark + 3);
      name = name.substr(0, name.find(" (mesh"));
      const size_t depth = IndentOf(line, mark);
      while (!stack.empty() && stack.back().first >= depth) stack.pop_back();
      if (!name.empty()) {
        std::string parent;
        for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
          if (!it->second.empty()) { parent = it->second; break; }
        }
        report.parentOf[name] = parent;
      }
      stack.emplace_back(depth, name);
    }
  }
  return report;
}

std::string FileNameOf(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

class RealClient : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveClient()) {
      if (std::getenv("CI") != nullptr) FAIL() << "assimp is missing; CI installs assimp-utils";
      GTEST_SKIP() << "assimp is not installed (Debian package assimp-utils)";
    }
  }
};

TEST_F(RealClient, LoadsTheFigureWithItsBones) {
  const ModelSpec figure = SampleFigure();
  const ModelSpec bones = SampleFigureBones();
  ScratchFolder folder;
  folder.Write("figure.dat", BuildModel(figure));
  folder.Write("figure.dab", BuildModel(bones));
  ASSERT_EQ(RunProgram(folder, "", {"-t", "C:\\textures\\", "figure.dat"}).exitStatus, 0);
  const ClientReport report = Inspect(folder, "figure.ase");

  // The client splits each object's mesh by sub-material; bones have none and
  // share one default material that it adds.
  int meshes = 0, faces = 0, animated = 0;
  std::map<std::string, std::string> parents;
  for (const ModelSpec* file : {&figure, &bones}) {
    for (const ObjectSpec& o : file->objects) {
      std::set<int16_t> ids;
      for (const FaceSpec& f : o.faces) ids.insert(file == &bones ? 0 : f.materialId);
      meshes += static_cast<int>(ids.size());
      faces += static_cast<int>(o.faces.size());
      if (!o.rotKeys.empty() || !o.posKeys.empty() || !o.scaleKeys.empty()) ++animated;
      parents[o.name] = o.parentName;
    }
  }
  std::set<std::string> textures;
  for (const MaterialSpec& m : figure.materials)
    for (const std::string& name : m.textureNames) textures.insert("C:\\textures\\" + FileNameOf(name));

  EXPECT_EQ(report.figures.at("Meshes"), std::to_string(meshes));
  EXPECT_EQ(report.figures.at("Faces"), std::to_string(faces));
  EXPECT_EQ(report.figures.at("Materials"), std::to_string(figure.materials.size() + 1));
  EXPECT_EQ(report.figures.at("Animation Channels"), std::to_string(animated));
  EXPECT_EQ(report.figures.at("Lights"), "0");
  EXPECT_EQ(report.textures, textures);
  EXPECT_EQ(report.parentOf, parents);
}

TEST_F(RealClient, LoadsTheStageWithItsLights) {
  const StageSpec stage = SampleStage();
  ScratchFolder folder;
  folder.Write("ground.stg", BuildStage(stage));
  ASSERT_EQ(RunProgram(folder, "", {"ground.stg"}).exitStatus, 0);
  const ClientReport report = Inspect(folder, "ground.ase");

  std::set<int16_t> ids;
  for (const StageFaceSpec& f : stage.faces) ids.insert(f.materialId);
  std::set<std::string> textures;
  for (const MaterialSpec& m : stage.materials)
    for (const std::string& name : m.textureNames) textures.insert("C:\\textures\\" + FileNameOf(name));
  std::map<std::string, std::string> parents{{"Object", ""}};
  static const char* kPrefixes[] = {"", "night:", "lens:", "", "", "", "", "", "obj:"};
  for (size_t i = 0; i < stage.lights.size(); ++i) {
    std::string name;
    for (const uint16_t bit : {1, 2, 8})
      if (stage.lights[i].flags & bit) name += kPrefixes[bit];
    parents[name + std::to_string(i + 1)] = "";
  }

  EXPECT_EQ(report.figures.at("Meshes"), std::to_string(ids.size()));
  EXPECT_EQ(report.figures.at("Faces"), std::to_string(stage.faces.size()));
  EXPECT_EQ(report.figures.at("Materials"), std::to_string(stage.materials.size()));
  EXPECT_EQ(report.figures.at("Lights"), std::to_string(stage.lights.size()));
  EXPECT_EQ(report.figures.at("Animation Channels"), "0");
  EXPECT_EQ(report.textures, textures);
  EXPECT_EQ(report.parentOf, parents);
}

}  // namespace
}  // namespace zav::testing
