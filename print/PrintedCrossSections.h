// The printed cross section of one loading step: the wall, the layers on both
// sides, the water levels, anchors and forces.
#pragma once

#include "print/PrintContext.h"

namespace korvanu {

int PrintCrossSection(PrintContext& context, int y, int step);

}  // namespace korvanu
