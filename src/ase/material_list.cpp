#include "ase/material_list.h"

#include <string>

#include "ase/material_names.h"
#include "console/console_text.h"

namespace zav {

namespace {

// The pause after the top material of a list.
constexpr int kTopMaterialPauseMs = 500;

// The most texture stages written for one material. Stored files have at most
// 8; a count far beyond that is damage, and each written stage is a whole map
// block of text.
constexpr int64_t kMaxStages = 256;

// Red, green and blue of the record's diffuse colour, TAB-separated.
void WriteColor(TextSink& out, const MaterialRecordView& record) {
  out.Float(record.diffuseColor(0)).Tab().Float(record.diffuseColor(1)).Tab().Float(record.diffuseColor(2));
}

// One bitmap map block: its kind line, map name, sub-number and bitmap path.
void WriteMapBlock(TextSink& out, std::string_view kindLine, int subNumber, std::string_view mapName,
                   std::string_view bitmapPath) {
  out.Literal(3, kindLine);
  out.Line(4).Text("*MAP_NAME ").Quoted(mapName).End();
  out.Literal(4, "*MAP_CLASS \"Bitmap\"");
  out.Line(4).Text("*MAP_SUBNO ").Int(subNumber).End();
  out.Literal(4, "*MAP_AMOUNT 1.0000");
  out.Line(4).Text("*BITMAP ").Quoted(bitmapPath).End();
  out.Literal(4, "*MAP_TYPE Screen");
  out.Literal(4, "*UVW_U_OFFSET 0.0000");
  out.Literal(4, "*UVW_V_OFFSET 0.0000");
  out.Literal(4, "*UVW_U_TILING 1.0000");
  out.Literal(4, "*UVW_V_TILING 1.0000");
  out.Literal(4, "*UVW_ANGLE 0.0000");
  out.Literal(4, "*UVW_BLUR 1.0000");
  out.Literal(4, "*UVW_BLUR_OFFSET 0.0000");
  out.Literal(4, "*UVW_NOUSE_AMT 1.0000");
  out.Literal(4, "*UVW_NOISE_SIZE 1.0000");
  out.Literal(4, "*UVW_NOISE_LEVEL 1");
  out.Literal(4, "*UVW_NOISE_PHASE 0.0000");
  out.Literal(4, "*BITMAP_FILTER Pyramidal");
  out.Literal(3, "}");
}

// The self-illumination blocks of stages 1 and up. Stage s shows entry s, or
// entry s + 1 when entry 1 holds the opacity texture. Stages 1 to 7 are
// always written (a missing entry shows entry 0). Stages from 8 on have no
// blend or form fields and are written only while their entry exists in the
// list, and never more than kMaxStages in all, so a damaged textureCount
// cannot multiply the output; dropped stages are reported.
void WriteSelfIllumBlocks(TextSink& out, ExportEnv& env, const MaterialRecordView& record, uint64_t index) {
  const int64_t stageCount = record.textureCount();
  const int64_t shift = record.opacityMapFlag() != 0 ? 1 : 0;
  // The cursor follows the entry of the current stage, so every entry of the
  // list is stepped over once, whatever the number of stages.
  TextureNameCursor entry(record);
  for (int64_t skip = 0; skip < 1 + shift && entry.atEntry(); ++skip) entry.Next();
  const std::string_view firstName = record.firstTextureName();
  int64_t stage = 1;
  for (; stage < stageCount; ++stage) {
    if (stage >= MaterialRecordView::kStageFields && (!entry.atEntry() || stage >= kMaxStages)) break;
    const std::string mapName = MakeMapName(record, static_cast<int>(stage), env.counters);
    const std::string bitmap =
        record.nameListSize() <= 0 ? std::string()
                                   : MakeBitmapPathOf(entry.atEntry() ? entry.name() : firstName, env.textureDirectory);
    WriteMapBlock(out, "*MAP_SELFILLUM {", 5, mapName, bitmap);
    entry.Next();
  }
  if (stage < stageCount) {
    env.console.Fault("Material " + std::to_string(index) + " has textureCount " + std::to_string(stageCount) +
                      ", more texture stages than it can hold; " + std::to_string(stage) + " of " +
                      std::to_string(stageCount) + " texture stages written");
  }
}

// Sub-material `index`, from its record.
void WriteSubMaterial(TextSink& out, ExportEnv& env, const MaterialRecordView& record, uint64_t index) {
  out.Line(2).Text("*SUBMATERIAL ").Uint(index).Text(" {").End();
  out.Line(3).Text("*MATERIAL_NAME ").Quoted(MakeMaterialName(record, env.counters)).End();
  out.Literal(3, "*MATERIAL_CLASS \"Standard\"");
  out.Literal(3, "*MATERIAL_AMBIENT 0.5880\t0.5880\t0.5880");
  out.Line(3).Text("*MATERIAL_DIFFUSE ");
  WriteColor(out, record);
  out.End();
  out.Literal(3, "*MATERIAL_SPECULAR 0.9000\t0.9000\t0.9000");
  out.Literal(3, "*MATERIAL_SHINE 0.1000");
  out.Literal(3, "*MATERIAL_SHINESTRENGTH 0.0000");
  out.Line(3).Text("*MATERIAL_TRANSPARENCY ").Float(record.transparency()).End();
  out.Literal(3, "*MATERIAL_WIRESIZE 1.0000");
  out.Literal(3, "*MATERIAL_SHADING Blinn");
  out.Literal(3, "*MATERIAL_XP_FALLOFF 0.0000");
  out.Line(3).Text("*MATERIAL_SELFILLUM ").Float(record.selfIllumination()).End();
  if (record.twoSidedFlag() != 0) out.Literal(3, "*MATERIAL_TWOSIDED");
  out.Literal(3, "*MATERIAL_FALLOFF In");
  out.Literal(3, "*MATERIAL_XP_TYPE Filter");
  if (record.textureCount() > 0) {
    // Names are built in text order, so the counters advance down the file.
    {
      const std::string mapName = MakeMapName(record, 0, env.counters);
      WriteMapBlock(out, "*MAP_DIFFUSE {", 1, mapName, MakeBitmapPath(record, 0, env.textureDirectory));
    }
    WriteSelfIllumBlocks(out, env, record, index);
    if (record.opacityMapFlag() != 0) {
      const std::string mapName = MakeMapName(record, 0, env.counters);
      WriteMapBlock(out, "*MAP_OPACITY {", 6, mapName, MakeBitmapPath(record, 1, env.textureDirectory));
    }
  }
  out.Literal(2, "}");
}

// The top material: a Multi/Sub-Object material named and coloured after
// record 0, holding `subMaterialCount` sub-materials.
void WriteTopMaterial(TextSink& out, ExportEnv& env, const MaterialRecordView& record, uint64_t subMaterialCount) {
  out.Literal(1, "*MATERIAL_COUNT 1");
  out.Literal(1, "*MATERIAL 0 {");
  out.Line(2).Text("*MATERIAL_NAME ").Quoted(MakeMaterialName(record, env.counters)).End();
  out.Literal(2, "*MATERIAL_CLASS \"Multi/Sub-Object\"");
  out.Line(2).Text("*MATERIAL_AMBIENT ");
  WriteColor(out, record);
  out.End();
  out.Line(2).Text("*MATERIAL_DIFFUSE ");
  WriteColor(out, record);
  out.End();
  out.Literal(2, "*MATERIAL_SPECULAR 0.9000\t0.9000\t0.9000");
  out.Literal(2, "*MATERIAL_SHINE 0.1000");
  out.Literal(2, "*MATERIAL_SHINESTRENGTH 0.0000");
  out.Line(2).Text("*MATERIAL_TRANSPARENCY ").Float(record.transparency()).End();
  out.Literal(2, "*MATERIAL_WIRESIZE 1.000");
  out.Line(2).Text("*NUMSUBMTLS ").Uint(subMaterialCount).End();
}

// Reports the first record that does not lie inside the file image.
void ReportTruncatedBlock(ExportEnv& env, const MaterialBlock& block) {
  env.console.Fault("Material " + std::to_string(block.records.size()) + " does not fit in the file (offset " +
                    Hex8(block.badRecordOffset) + ", end " + Hex8(block.badRecordEnd) + ", file size " +
                    std::to_string(block.imageSize) + "); " + std::to_string(block.records.size()) + " of " +
                    std::to_string(block.expectedCount()) + " materials written");
}

}  // namespace

void WriteMaterialList(TextSink& out, ExportEnv& env, ExportKind kind, const MaterialBlock& block) {
  std::string countLine = "Materials: " + std::to_string(block.materialCount);
  if (kind == ExportKind::Stage) countLine += " (offset: " + Hex8(block.firstOffset) + ")";
  env.console.Line(countLine);

  out.Literal(0, "*MATERIAL_LIST {");
  if (block.records.empty()) {
    out.Literal(1, "*MATERIAL_COUNT 0");
  } else {
    WriteTopMaterial(out, env, block.records.front(), block.records.size());
    env.pause(kTopMaterialPauseMs);
    for (size_t i = 0; i < block.records.size(); ++i) {
      if (kind == ExportKind::Model) env.console.Line("Material " + std::to_string(i) + "...");
      WriteSubMaterial(out, env, block.records[i], i);
    }
  }
  if (!block.complete()) ReportTruncatedBlock(env, block);
  if (!block.records.empty()) out.Literal(1, "}");
  out.Literal(0, "}");
  if (kind == ExportKind::Model) env.console.Line("Materials done!");
}

}  // namespace zav
