#include "model/model_objects.h"

#include <gtest/gtest.h>

#include "console/console_text.h"

#include "model/model_test_support.h"

namespace zav {
namespace {

using fixtures::Bytes;
using fixtures::ModelSpec;
using fixtures::ObjectSpec;
using testing::Object;

struct Walked {
  std::string text;
  std::string console;
};

Walked Walk(const Bytes& image, const TextSink* boneText = nullptr) {
  testing::RecordingConsole console;
  TextSink out;
  WriteModelObjects(out, console.console(), ModelFileView(testing::View(image)), BoneNameMap{}, boneText);
  return {std::string(out.Buffered()), console.text()};
}

ObjectSpec Named(std::string name, std::string tag = "DCB") {
  return Object([&](ObjectSpec& o) {
    o.name = std::move(name);
    o.tag = std::move(tag);
    o.vertices = {{256, 0, 0}};
  });
}

size_t CountObjects(const std::string& text) { return testing::LinesWith(text, "*GEOMOBJECT {").size(); }

TEST(ModelObjects, WrongTagInTheThirdRecordEndsTheWalk) {
  ModelSpec spec;
  spec.objects = {Named("A"), Named("B"), Named("C", "DCX"), Named("D")};
  const Walked walked = Walk(fixtures::BuildModel(spec));
  EXPECT_EQ(walked.console, "Objects: 4\nObject A...\nObject B...\nObject 3 header is invalid! Must exit!\nObjects done!\n");
  EXPECT_EQ(testing::LinesWith(walked.text, "*NODE_NAME"),
            (std::vector<std::string>{"\t*NODE_NAME \"A\"", "\t\t*NODE_NAME \"A\"", "\t*NODE_NAME \"B\"",
                                      "\t\t*NODE_NAME \"B\""}));
}

TEST(ModelObjects, WrongTagInTheFirstRecordWritesNoObjectButTheBones) {
  ModelSpec spec;
  spec.objects = {Named("A", "BCD")};
  TextSink boneText;
  boneText.Literal(0, "bone text");
  const Walked walked = Walk(fixtures::BuildModel(spec), &boneText);
  EXPECT_EQ(walked.console, "Objects: 1\nObject 1 header is invalid! Must exit!\nObjects done!\n");
  EXPECT_EQ(walked.text, "bone text\r\n");
}

TEST(ModelObjects, NoOrNegativeObjectCountWalksNothing) {
  for (int32_t count : {0, -3}) {
    ModelSpec spec;
    spec.objectCount = count;
    spec.objects = {Named("Ignored")};
    const Walked walked = Walk(fixtures::BuildModel(spec));
    EXPECT_EQ(walked.console, "Objects: " + std::to_string(count) + "\nObjects done!\n");
    EXPECT_EQ(walked.text, "");
  }
}

TEST(ModelObjects, RecordsAfterTheCountAreIgnored) {
  ModelSpec spec;
  spec.objectCount = 1;
  spec.objects = {Named("A"), Named("B")};
  EXPECT_EQ(Walk(fixtures::BuildModel(spec)).console, "Objects: 1\nObject A...\nObjects done!\n");
}

TEST(ModelObjects, MaterialBlockPastTheEndHidesTheRecords) {
  ModelSpec spec;
  fixtures::MaterialSpec material;
  material.nameListSize = 1 << 30;
  spec.materials = {material};
  spec.objects = {Named("A")};
  TextSink boneText;
  boneText.Literal(0, "bone text");
  const Walked walked = Walk(fixtures::BuildModel(spec), &boneText);
  EXPECT_EQ(walked.console,
            "Objects: 1\nObjects cannot be located: the material block runs past the end of the file! Must exit!\n"
            "Objects done!\n");
  EXPECT_EQ(walked.text, "bone text\r\n");
}

TEST(ModelObjects, ArraysPastTheEndStopTheWalkWithTheirSize) {
  ModelSpec spec;
  ObjectSpec huge = Named("Huge");
  huge.faceCount = 0x80000000u;
  spec.objects = {Named("A"), huge, Named("C")};
  const Bytes image = fixtures::BuildModel(spec);
  const Walked walked = Walk(image);
  // The second record starts at 556 + 3·40 + 2236 + 24 = 0xB78.
  EXPECT_EQ(walked.console, "Objects: 3\nObject A...\n"
                            "Object 2 does not fit in the file (offset 00000B78, end " +
                                Hex8(0xB78 + 2236 + 24 + 36 * uint64_t{0x80000000u}) + ", file size " +
                                std::to_string(image.size()) + ")! Must exit!\nObjects done!\n");
  EXPECT_EQ(CountObjects(walked.text), 1u);
}

// Every prefix of a valid image: the records that still fit are written, the
// first that does not is reported, and nothing is read past the end.
TEST(ModelObjects, EveryTruncationKeepsTheRecordsBeforeIt) {
  ModelSpec spec;
  spec.objects = {Named("A"), Object([](ObjectSpec& o) {
                    o.name = "B";
                    o.parentName = "A";
                    o.physiqueFlag = 1;
                    o.vertices = {{1, 2, 3}, {4, 5, 6}};
                    o.boneNames = {"x", "y"};
                    o.faces = {{0, 1, 0, 0}};
                    o.texCoords = {{}};
                    o.rotKeys = {{0, 0, 0, 0, 1}};
                    o.posKeys = {{1, 0, 0, 0}};
                    o.scaleKeys = {{2, 256, 256, 256}};
                  }),
                  Named("C")};
  const Bytes image = fixtures::BuildModel(spec);
  const std::vector<ObjectRecord> records = testing::Records(image);
  ASSERT_EQ(records.size(), 3u);
  // From the first length that holds both header counts.
  for (size_t length = 32; length < image.size(); ++length) {
    const Bytes cut(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(length));
    const Walked walked = Walk(cut);
    size_t fitting = 0;
    while (fitting < 3 && records[fitting].offset() + records[fitting].recordSize() <= length) ++fitting;
    ASSERT_EQ(CountObjects(walked.text), fitting) << length;
    const std::string expectedStop = "Object " + std::to_string(fitting + 1) + " does not fit in the file";
    ASSERT_NE(walked.console.find(expectedStop), std::string::npos) << length << walked.console;
    ASSERT_TRUE(walked.console.ends_with("! Must exit!\nObjects done!\n")) << length;
  }
  EXPECT_EQ(Walk(image).console, "Objects: 3\nObject A...\nObject B...\n"
                                 "Error matbuf is NULL for BoneName x! Must exit!\nObject C...\nObjects done!\n");
}

}  // namespace
}  // namespace zav
