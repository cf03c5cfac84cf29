// The grid of one output graph in device units: vertical lines at whole grid
// units on both sides of the axis, the outer lines with their labels, and the
// horizontal lines at every whole metre of depth. The same for screen and
// paper; only the scales differ.
#pragma once

#include <string>
#include <vector>

#include "results/GraphScales.h"

namespace korvanu {

// Truncates a device coordinate toward zero, as every graph position is;
// values beyond the device range (or not numbers) are kept drawable.
int ToDevice(double x);

struct ValueGrid {
  std::vector<int> Lines;  // x of every vertical grid line, outer ones included
  int Count = 1;           // c: grid units from the axis to the outer lines
  int Left = 0;            // x of the outer line at -c units
  int Right = 0;           // x of the outer line at +c units
  std::string LeftLabel;   // -c units, in the graph's label format
  std::string RightLabel;  // +c units
};

// Lines at axis +- j units for j = 1..10 while j units stay below the
// maximum; when only one unit fits, also at +- half a unit. When not even one
// unit is below the maximum (1.1 times the largest value is an exact power of
// ten) the outer lines lie at +- one unit.
ValueGrid MakeValueGrid(GraphQuantity quantity, const GraphScale& scale, double unitsPerValue,
                        int axis);

// y of the horizontal grid lines: every whole metre 1..floor(length), then
// the top of the graph, then its bottom at the wall length.
std::vector<int> DepthGridLines(double length, double unitsPerMetre, int top);

}  // namespace korvanu
