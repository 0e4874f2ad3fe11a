#include "stage/stage_lights.h"

#include <gtest/gtest.h>

#include "fixtures/stage_builder.h"
#include "stage/stage_run.h"

namespace zav::testing {
namespace {

using fixtures::StageLightSpec;
using fixtures::StageSpec;

StageRun RunLights(const StageSpec& stage) {
  StageRun run = RunStageWriter(stage, WriteStageLights);
  EXPECT_TRUE(run.located) << run.console;
  return run;
}

using Lines = std::vector<std::string>;

TEST(StageLights, NoLightsWritesOnlyTheConsoleLine) {
  StageSpec stage;
  stage.vertices.resize(1);
  stage.lightCount = -3;
  const StageRun run = RunLights(stage);
  EXPECT_EQ(run.text, "");
  EXPECT_EQ(run.console, "Lights: -3 (offset: 00040314 size: -84 end: 000402C0)\n");
  EXPECT_EQ(run.pauses, (std::vector<PausePoint>{{500, "", run.console.substr(0, run.console.size() - 1)}}));
}

TEST(StageLights, WholeLightObject) {
  StageSpec stage;
  stage.lights = {{0, 512, 256, -128, 1, {114, 57, -114}}};
  const StageRun run = RunLights(stage);
  EXPECT_EQ(run.console, "Lights: 1 (offset: 000402F8 size: 28 end: 00040314)\n");
  EXPECT_EQ(run.pauses, (std::vector<PausePoint>{{500, "", "Lights: 1 (offset: 000402F8 size: 28 end: 00040314)"}}));
  EXPECT_EQ(run.text,
            "*LIGHTOBJECT {\r\n"
            "\t*NODE_NAME \"1\"\r\n"
            "\t*LIGHT_TYPE Omni\r\n"
            "\t*NODE_TM {\r\n"
            "\t\t*NODE_NAME \"1\"\r\n"
            "\t\t*INHERIT_POS 0 0 0\r\n"
            "\t\t*INHERIT_ROT 0 0 0\r\n"
            "\t\t*INHERIT_SCL 0 0 0\r\n"
            "\t\t*TM_ROW0 0.0000\t0.0000\t0.0000\r\n"
            "\t\t*TM_ROW1 0.0000\t0.0000\t0.0000\r\n"
            "\t\t*TM_ROW2 0.0000\t0.0000\t0.0000\r\n"
            "\t\t*TM_ROW3 0.0000\t0.0000\t0.0000\r\n"
            "\t\t*TM_POS 2.0000\t-0.5000\t1.0000\r\n"
            "\t\t*TM_ROTAXIS 0.0000\t0.0000\t0.0000\r\n"
            "\t\t*TM_ROTANGLE 0.0000\r\n"
            "\t\t*TM_SCALE 0.0000\t0.0000\t0.0000\r\n"
            "\t\t*TM_SCALEAXIS 0.0000\t0.0000\t0.0000\r\n"
            "\t\t*TM_SCALEAXISANG 0.0000\r\n"
            "\t}\r\n"
            "\t*LIGHT_SHADOWS Off\r\n"
            "\t*LIGHT_USELIGHT 1\r\n"
            "\t*LIGHT_SPOTSHAPE Circle\r\n"
            "\t*LIGHT_USEGLOBAL 0\r\n"
            "\t*LIGHT_ABSMAPBIAS 0\r\n"
            "\t*LIGHT_OVERSHOOT 0\r\n"
            "\t*LIGHT_SETTINGS {\r\n"
            "\t\t*TIMEVALUE 0\r\n"
            "\t\t*LIGHT_COLOR 1.0000\t0.5000\t-1.0000\r\n"
            "\t\t*LIGHT_INTENS 1.0000\r\n"
            "\t\t*LIGHT_ASPECT -1.0000\r\n"
            "\t\t*LIGHT_ATTNSTART 100.0000\r\n"
            "\t\t*LIGHT_ATTNEND 253.0000\r\n"
            "\t\t*LIGHT_TDIST -1.0000\r\n"
            "\t\t*LIGHT_MAPBIAS 1.0000\r\n"
            "\t\t*LIGHT_MAPRANGE 4.0000\r\n"
            "\t\t*LIGHT_MAPSIZE 512\r\n"
            "\t\t*LIGHT_RAYBIAS 0.0000\r\n"
            "\t}\r\n"
            "}\r\n");
}

TEST(LightName, PrefixesInTableOrder) {
  EXPECT_EQ(LightName(0), "");
  EXPECT_EQ(LightName(1), "night:");
  EXPECT_EQ(LightName(2), "lens:");
  EXPECT_EQ(LightName(3), "night:lens:");
  EXPECT_EQ(LightName(8), "obj:");
  EXPECT_EQ(LightName(9), "night:obj:");
  EXPECT_EQ(LightName(4), "");
  EXPECT_EQ(LightName(0x8000), "");
  EXPECT_EQ(LightName(0xFFFF), "night:lens:obj:");
}

TEST(StageLights, NamesCarryPrefixesAndTheRunningNumber) {
  StageSpec stage;
  stage.lights = {{0}, {9}, {3}, {4}, {0x8000}};
  const StageRun run = RunLights(stage);
  EXPECT_EQ(run.LinesOf("*NODE_NAME "), (Lines{
                                               "\t*NODE_NAME \"1\"",
                                               "\t\t*NODE_NAME \"1\"",
                                               "\t*NODE_NAME \"night:obj:2\"",
                                               "\t\t*NODE_NAME \"night:obj:2\"",
                                               "\t*NODE_NAME \"night:lens:3\"",
                                               "\t\t*NODE_NAME \"night:lens:3\"",
                                               "\t*NODE_NAME \"4\"",
                                               "\t\t*NODE_NAME \"4\"",
                                               "\t*NODE_NAME \"5\"",
                                               "\t\t*NODE_NAME \"5\"",
                                           }));
  EXPECT_EQ(run.LinesOf("*LIGHTOBJECT {").size(), 5u);
}

TEST(StageLights, PositionAndColour) {
  StageSpec stage;
  StageLightSpec light;
  light.x = -1;
  light.y = INT32_MAX;
  light.z = INT32_MIN;
  light.colour = {-32768, 32767, 0};
  stage.lights = {light};
  const StageRun run = RunLights(stage);
  EXPECT_EQ(run.LinesOf("*TM_POS "), (Lines{"\t\t*TM_POS -0.0039\t-8388608.0000\t8388607.9961"}));
  EXPECT_EQ(run.LinesOf("*LIGHT_COLOR "), (Lines{"\t\t*LIGHT_COLOR -287.4386\t287.4298\t0.0000"}));
}

TEST(StageLights, MapRangeOnlyForRangeModeOne) {
  StageSpec stage;
  for (uint16_t mode : {0, 1, 2, 257}) stage.lights.push_back(StageLightSpec{.rangeMode = mode});
  const StageRun run = RunLights(stage);
  EXPECT_EQ(run.LinesOf("*LIGHT_MAPRANGE "), (Lines{
                                                    "\t\t*LIGHT_MAPRANGE 0.0000",
                                                    "\t\t*LIGHT_MAPRANGE 4.0000",
                                                    "\t\t*LIGHT_MAPRANGE 0.0000",
                                                    "\t\t*LIGHT_MAPRANGE 0.0000",
                                                }));
}

}  // namespace
}  // namespace zav::testing
