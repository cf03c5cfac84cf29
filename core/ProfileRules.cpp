// The profile catalogue's commit rules.
#include "core/ProfileRules.h"

#include <cmath>

#include "core/Check.h"
#include "core/DatafileText.h"
#include "core/TextFormat.h"

namespace korvanu {
namespace {

// The catalogue's message for every numeric column, although any
// non-negative real is taken.
constexpr const char* kEnterPositive = "Enter positive integer number";
// What a refused value shows, in the column's format; leaving the cell
// again commits it.
constexpr double kRefusedValueShown = 1.0;
constexpr double kGigaToKilo = 1.0e6;

double Profile::*Field(ProfileColumn column) {
  switch (column) {
    case ProfileColumn::Area:
      return &Profile::Area;
    case ProfileColumn::Weight:
      return &Profile::Weight;
    case ProfileColumn::E:
      return &Profile::E;
    case ProfileColumn::h:
      return &Profile::h;
    case ProfileColumn::i:
      return &Profile::i;
    case ProfileColumn::EI:
      return &Profile::EI;
    case ProfileColumn::Number:
    case ProfileColumn::Name:
      break;
  }
  KORVANU_CHECK(false && "not a profile value column");
  return &Profile::Area;
}

const char* ColumnFormat(ProfileColumn column) {
  switch (column) {
    case ProfileColumn::Weight:
    case ProfileColumn::E:
      return "%9.3f";
    case ProfileColumn::EI:
      return "%9.1f";
    case ProfileColumn::Number:
    case ProfileColumn::Name:
    case ProfileColumn::Area:
    case ProfileColumn::h:
    case ProfileColumn::i:
      break;
  }
  return "%9.6f";
}

// A refused value shows in "%9.3f" in the columns that show three decimals,
// in "%9.6f" in the others, EI included.
const char* RefusalFormat(ProfileColumn column) {
  return column == ProfileColumn::Weight || column == ProfileColumn::E ? "%9.3f" : "%9.6f";
}

}  // namespace

double RadiusOfInertia(double EI, double E, double area) {
  const double stiffness = E * area;
  if (!(stiffness > 0.0) || !(EI > 0.0)) return 0.0;
  return 0.001 * std::sqrt(EI / stiffness);
}

std::string ProfileCellText(const ProblemData& problem, ProfileColumn column, int profile) {
  KORVANU_CHECK(profile >= 0 && profile < MaxProfiles);
  const Profile& p = problem.Catalogue[profile];
  switch (column) {
    case ProfileColumn::Number:
      return Format("%2d", profile + 1);
    case ProfileColumn::Name:
      return p.Name;
    case ProfileColumn::Area:
    case ProfileColumn::Weight:
    case ProfileColumn::E:
    case ProfileColumn::h:
    case ProfileColumn::i:
    case ProfileColumn::EI:
      break;
  }
  return Format(ColumnFormat(column), p.*Field(column));
}

void DeriveRadiiOfInertia(ProblemData& problem) {
  for (Profile& p : problem.Catalogue) p.i = RadiusOfInertia(p.EI, p.E, p.Area);
}

CellCommit CommitProfileCell(ProblemData& problem, ViewState& view, ProfileColumn column,
                             int profile, std::string_view typed) {
  KORVANU_CHECK(profile >= 0 && profile < MaxProfiles && column != ProfileColumn::Number);
  view.ResultsValid = false;
  Profile& p = problem.Catalogue[profile];
  CellCommit commit;
  if (column == ProfileColumn::Name) {
    std::string name = CutText(typed, MaxName);
    if (std::string why = DatafileTextRefusal(name, "A profile name"); !why.empty()) {
      commit.Accepted = false;
      commit.Message = std::move(why);
      commit.Shown = p.Name;
      return commit;
    }
    p.Name = std::move(name);
    commit.Shown = p.Name;
    return commit;
  }
  const double value = ReadReal(typed);
  if (value < 0.0) {
    commit.Accepted = false;
    commit.Message = kEnterPositive;
    commit.Shown = Format(RefusalFormat(column), kRefusedValueShown);
    commit.ShownPending = true;
    return commit;
  }
  p.*Field(column) = value;
  if (column == ProfileColumn::E || column == ProfileColumn::i)
    p.EI = kGigaToKilo * p.E * p.Area * p.i * p.i;
  else if (column == ProfileColumn::EI)
    p.i = RadiusOfInertia(p.EI, p.E, p.Area);
  commit.Shown = ProfileCellText(problem, column, profile);
  return commit;
}

}  // namespace korvanu
