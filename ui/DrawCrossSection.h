// The cross-section view's picture of one loading step: the layers on both
// sides of the wall, the phreatic levels, the axial and lateral forces, the
// anchors and the depth scales, in whole pixels of the client area.
#pragma once

#include <QPainter>
#include <QSize>

#include "core/ProblemData.h"

namespace korvanu {

// Draws step `step` on a client area of `client` whose top `panelHeight`
// pixels hold the window's panel. The labels use the painter's font.
void DrawCrossSection(QPainter& painter, QSize client, int panelHeight, const ProblemData& problem,
                      int step);

}  // namespace korvanu
