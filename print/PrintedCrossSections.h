// The printed cross section of one loading step: the wall, the layers on both
// sides (coloured, or hatched without "Print Colors"), the water levels, the
// depth scales, anchors and forces.
#pragma once

#include "print/PrintContext.h"

namespace korvanu {

// Draws the cross section of `step` below y (the first one, step 0, under the
// title "Cross Sections"), on a new page when it does not fit, and returns
// the y below it.
int PrintCrossSection(PrintContext& context, int y, int step);

}  // namespace korvanu
