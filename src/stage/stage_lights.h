#pragma once
// The light objects of a stage export: one omni light per stored light.
#include <cstdint>
#include <string>

#include "ase/text_sink.h"
#include "formats/stage_layout.h"
#include "platform/console.h"
#include "platform/pause.h"

namespace zav {

// The name prefixes a light's flags select, in order: "night:" (bit 0),
// "lens:" (bit 1), "obj:" (bit 3); empty when none is set.
std::string LightName(uint16_t flags);

// Writes the "Lights: " console line, pauses 500 ms, then writes one light
// object per stored light in file order.
void WriteStageLights(TextSink& out, Console& console, const Pause& pause, const StageLayout& layout);

}  // namespace zav
