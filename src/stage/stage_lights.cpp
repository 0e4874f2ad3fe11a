#include "stage/stage_lights.h"

#include <string_view>

namespace zav {

namespace {

constexpr int kPauseMs = 500;
constexpr double kFixedPointUnit = 1.0 / 256;  // 24.8 to a number
constexpr double kColourUnit = 114.0;         // stored colour level of full intensity

struct NamePrefix {
  uint16_t mask;
  std::string_view text;
};

// "dynamic:" belongs to the table but has no bit: no flags ever select it.
constexpr NamePrefix kNamePrefixes[] = {
    {0, "dynamic:"},
    {1, "night:"},
    {2, "lens:"},
    {8, "obj:"},
};

void WriteLight(TextSink& out, const StageLightView& light, int64_t number) {
  const std::string name = LightName(light.flags()) + std::to_string(number);
  out.Literal(0, "*LIGHTOBJECT {");
  out.Line(1).Text("*NODE_NAME ").Quoted(name).End();
  out.Literal(1, "*LIGHT_TYPE Omni");
  out.Literal(1, "*NODE_TM {");
  out.Line(2).Text("*NODE_NAME ").Quoted(name).End();
  out.Literal(2, "*INHERIT_POS 0 0 0");
  out.Literal(2, "*INHERIT_ROT 0 0 0");
  out.Literal(2, "*INHERIT_SCL 0 0 0");
  out.Literal(2, "*TM_ROW0 0.0000\t0.0000\t0.0000");
  out.Literal(2, "*TM_ROW1 0.0000\t0.0000\t0.0000");
  out.Literal(2, "*TM_ROW2 0.0000\t0.0000\t0.0000");
  out.Literal(2, "*TM_ROW3 0.0000\t0.0000\t0.0000");
  // Stored x, z, y: the axis order of the mesh vertices.
  out.Line(2).Text("*TM_POS ").Float(light.x() * kFixedPointUnit).Tab().Float(light.z() * kFixedPointUnit);
  out.Tab().Float(light.y() * kFixedPointUnit).End();
  out.Literal(2, "*TM_ROTAXIS 0.0000\t0.0000\t0.0000");
  out.Literal(2, "*TM_ROTANGLE 0.0000");
  out.Literal(2, "*TM_SCALE 0.0000\t0.0000\t0.0000");
  out.Literal(2, "*TM_SCALEAXIS 0.0000\t0.0000\t0.0000");
  out.Literal(2, "*TM_SCALEAXISANG 0.0000");
  out.Literal(1, "}");
  out.Literal(1, "*LIGHT_SHADOWS Off");
  out.Literal(1, "*LIGHT_USELIGHT 1");
  out.Literal(1, "*LIGHT_SPOTSHAPE Circle");
  out.Literal(1, "*LIGHT_USEGLOBAL 0");
  out.Literal(1, "*LIGHT_ABSMAPBIAS 0");
  out.Literal(1, "*LIGHT_OVERSHOOT 0");
  out.Literal(1, "*LIGHT_SETTINGS {");
  out.Literal(2, "*TIMEVALUE 0");
  out.Line(2).Text("*LIGHT_COLOR ").Float(light.colour(0) / kColourUnit).Tab().Float(light.colour(1) / kColourUnit);
  out.Tab().Float(light.colour(2) / kColourUnit).End();
  out.Literal(2, "*LIGHT_INTENS 1.0000");
  out.Literal(2, "*LIGHT_ASPECT -1.0000");
  out.Literal(2, "*LIGHT_ATTNSTART 100.0000");
  out.Literal(2, "*LIGHT_ATTNEND 253.0000");
  out.Literal(2, "*LIGHT_TDIST -1.0000");
  out.Literal(2, "*LIGHT_MAPBIAS 1.0000");
  out.Line(2).Text("*LIGHT_MAPRANGE ").Text(light.rangeMode() == 1 ? "4.0000" : "0.0000").End();
  out.Literal(2, "*LIGHT_MAPSIZE 512");
  out.Literal(2, "*LIGHT_RAYBIAS 0.0000");
  out.Literal(1, "}");
  out.Literal(0, "}");
}

}  // namespace

std::string LightName(uint16_t flags) {
  std::string name;
  for (const NamePrefix& prefix : kNamePrefixes) {
    if ((flags & prefix.mask) != 0) name += prefix.text;
  }
  return name;
}

void WriteStageLights(TextSink& out, Console& console, const Pause& pause, const StageLayout& layout) {
  console.Line(layout.LightReport());
  pause(kPauseMs);
  for (int64_t i = 0; i < layout.lights(); ++i) WriteLight(out, layout.light(i), i + 1);
}

}  // namespace zav
