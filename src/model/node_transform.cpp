#include "model/node_transform.h"

#include "model/axis_angle.h"
#include "model/fixed_point.h"

namespace zav {

int64_t ParentScaleFactor(const ObjectRecord& record, const ObjectRecord* parent) {
  if (record.physiqueFlag() != 0) return 256;
  const ObjectRecord& source = parent != nullptr ? *parent : record;
  const int64_t k = (static_cast<int64_t>(source.scale(0)) + source.scale(1) + source.scale(2)) / 3;
  return k == 0 ? 256 : k;
}

void WriteNodeTm(TextSink& out, const ObjectRecord& record, int64_t k) {
  out.Literal(1, "*NODE_TM {");
  out.Line(2).Text("*NODE_NAME ").Quoted(record.name()).End();
  out.Literal(2, "*INHERIT_POS 0 0 0");
  out.Literal(2, "*INHERIT_ROT 0 0 0");
  out.Literal(2, "*INHERIT_SCL 1 1 1");
  static constexpr const char* kRowLabels[4] = {"*TM_ROW0 ", "*TM_ROW1 ", "*TM_ROW2 ", "*TM_ROW3 "};
  for (int r = 0; r < 3; ++r) {
    out.Line(2).Text(kRowLabels[r]);
    for (int c = 0; c < 3; ++c) {
      // |k| and |m| stay below 2^31, so the product fits in 64 bits.
      const int64_t q = (k * record.nodeTm(r, c)) / 256;
      if (c > 0) out.Tab();
      out.Float(FixedToFloat(q));
    }
    out.End();
  }
  out.Line(2).Text(kRowLabels[3]).Float(FixedToFloat(record.nodeTm(3, 0))).Tab()
      .Float(FixedToFloat(record.nodeTm(3, 1))).Tab().Float(FixedToFloat(record.nodeTm(3, 2))).End();
  out.Line(2).Text("*TM_POS ").Float(FixedToFloat(record.position(0))).Tab()
      .Float(FixedToFloat(record.position(1))).Tab().Float(FixedToFloat(record.position(2))).End();
  const AxisAngle rotation =
      QuaternionToAxisAngle(record.rotation(0), record.rotation(1), record.rotation(2), record.rotation(3));
  out.Line(2).Text("*TM_ROTAXIS ").Float(rotation.axis[0]).Tab().Float(rotation.axis[1]).Tab()
      .Float(rotation.axis[2]).End();
  out.Line(2).Text("*TM_ROTANGLE ").Float(rotation.angle).End();
  out.Line(2).Text("*TM_SCALE ").Float(FixedToFloat(record.scale(0))).Tab().Float(FixedToFloat(record.scale(1)))
      .Tab().Float(FixedToFloat(record.scale(2))).End();
  out.Literal(2, "*TM_SCALEAXIS 0.0000\t0.0000\t0.0000");
  out.Literal(2, "*TM_SCALEAXISANG 0.0000");
  out.Literal(1, "}");
}

}  // namespace zav
