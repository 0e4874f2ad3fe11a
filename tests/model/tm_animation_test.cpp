#include "model/tm_animation.h"

#include <gtest/gtest.h>

#include <limits>

#include "model/model_test_support.h"

namespace zav {
namespace {

using fixtures::Bytes;
using fixtures::ModelSpec;
using fixtures::ObjectSpec;
using testing::Crlf;
using testing::Object;

struct Animated {
  std::string text;
  LastKeyTracker tracker;
  uint64_t nonFinite = 0;
};

Animated Animate(const ObjectSpec& object) {
  ModelSpec spec;
  spec.objects = {object};
  const Bytes image = fixtures::BuildModel(spec);
  const ObjectRecord record = testing::Records(image).at(0);
  Animated result;
  TextSink out;
  WriteTmAnimation(out, "Arm", record, &result.tracker);
  result.text = out.Buffered();
  result.nonFinite = out.nonFiniteCount();
  return result;
}

TEST(TmAnimation, NoKeysWritesNothingAndReportsNothing) {
  const Animated a = Animate(ObjectSpec{});
  EXPECT_EQ(a.text, "");
  EXPECT_EQ(a.tracker.lastKeyTime, 0);
}

struct TrackCase {
  const char* what;
  ObjectSpec object;
  const char* text;
};

class SingleTrack : public ::testing::TestWithParam<TrackCase> {};

TEST_P(SingleTrack, WritesNameAndTrackAlone) {
  EXPECT_EQ(Animate(GetParam().object).text, Crlf(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SingleTrack,
    ::testing::Values(
        TrackCase{"position", Object([](ObjectSpec& o) { o.posKeys = {{-160, 1.5f, -2, 0.25f}, {0, 0, 0, 0}}; }),
                  "\t*TM_ANIMATION {\n"
                  "\t\t*NODE_NAME \"Arm\"\n"
                  "\t\t*CONTROL_POS_TRACK {\n"
                  "\t\t\t*CONTROL_POS_SAMPLE -160\t1.5000\t-2.0000\t0.2500\n"
                  "\t\t\t*CONTROL_POS_SAMPLE 0\t0.0000\t0.0000\t0.0000\n"
                  "\t\t}\n"
                  "\t}\n"},
        TrackCase{"rotation", Object([](ObjectSpec& o) {
                    o.rotKeys = {{0, 0, 0, 0, 1}, {160, 1, 0, 0, 0}, {320, 0, 0.7071068f, 0, 0.7071068f}};
                  }),
                  "\t*TM_ANIMATION {\n"
                  "\t\t*NODE_NAME \"Arm\"\n"
                  "\t\t*CONTROL_ROT_TRACK {\n"
                  "\t\t\t*CONTROL_ROT_SAMPLE 0\t0.0000\t0.0000\t0.0000\t0.0000\n"
                  "\t\t\t*CONTROL_ROT_SAMPLE 160\t1.0000\t0.0000\t0.0000\t3.1416\n"
                  "\t\t\t*CONTROL_ROT_SAMPLE 320\t0.0000\t1.0000\t0.0000\t1.5708\n"
                  "\t\t}\n"
                  "\t}\n"},
        TrackCase{"scale", Object([](ObjectSpec& o) { o.scaleKeys = {{480, 256, 512, -128}}; }),
                  "\t*TM_ANIMATION {\n"
                  "\t\t*NODE_NAME \"Arm\"\n"
                  "\t\t*CONTROL_SCALE_TRACK {\n"
                  "\t\t\t*CONTROL_SCALE_SAMPLE 480\t1.0000\t2.0000\t-0.5000\n"
                  "\t\t}\n"
                  "\t}\n"}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(TmAnimation, PositionTrackPrecedesRotationAndScale) {
  const Animated a = Animate(Object([](ObjectSpec& o) {
    o.rotKeys = {{0, 0, 0, 0, 1}};
    o.posKeys = {{3200, 1, 2, 3}};
    o.scaleKeys = {{-320, 256, 256, 256}};
  }));
  EXPECT_EQ(a.text, Crlf("\t*TM_ANIMATION {\n"
                         "\t\t*NODE_NAME \"Arm\"\n"
                         "\t\t*CONTROL_POS_TRACK {\n"
                         "\t\t\t*CONTROL_POS_SAMPLE 3200\t1.0000\t2.0000\t3.0000\n"
                         "\t\t}\n"
                         "\t\t*CONTROL_ROT_TRACK {\n"
                         "\t\t\t*CONTROL_ROT_SAMPLE 0\t0.0000\t0.0000\t0.0000\t0.0000\n"
                         "\t\t}\n"
                         "\t\t*CONTROL_SCALE_TRACK {\n"
                         "\t\t\t*CONTROL_SCALE_SAMPLE -320\t1.0000\t1.0000\t1.0000\n"
                         "\t\t}\n"
                         "\t}\n"));
  // Reports go rotation (0), position (3200), scale (-320): a last key at 0
  // leaves the tracker open for the next track.
  EXPECT_EQ(a.tracker.lastKeyTime, 3200);
}

TEST(TmAnimation, TrackerKeepsTheFirstNonzeroLastKey) {
  const Animated a = Animate(Object([](ObjectSpec& o) {
    o.rotKeys = {{9999, 0, 0, 0, 1}, {-320, 0, 0, 0, 1}};
    o.posKeys = {{3200, 1, 2, 3}};
  }));
  EXPECT_EQ(a.tracker.lastKeyTime, -320);
}

TEST(TmAnimation, RotationWithWOutsideItsRangeIsClampedAndNanIsCounted) {
  const Animated a = Animate(Object([](ObjectSpec& o) {
    o.rotKeys = {{0, 0.5f, 0, 0, 1.5f}, {1, 0, 0, 0, std::numeric_limits<float>::quiet_NaN()}};
  }));
  EXPECT_EQ(testing::LinesWith(a.text, "SAMPLE"),
            (std::vector<std::string>{"\t\t\t*CONTROL_ROT_SAMPLE 0\t0.0000\t0.0000\t0.0000\t0.0000",
                                      "\t\t\t*CONTROL_ROT_SAMPLE 1\t0.0000\t0.0000\t0.0000\t0.0000"}));
  EXPECT_EQ(a.nonFinite, 4u);  // the NaN key's axis and angle
}

struct LastFrameCase {
  const char* what;
  std::vector<ObjectSpec> objects;
  std::optional<int32_t> boneResult;
  int32_t expected;
};

class SceneLastFrame : public ::testing::TestWithParam<LastFrameCase> {};

TEST_P(SceneLastFrame, FromTheFirstAnimatedRecordOrTheBones) {
  ModelSpec spec;
  spec.objects = GetParam().objects;
  const Bytes image = fixtures::BuildModel(spec);
  EXPECT_EQ(ComputeSceneLastFrame(ModelFileView(testing::View(image)), GetParam().boneResult), GetParam().expected);
}

ObjectSpec WithRot(int32_t time) {
  return Object([&](ObjectSpec& o) { o.rotKeys = {{0, 0, 0, 0, 1}, {time, 0, 0, 0, 1}}; });
}
ObjectSpec WithPos(int32_t time) {
  return Object([&](ObjectSpec& o) { o.posKeys = {{time, 0, 0, 0}}; });
}
ObjectSpec WithScale(int32_t time) {
  return Object([&](ObjectSpec& o) { o.scaleKeys = {{0, 256, 256, 256}, {time, 256, 256, 256}}; });
}
ObjectSpec Plain() { return ObjectSpec{}; }

INSTANTIATE_TEST_SUITE_P(
    Cases, SceneLastFrame,
    ::testing::Values(
        LastFrameCase{"no records", {}, std::nullopt, 100},
        LastFrameCase{"no keys", {Plain(), Plain()}, std::nullopt, 100},
        LastFrameCase{"rotation at 3200", {Plain(), WithRot(3200)}, std::nullopt, 20},
        LastFrameCase{"scale only at 480", {WithScale(480)}, std::nullopt, 3},
        LastFrameCase{"rotation before position", {Object([](ObjectSpec& o) {
                                                     o.rotKeys = {{320, 0, 0, 0, 1}};
                                                     o.posKeys = {{3200, 0, 0, 0}};
                                                   })},
                      std::nullopt, 2},
        LastFrameCase{"only the first animated record", {WithPos(159), WithRot(3200)}, std::nullopt, 0},
        LastFrameCase{"negative time", {WithPos(-250)}, std::nullopt, -1},
        LastFrameCase{"bone result wins", {WithRot(3200)}, 0, 0},
        LastFrameCase{"bone result negative", {}, -2, -2}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST(SceneLastFrame, TagIsNotCheckedAndARecordPastTheEndStopsQuietly) {
  ModelSpec spec;
  spec.objects = {Object([](ObjectSpec& o) { o.tag = "XYZ"; }), WithRot(480)};
  const Bytes image = fixtures::BuildModel(spec);
  EXPECT_EQ(ComputeSceneLastFrame(ModelFileView(testing::View(image)), std::nullopt), 3);
  // The animated record cut short: no candidate, the default stays.
  const Bytes cut(image.begin(), image.end() - 1);
  EXPECT_EQ(ComputeSceneLastFrame(ModelFileView(testing::View(cut)), std::nullopt), 100);
}

}  // namespace
}  // namespace zav
