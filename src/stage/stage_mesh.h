#pragma once
// The mesh object of a stage export: the level as one geometry object named
// Object, with its vertices, faces, texture coordinates from the texture
// links, and vertex colours from the stored colour levels and the shading.
#include "ase/text_sink.h"
#include "formats/stage_layout.h"
#include "platform/console.h"
#include "platform/pause.h"

namespace zav {

// Writes the mesh object and its console lines ("Vertices: ", "Faces: ",
// "Textures: ", "Vertex Color Faces: "), with its four pauses of 500 ms.
// `layout` comes from LocateStage, so every face names vertices of the
// vertex array.
void WriteStageMesh(TextSink& out, Console& console, const Pause& pause, const StageLayout& layout);

}  // namespace zav
