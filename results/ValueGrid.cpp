// Grid lines and labels of the output graphs.
#include "results/ValueGrid.h"

#include <algorithm>
#include <cmath>

#include "core/TextFormat.h"

namespace korvanu {

namespace {

// Far beyond any page, yet safe to add to and subtract from.
constexpr double DeviceLimit = 1e8;
// The deepest metre line drawn: a wall is never longer than this.
constexpr double DeepestMetre = 1e5;

}  // namespace

int ToDevice(double x) {
  if (std::isnan(x)) return 0;
  return static_cast<int>(std::clamp(x, -DeviceLimit, DeviceLimit));
}

ValueGrid MakeValueGrid(GraphQuantity quantity, const GraphScale& scale, double unitsPerValue,
                        int axis) {
  ValueGrid grid;
  int c = 0;
  for (int j = 1; j <= 10; ++j) {
    if (j * scale.Unit < scale.Maximum) {
      grid.Lines.push_back(ToDevice(axis + j * scale.Unit * unitsPerValue));
      grid.Lines.push_back(ToDevice(axis - j * scale.Unit * unitsPerValue));
      c = j;
    }
  }
  if (c == 0) {
    c = 1;
    grid.Lines.push_back(ToDevice(axis + scale.Unit * unitsPerValue));
    grid.Lines.push_back(ToDevice(axis - scale.Unit * unitsPerValue));
  }
  if (c == 1) {
    grid.Lines.push_back(ToDevice(axis + 0.5 * scale.Unit * unitsPerValue));
    grid.Lines.push_back(ToDevice(axis - 0.5 * scale.Unit * unitsPerValue));
  }
  grid.Count = c;
  grid.Right = ToDevice(axis + c * scale.Unit * unitsPerValue);
  grid.Left = ToDevice(axis - c * scale.Unit * unitsPerValue);
  const double outer = c * scale.Unit;
  if (quantity == GraphQuantity::W) {
    grid.RightLabel = Format("%5.3f", outer);
    grid.LeftLabel = Format("%6.3f", -outer);
  } else {
    grid.RightLabel = Format("%3.1f", outer);
    grid.LeftLabel = Format("%4.1f", -outer);
  }
  return grid;
}

std::vector<int> DepthGridLines(double length, double unitsPerMetre, int top) {
  std::vector<int> lines;
  const double metres = std::isfinite(length) ? std::floor(std::min(length, DeepestMetre)) : 0.0;
  for (int j = 1; j <= metres; ++j) lines.push_back(ToDevice(top + unitsPerMetre * j));
  lines.push_back(top);
  lines.push_back(ToDevice(top + unitsPerMetre * length));
  return lines;
}

}  // namespace korvanu
