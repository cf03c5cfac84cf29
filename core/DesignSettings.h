// What a design must meet: the steel grade and partial factor of the wall's
// stress check and the user's requirements. Stored with the problem.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace korvanu {

struct SteelGrade {
  const char* Name;
  double Fy;  // N/mm2
};

// S240GP .. S430GP, from the weakest.
extern const std::array<SteelGrade, 6> SteelGrades;

// The yield strength of a grade named as in SteelGrades (case ignored).
std::optional<double> GradeStrength(std::string_view name);
// The name of the grade whose strength is fy ("S355GP"), or nothing.
const char* GradeName(double fy);

struct DesignSettings {
  double Fy = 0.0;               // N/mm2; 0 when no steel is given: stresses without utilisation
  double GammaM0 = 1.0;          // partial factor of the steel's resistance
  std::optional<double> MinFp;   // Fp at least
  std::optional<double> MinFs;   // Fs at least
  std::optional<double> MaxW;    // m, the largest |w| at most
  bool LimitUtilisation = true;  // utilisation at most 1, wherever fy is given
  bool NoAnchorYield = true;     // no anchor may reach its maximum force

  bool operator==(const DesignSettings&) const = default;
};

}  // namespace korvanu
