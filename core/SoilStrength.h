// The strength of the soil of one layer, loading step and side, as the user
// gave it to derive the earth pressure coefficients: kept with the problem so
// that it says where its coefficients came from.
#pragma once

#include <optional>

namespace korvanu {

// How Kp is found; the active side always uses plane surfaces (Rankine or
// Coulomb), where they are close to curved ones.
enum class EarthPressureMethod {
  Rankine,  // no wall friction, level surface
  Coulomb,  // plane sliding surfaces, with wall friction and slope
  Curved,   // Coulomb's Ka; Kp from curved sliding surfaces (Lancellotta's lower bound)
};

// Whether the wall friction is given in degrees or as the ratio delta/phi'.
enum class WallFrictionUnit { Degrees, Ratio };

struct SoilStrength {
  double Phi = 30.0;   // effective friction angle phi', degrees
  double Delta = 0.0;  // wall friction delta, in DeltaUnit
  WallFrictionUnit DeltaUnit = WallFrictionUnit::Degrees;
  double Beta = 0.0;      // slope of the surface on that side, degrees, rising away from the wall
  double Cohesion = 0.0;  // c', kN/m2; goes to the table's c as it is
  std::optional<double> OCR;  // overconsolidation ratio; none: normally consolidated
  std::optional<double> Kh;   // horizontal subgrade reaction, kN/m3; none: Dw is not derived
  EarthPressureMethod Method = EarthPressureMethod::Coulomb;

  // The wall friction in degrees, whichever way it was given.
  double DeltaDegrees() const { return DeltaUnit == WallFrictionUnit::Ratio ? Delta * Phi : Delta; }

  bool operator==(const SoilStrength&) const = default;
};

}  // namespace korvanu
