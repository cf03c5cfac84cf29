// What the cross sections on the screen and on paper share: one force scale
// for the arrows of every step, the depth scale and its ticks, and lines that
// end as on the canvas the drawings were laid out on.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPen>

#include "core/ProblemData.h"

namespace korvanu {

// A dry weight below it leaves a layer blank; a force or an anchor force not
// above it draws nothing.
inline constexpr double Negligible = 0.001;

// The largest magnitude of NA, NB and Fx (points 0..NL) over the steps
// 0..NT, truncated to whole kN/m, so that the arrows of different steps
// compare. When that is 0 (every force below 1 kN/m) the scale is 1.
double CrossSectionForceScale(const ProblemData& problem);

// Device units per metre of a wall `span` units high; 0 for a wall without
// a positive length, which then lies at its top and divides by nothing.
double DepthScaleFactor(int span, double length);

// The last whole metre of the depth scale, whose ticks run 0..N; -1 (no
// scale) for a wall without a positive length. The ticks of a wall longer
// than 100 km stop there: they would lie many to a device unit anyway.
int DepthScaleMetres(double length);

// A solid pen of `width` device units with flat ends, for CanvasLine.
QPen FlatPen(const QColor& color, int width);

// A line that covers its first point and stops just before its last,
// whichever way it runs (a flat Qt line always leaves out its lower or right
// end).
void CanvasLine(QPainter& painter, int x1, int y1, int x2, int y2);

// The arrow of an axial force on the wall at x, `length` long from the end
// of the wall at `end`, away from the wall: upward (`direction` -1) at the
// top, downward (+1) at the foot. A compression has its head at the wall, a
// tension at the far end; the head is `head` long and `half` wide each side.
void AxialArrow(QPainter& painter, int x, int end, int direction, int length, bool compression,
                int half, int head);

// The arrow of a lateral force from the wall at (x, y), `length` long
// (negative: to the left), its head pointing the way the force acts.
void LateralArrow(QPainter& painter, int x, int y, int length, bool toTheRight, int half, int head);

// An anchor at depth y of the wall at x, held at `end` on its side (the
// left one when `onTheLeft`): the rod from `gap` beyond the wall to `end`,
// and the plate `plateOffset` back from `end` towards the wall, `plateHalf`
// above and below the rod.
void AnchorRod(QPainter& painter, int x, int y, bool onTheLeft, int end, int gap, int plateOffset,
               int plateHalf);

}  // namespace korvanu
