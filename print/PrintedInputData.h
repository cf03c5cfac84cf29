// The printed input data: general data, layers, anchors, axial forces and the
// profile catalogue. Each takes the current y and returns the y below it.
#pragma once

#include "print/PrintContext.h"

namespace korvanu {

// Always begins a new page (the first page when nothing was printed yet).
int PrintGeneralData(PrintContext& context, int y);
int PrintLayerData(PrintContext& context, int y);
int PrintAnchorData(PrintContext& context, int y);
int PrintAxialData(PrintContext& context, int y);
int PrintCatalogue(PrintContext& context, int y);

}  // namespace korvanu
