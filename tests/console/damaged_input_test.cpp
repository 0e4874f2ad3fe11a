// Damaged and hostile files through the whole conversion: each case is a
// small image made by the fixture builder, with the exact console text from
// "Opening" on and either no output at all or the lines its output must hold.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <set>
#include <sstream>

#include "console/run_console.h"
#include "fixtures/model_builder.h"
#include "fixtures/stage_builder.h"
#include "support/memory_files.h"

namespace zav::testing {
namespace {

using namespace fixtures;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

struct DamagedCase {
  std::string name;
  std::string file;  // its name decides the kind of output path
  Bytes bytes;
  std::optional<Bytes> bone;  // the companion bone file
  std::string console;        // from "Opening" on
  // nullopt: no output may exist; otherwise lines the output holds, in order.
  std::optional<std::vector<std::string>> output;
};

void PrintTo(const DamagedCase& c, std::ostream* os) { *os << c.name; }

Bytes Cut(Bytes bytes, size_t size) {
  bytes.resize(size);
  return bytes;
}

std::string Size(const Bytes& bytes) { return std::to_string(bytes.size()); }

ObjectSpec Box(const std::string& name) {
  ObjectSpec o;
  o.name = name;
  o.vertices = {{256, 0, 0}, {0, 256, 0}, {0, 0, 256}};
  o.faces = {{0, 1, 2, 0}};
  return o;
}

const std::string kModelHead = "Opening m.dat for reading...\nMODEL recognized, export starting in 1 second...\n";
const std::string kStageHead = "Opening s.stg for reading...\nSTAGE recognized, export starting in 1 second...\n";

std::vector<DamagedCase> Cases() {
  std::vector<DamagedCase> cases;

  // --- model files -------------------------------------------------------
  {
    // Cut inside the header: the fields past the end read as 0.
    const Bytes image = Cut(BuildModel({}), 26);
    cases.push_back({"ModelHeaderCut", "m.dat", image, std::nullopt,
                     kModelHead + "Materials: 0\nMaterials done!\nObjects: 0\nObjects done!\n"
                                  "MODEL export finished successfully, file: m.ase\n",
                     std::vector<std::string>{"\t*SCENE_LASTFRAME 100", "\t*MATERIAL_COUNT 0"}});
  }
  {
    // Cut inside the directory: the first record lies past the end.
    ModelSpec spec;
    spec.objects = {Box("A"), Box("B")};
    const Bytes image = Cut(BuildModel(spec), 600);
    cases.push_back({"ModelDirectoryCut", "m.dat", image, std::nullopt,
                     kModelHead + "Materials: 0\nMaterials done!\nObjects: 2\n"
                                  "Object 1 does not fit in the file (offset 0000027C, end 00000B38, file size 600)! "
                                  "Must exit!\nObjects done!\nMODEL export finished successfully, file: m.ase\n",
                     std::vector<std::string>{"\t*MATERIAL_COUNT 0", "}"}});
  }
  {
    // Cut inside a texture name list: the records before it are kept, the
    // objects cannot be found.
    ModelSpec spec;
    MaterialSpec first, second;
    second.textureCount = 1;
    second.textureNames = {"C:\\maps\\rock.bmp"};
    spec.materials = {first, second};
    spec.objects = {Box("A")};
    const Bytes full = BuildModel(spec);
    const size_t cut = 556 + 40 + 88 + 324 + 324 + 5;
    cases.push_back({"ModelNameListCut", "m.dat", Cut(full, cut), std::nullopt,
                     kModelHead + "Materials: 2\nMaterial 0...\n"
                                  "Material 1 does not fit in the file (offset 000003F0, end 00000546, file size " +
                         std::to_string(cut) + "); 1 of 2 materials written\nMaterials done!\nObjects: 1\n"
                                               "Objects cannot be located: the material block runs past the end of "
                                               "the file! Must exit!\nObjects done!\n"
                                               "MODEL export finished successfully, file: m.ase\n",
                     std::vector<std::string>{"\t*MATERIAL_COUNT 1", "\t\t*NUMSUBMTLS 1", "\t\t*SUBMATERIAL 0 {"}});
  }
  {
    // The second record's fixed part is cut: the first object is kept.
    ModelSpec spec;
    spec.objects = {Box("A"), Box("B")};
    const Bytes full = BuildModel(spec);
    const size_t second = 556 + 80 + 2236 + 3 * 24 + 36;
    cases.push_back({"ModelRecordCut", "m.dat", Cut(full, second + 100), std::nullopt,
                     kModelHead + "Materials: 0\nMaterials done!\nObjects: 2\nObject A...\n"
                                  "Object 2 does not fit in the file (offset 00000BA4, end 00001460, file size " +
                         std::to_string(second + 100) + ")! Must exit!\nObjects done!\n"
                                                        "MODEL export finished successfully, file: m.ase\n",
                     std::vector<std::string>{"\t*NODE_NAME \"A\"", "\t\t*MESH_NUMVERTEX 3"}});
  }
  {
    // Counts that claim billions of elements fail on the bounds check.
    ModelSpec spec;
    ObjectSpec huge = Box("Huge");
    huge.vertexCount = 0xFFFFFFFFu;
    huge.rotKeyCount = 0xFFFFFFFFu;
    spec.objects = {huge};
    const Bytes image = BuildModel(spec);
    cases.push_back({"ModelHugeCounts", "m.dat", image, std::nullopt,
                     kModelHead + "Materials: 0\nMaterials done!\nObjects: 1\n"
                                  "Object 1 does not fit in the file (offset 00000254, end 6C00000AC8, file size " +
                         Size(image) + ")! Must exit!\nObjects done!\nMODEL export finished successfully, file: m.ase\n",
                     std::vector<std::string>{"\t*SCENE_LASTFRAME 100"}});
  }
  {
    // Skinned vertices whose bone names are cut off.
    ModelSpec spec;
    ObjectSpec skinned = Box("Skin");
    skinned.physiqueFlag = 1;
    skinned.boneNames = {"Hip", "Hip", "Hip"};
    spec.objects = {skinned};
    const Bytes full = BuildModel(spec);
    cases.push_back({"ModelBoneNamesCut", "m.dat", Cut(full, full.size() - 40), std::nullopt,
                     kModelHead + "Materials: 0\nMaterials done!\nObjects: 1\n"
                                  "Object 1 does not fit in the file (offset 00000254, end " +
                         [&] {
                           std::ostringstream hex;
                           hex << std::uppercase << std::hex;
                           hex.width(8);
                           hex.fill('0');
                           hex << full.size();
                           return hex.str();
                         }() +
                         ", file size " + std::to_string(full.size() - 40) +
                         ")! Must exit!\nObjects done!\nMODEL export finished successfully, file: m.ase\n",
                     std::vector<std::string>{"*MATERIAL_LIST {"}});
  }
  {
    // Negative counts and list sizes mean empty; names without a NUL end
    // with their 32-byte field.
    ModelSpec spec;
    MaterialSpec material;
    material.nameListSize = -5;
    material.textureCount = 1;
    spec.materials = {material};
    ObjectSpec named = Box(std::string(32, 'N'));
    named.parentName = std::string(40, 'P');
    spec.objects = {named};
    cases.push_back({"ModelNegativeListSizeAndNamesWithoutNul", "m.dat", BuildModel(spec), std::nullopt,
                     kModelHead + "Materials: 1\nMaterial 0...\nMaterials done!\nObjects: 1\nObject " +
                         std::string(32, 'N') + "...\nObjects done!\nMODEL export finished successfully, file: m.ase\n",
                     std::vector<std::string>{"\t\t\t\t*BITMAP \"\"", "\t*NODE_NAME \"" + std::string(32, 'N') + "\"",
                                              "\t*NODE_PARENT \"" + std::string(32, 'P') + "\""}});
    ModelSpec negative;
    negative.objectCount = -4;
    negative.materialCount = -1;
    negative.objects = {Box("Ignored")};
    cases.push_back({"ModelNegativeCounts", "m.dat", BuildModel(negative), std::nullopt,
                     kModelHead + "Materials: -1\nMaterials done!\nObjects: -4\nObjects done!\n"
                                  "MODEL export finished successfully, file: m.ase\n",
                     std::vector<std::string>{"\t*MATERIAL_COUNT 0"}});
  }
  {
    // A texture list whose entries run past its size: cut at its end.
    ModelSpec spec;
    MaterialSpec material;
    material.textureCount = 2;
    const std::string list = "C:\\a\\one.bmp";
    material.rawNameList = Bytes(list.begin(), list.end());
    spec.materials = {material};
    cases.push_back({"ModelTextureListWithoutEnd", "m.dat", BuildModel(spec), std::nullopt,
                     kModelHead + "Materials: 1\nMaterial 0...\nMaterials done!\nObjects: 0\nObjects done!\n"
                                  "MODEL export finished successfully, file: m.ase\n",
                     std::vector<std::string>{"\t\t\t\t*BITMAP \"C:\\textures\\one.bmp\"",
                                              "\t\t\t\t*BITMAP \"C:\\textures\\one.bmp\""}});
  }
  {
    // A mesh matrix without an inverse: the vertices are written as stored.
    ModelSpec spec;
    ObjectSpec flat = Box("Flat");
    flat.meshTm[2] = {0, 0, 0, 0};
    spec.objects = {flat};
    cases.push_back({"ModelZeroDeterminant", "m.dat", BuildModel(spec), std::nullopt,
                     kModelHead + "Materials: 0\nMaterials done!\nObjects: 1\nObject Flat...\n"
                                  "Object Flat: mesh matrix cannot be inverted, vertices written untransformed\n"
                                  "Objects done!\nMODEL export finished successfully, file: m.ase\n",
                     std::vector<std::string>{"\t\t\t*MESH_VERTEX         0\t1.0000\t0.0000\t0.0000",
                                              "\t\t\t*MESH_VERTEX         2\t0.0000\t0.0000\t1.0000"}});
  }
  {
    // w beyond 1 is taken as 1 (no rotation), beyond -1 as -1 (a whole turn,
    // whose sine in single precision is tiny but not 0).
    ModelSpec spec;
    ObjectSpec spun = Box("Spun");
    spun.rotation = {0.5f, 0, 0, 1.5f};
    spun.rotKeys = {{0, 0.0f, 1.0f, 0.0f, -1.0000001f}, {160, 0, 0, 0, 2.0f}};
    spec.objects = {spun};
    cases.push_back({"ModelQuaternionBeyondOne", "m.dat", BuildModel(spec), std::nullopt,
                     kModelHead + "Materials: 0\nMaterials done!\nObjects: 1\nObject Spun...\nObjects done!\n"
                                  "MODEL export finished successfully, file: m.ase\n",
                     std::vector<std::string>{"\t\t*TM_ROTAXIS 0.0000\t0.0000\t0.0000", "\t\t*TM_ROTANGLE 0.0000",
                                              "\t\t\t*CONTROL_ROT_SAMPLE 0\t-0.0000\t-11438667.0000\t-0.0000\t6.2832",
                                              "\t\t\t*CONTROL_ROT_SAMPLE 160\t0.0000\t0.0000\t0.0000\t0.0000"}});
  }
  {
    // Values that are not numbers are written 0.0000 and counted.
    ModelSpec spec;
    MaterialSpec material;
    material.diffuseColor = {kNaN, 1, kInf};
    material.transparency = -kInf;
    material.selfIllumination = kNaN;
    spec.materials = {material};
    ObjectSpec odd = Box("Odd");
    odd.rotation = {kNaN, 0, 0, kNaN};
    odd.texCoords = {{{kInf, 0, 0}, {0, kNaN, 0}}};
    odd.posKeys = {{0, kNaN, kInf, -kInf}};
    odd.rotKeys = {{0, 0, 0, 0, kNaN}};
    spec.objects = {odd};
    cases.push_back({"ModelValuesThatAreNotNumbers", "m.dat", BuildModel(spec), std::nullopt,
                     kModelHead + "Materials: 1\nMaterial 0...\nMaterials done!\nObjects: 1\nObject Odd...\nObjects done!\n"
                                  "Warning: 22 values that are not finite numbers were written as 0.0000 in m.ase\n"
                                  "MODEL export finished successfully, file: m.ase\n",
                     std::vector<std::string>{"\t\t*MATERIAL_DIFFUSE 0.0000\t1.0000\t0.0000",
                                              "\t\t\t*CONTROL_POS_SAMPLE 0\t0.0000\t0.0000\t0.0000"}});
  }
  {
    // Key times at the limits of 32 bits.
    ModelSpec spec;
    ObjectSpec timed = Box("Timed");
    timed.rotKeys = {{std::numeric_limits<int32_t>::max()}, {std::numeric_limits<int32_t>::min()}};
    timed.scaleKeys = {{std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min(), 0, 256}};
    spec.objects = {timed};
    cases.push_back({"ModelTimesAtTheLimits", "m.dat", BuildModel(spec), std::nullopt,
                     kModelHead + "Materials: 0\nMaterials done!\nObjects: 1\nObject Timed...\nObjects done!\n"
                                  "MODEL export finished successfully, file: m.ase\n",
                     std::vector<std::string>{"\t*SCENE_LASTFRAME -13421772",
                                              "\t\t\t*CONTROL_ROT_SAMPLE 2147483647\t0.0000\t0.0000\t0.0000\t0.0000",
                                              "\t\t\t*CONTROL_SCALE_SAMPLE 2147483647\t-8388608.0000\t0.0000\t1.0000"}});
  }

  // --- bone files ----------------------------------------------------------
  {
    ModelSpec bones;
    ObjectSpec hip = Box("Hip");
    hip.rotKeys = {{3200}};
    ObjectSpec spine = Box("Spine");
    spine.parentName = "Hip";
    bones.objects = {hip, spine};
    const Bytes full = BuildModel(bones);
    ModelSpec model;
    ObjectSpec skin = Box("Skin");
    skin.physiqueFlag = 1;
    skin.boneNames = {"Hip", "Spine", "Hip"};
    model.objects = {skin};
    const size_t cut = full.size() - 10;
    cases.push_back({"BoneRecordCut", "m.dat", BuildModel(model), Cut(full, cut),
                     kModelHead + "Bones: 2\nBone Hip...\n"
                                  "Bone Object 2 does not fit in the file (offset 00000BF8, end 00001520, file size " +
                         std::to_string(cut) + ")! Must exit!\nBones done! (last frame: 20)\n"
                                               "Materials: 0\nMaterials done!\nObjects: 1\nObject Skin...\n"
                                               "Error matbuf is NULL for BoneName Spine! Must exit!\nObjects done!\n"
                                               "MODEL export finished successfully, file: m.ase\n",
                     std::vector<std::string>{"\t*SCENE_LASTFRAME 20", "\t\t\t*MESH_VERTEX         0\t1.0000\t0.0000\t0.0000",
                                              "\t\t*PHYSIQUE_NUMVERTEXASSIGNMENT  3", "\t*NODE_NAME \"Hip\""}});
  }

  // --- stage files ---------------------------------------------------------
  {
    StageSpec stage;
    const Bytes full = BuildStage(stage);
    cases.push_back({"StageHeaderCut", "s.stg", Cut(full, 1000), std::nullopt,
                     kStageHead + "Stage header does not fit in the file (offset 00000000, end 000402F8, file size 1000)\n",
                     std::nullopt});
  }
  {
    StageSpec stage;
    stage.vertices.resize(3);
    stage.faces = {{0, 1, 2, 0, 0}};
    stage.faceCount = 0x7FFFFFFF;
    cases.push_back({"StageHugeFaceCount", "s.stg", BuildStage(stage), std::nullopt,
                     kStageHead + "Stage face array does not fit in the file (offset 00040354, end E00040338, "
                                  "file size 263024)\n",
                     std::nullopt});
  }
  {
    StageSpec stage;
    stage.vertices.resize(3);
    stage.faces = {{0, 1, 2, 0, 0}, {0, 3, 2, 0, 0}};
    cases.push_back({"StageFaceBeyondTheVertices", "s.stg", BuildStage(stage), std::nullopt,
                     kStageHead + "Stage face 1 names vertex 3, but the stage has 3 vertices\n", std::nullopt});
  }
  {
    // Shading without a divisor, and a face whose corners coincide.
    StageSpec stage;
    stage.shadeDivisor = 0;
    stage.shadeBase = 101;
    stage.shadeVector = {256, 256, 256};
    stage.vertices = {{0, 0, 0, {100, 50, 200}}, {0, 0, 0, {100, 50, 200}}, {256, 0, 0, {100, 50, 200}}};
    stage.faces = {{0, 1, 2, 0, 0}};
    cases.push_back({"StageZeroDivisorAndDegenerateFace", "s.stg", BuildStage(stage), std::nullopt,
                     kStageHead + "Materials: 0 (offset: 000402F8)\n"
                                  "Vertices: 3 (offset: 00040300 size: 84 end: 00040354)\n"
                                  "Faces: 1 (offset: 00040354 size: 28 end: 00040370)\n"
                                  "Textures: 0 (offset: 00040368 size: 0 end: 00040368)\n"
                                  "Vertex Color Faces: 1\n"
                                  "Lights: 0 (offset: 00040368 size: 0 end: 00040368)\n"
                                  "STAGE export finished successfully, file: s.ase\n",
                     // b = 101 - 1 = 100: levels 200 and 100 give 1.0, 50 gives 0.5;
                     // one corner each (m = 2) turns 1.0 into 1.0 and 0.5 into 0.0.
                     std::vector<std::string>{"\t\t*MESH_NUMCVERTEX 3",
                                              "\t\t\t*MESH_VERTCOL 0\t1.0000\t0.0000\t1.0000"}});
  }
  return cases;
}

class DamagedInput : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedInput, ConvertsWhatPrecedesTheDamageAndSaysWhere) {
  const DamagedCase& c = GetParam();
  MemoryFileSystem files;
  files.Add(c.file, c.bytes);
  if (c.bone) files.Add(CompanionPath(c.file), *c.bone);
  std::istringstream in;
  std::ostringstream out;
  StreamConsole console(in, out);
  NameCounters counters;
  ExportEnv env{console, files, NoPause, counters, c.file, "C:\\textures\\"};
  // Damage that costs nothing (an empty array, a name cut at its field, a
  // list cut at its end, a value clamped) is converted whole without a line.
  static const std::set<std::string> kWhole = {
      "ModelHeaderCut", "ModelNegativeListSizeAndNamesWithoutNul", "ModelNegativeCounts",
      "ModelTextureListWithoutEnd", "ModelQuaternionBeyondOne", "ModelTimesAtTheLimits",
      "StageZeroDivisorAndDegenerateFace"};
  EXPECT_EQ(ConvertFile(env, ConvertMode::Interactive),
            kWhole.count(c.name) ? ConvertOutcome::Converted : ConvertOutcome::Incomplete);
  EXPECT_EQ(out.str(), c.console);
  const std::string output = c.file.substr(0, c.file.size() - 3) + "ase";
  if (!c.output) {
    EXPECT_FALSE(files.Exists(output));
    return;
  }
  ASSERT_TRUE(files.Exists(output));
  std::istringstream text(files.Text(output));
  std::string line;
  size_t next = 0;
  while (next < c.output->size() && std::getline(text, line)) {
    ASSERT_FALSE(line.empty());
    ASSERT_EQ(line.back(), '\r');
    line.pop_back();
    if (line == (*c.output)[next]) ++next;
  }
  EXPECT_EQ(next, c.output->size()) << "missing line: " << (*c.output)[std::min(next, c.output->size() - 1)]
                                    << "\nin:\n" << files.Text(output);
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedInput, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zav::testing
