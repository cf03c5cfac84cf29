// What storing a typed value into a cell of the profile catalogue does, and
// how EI, E, Area and the radius of inertia i are kept consistent through
// EI = E * Area * i^2 (E in GN/m^2, hence the factor 10^6).
#pragma once

#include <string>
#include <string_view>

#include "core/CellCommit.h"
#include "core/ProblemData.h"
#include "core/ViewState.h"

namespace korvanu {

// The columns of the catalogue grid; the data rows hold profiles 1..20.
enum class ProfileColumn { Number, Name, Area, Weight, E, h, i, EI };
constexpr int ProfileColumnCount = 8;

// i = 0.001 * sqrt(EI / (E * Area)); 0 where E * Area or EI is not positive,
// so that no profile divides by zero.
double RadiusOfInertia(double EI, double E, double area);

// What a data cell shows for profile `profile` (0-based): "%2d" of its
// number, its name, or the value in the column's format ("%9.6f", "%9.3f",
// "%9.1f").
std::string ProfileCellText(const ProblemData& problem, ProfileColumn column, int profile);

// Derives and stores i from EI, E and Area of every profile: EI governs
// whenever the catalogue is shown anew.
void DeriveRadiiOfInertia(ProblemData& problem);

// Commits `typed` into the cell of `profile`. E and i recompute EI, EI
// recomputes i, Area recomputes nothing until the next derivation.
// Whatever the outcome, ResultsValid is cleared.
CellCommit CommitProfileCell(ProblemData& problem, ViewState& view, ProfileColumn column,
                             int profile, std::string_view typed);

}  // namespace korvanu
