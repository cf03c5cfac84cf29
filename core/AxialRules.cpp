// The axial forces grid's commit rule.
#include "core/AxialRules.h"

#include "core/Check.h"
#include "core/TextFormat.h"

namespace korvanu {
namespace {

double AxialRecord::*Field(AxialColumn column) {
  switch (column) {
    case AxialColumn::NTop:
      return &AxialRecord::NA;
    case AxialColumn::NBottom:
      return &AxialRecord::NB;
    case AxialColumn::MTop:
      return &AxialRecord::MA;
    case AxialColumn::Step:
      break;
  }
  KORVANU_CHECK(false && "not an axial value column");
  return &AxialRecord::NA;
}

}  // namespace

std::string AxialCellText(const ProblemData& problem, AxialColumn column, int step) {
  KORVANU_CHECK(step >= 0 && step < StepSlots);
  if (column == AxialColumn::Step) return Format("%4d", step);
  return Format("%12.3f", problem.Axial[step].*Field(column));
}

CellCommit CommitAxialCell(ProblemData& problem, ViewState& view, AxialColumn column, int step,
                           std::string_view typed) {
  KORVANU_CHECK(step >= 0 && step < StepSlots);
  view.ResultsValid = false;
  const double value = ReadReal(typed);
  problem.Axial[step].*Field(column) = value;
  CellCommit commit;
  commit.Shown = Format("%12.3f", value);
  return commit;
}

}  // namespace korvanu
