// The colours of the soil layers in the cross sections on the screen and on
// paper, and in the manual's figures: entry k colours layer k.
#pragma once

#include <QColor>
#include <array>

#include "core/Limits.h"

namespace korvanu {

struct PaletteColor {
  int R;
  int G;
  int B;
};

// Entries 10 to 19 repeat entries 0 to 9.
inline constexpr std::array<PaletteColor, MaxLayers> LayerPalette{{
    {255, 255, 0},    // yellow
    {192, 192, 192},  // silver
    {255, 0, 0},      // red
    {0, 128, 0},      // green
    {0, 255, 0},      // lime
    {128, 0, 128},    // purple
    {128, 128, 128},  // gray
    {255, 0, 255},    // fuchsia
    {0, 128, 128},    // teal
    {128, 0, 0},      // maroon
    {255, 255, 0},   {192, 192, 192}, {255, 0, 0},   {0, 128, 0},   {0, 255, 0},
    {128, 0, 128},   {128, 128, 128}, {255, 0, 255}, {0, 128, 128}, {128, 0, 0},
}};

// The palette entry of a layer index; an index outside 0..19 wraps around.
QColor LayerColor(int layer);

}  // namespace korvanu
