// The largest and smallest value of a quantity along the wall, both starting
// at 0, and the extreme that the printed graphs report under "Maxima :".
#pragma once

#include <cmath>

namespace korvanu {

struct ValueRange {
  double Largest = 0.0;
  double Smallest = 0.0;

  void Take(double value) {
    if (value > Largest) Largest = value;
    if (value < Smallest) Smallest = value;
  }
  // The largest value, unless the smallest is larger in magnitude.
  double Extreme() const { return std::fabs(Smallest) > std::fabs(Largest) ? Smallest : Largest; }
};

}  // namespace korvanu
