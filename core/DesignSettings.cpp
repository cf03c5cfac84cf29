// The steel grades a wall's stress is checked against.
#include "core/DesignSettings.h"

#include <cctype>

namespace korvanu {

const std::array<SteelGrade, 6> SteelGrades = {{
    {"S240GP", 240.0},
    {"S270GP", 270.0},
    {"S320GP", 320.0},
    {"S355GP", 355.0},
    {"S390GP", 390.0},
    {"S430GP", 430.0},
}};

std::optional<double> GradeStrength(std::string_view name) {
  for (const SteelGrade& grade : SteelGrades) {
    const std::string_view known(grade.Name);
    if (known.size() != name.size()) continue;
    bool same = true;
    for (size_t k = 0; k < known.size() && same; ++k) {
      same = std::toupper(static_cast<unsigned char>(name[k])) == known[k];
    }
    if (same) return grade.Fy;
  }
  return std::nullopt;
}

const char* GradeName(double fy) {
  for (const SteelGrade& grade : SteelGrades) {
    if (grade.Fy == fy) return grade.Name;
  }
  return nullptr;
}

}  // namespace korvanu
