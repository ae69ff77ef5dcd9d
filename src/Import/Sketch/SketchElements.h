#pragma once

#include <string_view>

// What Sketch's command-line tool exports; the tool's own name for each kind is the case name.
// Previews are cut as artboards, images as layers.
enum class SketchElements { layers, slices, artboards, pages };

constexpr std::string_view sketchElementsName(SketchElements element)
{
    switch (element) {
    case SketchElements::layers: return "layers";
    case SketchElements::slices: return "slices";
    case SketchElements::artboards: return "artboards";
    case SketchElements::pages: return "pages";
    }
    return "layers";
}
