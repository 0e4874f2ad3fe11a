#include "ase/material_names.h"

#include <array>

namespace zav {

namespace {

// Names of the bits 0 to 16 of useFlags and textureSequenceFlags.
constexpr std::array<std::string_view, 17> kUseFlagNames = {
    "wind:",    "anim2:",   "anim4:",   "anim8:",   "anim16:", "wind_z1:",       "wind_z2:",      "wind_x1:", "wind_x2:",
    "water:",   "wall:",    "pass:",    "notpass:", "render_latter:", "BLINK_COLOR:", "ice:",     "orgwater:",
};

// Names of the blend types 2 to 5.
std::string_view BlendTypeName(int32_t blendType) {
  switch (blendType) {
    case 2: return "BLEND_COLOR:";
    case 3: return "BLEND_SHADOW:";
    case 4: return "BLEND_LAMP:";
    case 5: return "BLEND_ADDCOLOR:";
    default: return {};
  }
}

// Names of the stage blend operations 4 to 10.
std::string_view StageBlendName(int32_t op) {
  static constexpr std::array<std::string_view, 7> kNames = {
      "BS_MODULATE:", "BS_MODULATE2X:", "BS_MODULATE4X:", "BS_ADD:", "BS_ADDSIGNED:", "BS_ADDSIGNED2X:", "BS_SUBTRACT:",
  };
  return op >= 4 && op <= 10 ? kNames[static_cast<size_t>(op - 4)] : std::string_view();
}

// Names of the stage forms 1 to 18.
std::string_view FormName(int32_t form) {
  static constexpr std::array<std::string_view, 18> kNames = {
      "FS_FORMX:",   "FS_FORMY:",   "FS_FORMZ:",   "FS_SCROLL:",      "FS_REFLEX:",      "FS_SCROLL2:",
      "FS_SCROLL3:", "FS_SCROLL4:", "FS_SCROLL5:", "FS_SCROLL6:",     "FS_SCROLL7:",     "FS_SCROLL8:",
      "FS_SCROLL9:", "FS_SCROLL10:", "FS_SCROLLSLOW1:", "FS_SCROLLSLOW2:", "FS_SCROLLSLOW3:", "FS_SCROLLSLOW4:",
  };
  return form >= 1 && form <= 18 ? kNames[static_cast<size_t>(form - 1)] : std::string_view();
}

bool HasBit(int32_t flags, size_t bit) { return (static_cast<uint32_t>(flags) >> bit) & 1u; }

// Raises a counter by one and gives its new value; past the largest value it
// wraps to the smallest instead of overflowing.
int32_t Raise(int32_t& counter) {
  counter = static_cast<int32_t>(static_cast<uint32_t>(counter) + 1u);
  return counter;
}

std::string Cut(std::string text) {
  if (text.size() > kMaxGeneratedName) text.resize(kMaxGeneratedName);
  return text;
}

}  // namespace

std::string MakeMaterialName(const MaterialRecordView& record, NameCounters& counters) {
  std::string name;
  for (size_t bit = 0; bit < kUseFlagNames.size(); ++bit) {
    if (HasBit(record.useFlags(), bit)) name += kUseFlagNames[bit];
  }
  name += BlendTypeName(record.blendType());
  if (record.textureCount() != 0) {
    // A texture sequence names the material after its first flag and the
    // numbered pattern of its first texture, whatever else is set.
    for (size_t bit = 0; bit < kUseFlagNames.size(); ++bit) {
      if (HasBit(record.textureSequenceFlags(), bit)) {
        name = std::string(kUseFlagNames[bit]) + MakeSequencePattern(record.firstTextureName());
        break;
      }
    }
  }
  if (name.empty()) name = std::to_string(Raise(counters.defaultName)) + " - Default";
  return Cut(std::move(name));
}

std::string MakeSequencePattern(std::string_view path) {
  const size_t slash = path.rfind('\\');
  if (slash == std::string_view::npos) return {};
  const std::string_view fileName = path.substr(slash + 1);
  const size_t dot = fileName.find('.');
  const size_t underscore = fileName.find('_');
  if (dot == std::string_view::npos || underscore == std::string_view::npos) return {};
  // The file name up to and with its first underscore, "%d", then the text
  // from the first dot: to the end of the name when the dot follows the
  // underscore, else up to and with the underscore.
  const std::string_view head = fileName.substr(0, underscore + 1);
  const std::string_view tail = dot > underscore ? fileName.substr(dot) : fileName.substr(dot, underscore + 1 - dot);
  std::string pattern;
  pattern.reserve(head.size() + 2 + tail.size());
  pattern.append(head).append("%d").append(tail);
  return Cut(std::move(pattern));
}

std::string MakeMapName(const MaterialRecordView& record, int stage, NameCounters& counters) {
  std::string name;
  name += StageBlendName(record.stageBlendOps(stage));
  name += FormName(record.stageForms(stage));
  if (name.empty()) name = "Map #" + std::to_string(Raise(counters.mapName));
  return Cut(std::move(name));
}

std::string MakeBitmapPath(const MaterialRecordView& record, int64_t entry, std::string_view textureDirectory) {
  if (record.nameListSize() <= 0) return {};
  return MakeBitmapPathOf(record.textureName(entry), textureDirectory);
}

std::string MakeBitmapPathOf(std::string_view textureName, std::string_view textureDirectory) {
  const size_t slash = textureName.rfind('\\');
  if (slash == std::string_view::npos || slash + 1 == textureName.size()) return {};
  std::string path(textureDirectory);
  path.append(textureName.substr(slash + 1));
  return Cut(std::move(path));
}

}  // namespace zav
