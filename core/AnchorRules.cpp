// The anchors grid's commit rules.
#include "core/AnchorRules.h"

#include <algorithm>

#include "core/Check.h"
#include "core/TextFormat.h"

namespace korvanu {
namespace {

constexpr const char* kEnterNonNegative = "Enter non-negative number";
// What a refused anchor force shows; leaving the cell again commits it.
constexpr double kRefusedForceShown = 1.0;

double AnchorRecord::*Field(AnchorColumn column) {
  switch (column) {
    case AnchorColumn::Fx:
      return &AnchorRecord::Fx;
    case AnchorColumn::Fa:
      return &AnchorRecord::Fa;
    case AnchorColumn::Dw:
      return &AnchorRecord::Fw;
    case AnchorColumn::Number:
    case AnchorColumn::Depth:
      break;
  }
  KORVANU_CHECK(false && "not an anchor value column");
  return &AnchorRecord::Fx;
}

}  // namespace

std::string AnchorCellText(const ProblemData& problem, int step, AnchorColumn column, int point) {
  KORVANU_CHECK(point >= 0 && point < MaxPoints && step >= 0 && step < StepSlots);
  switch (column) {
    case AnchorColumn::Number:
      return Format("%2d", point);
    case AnchorColumn::Depth:
      return Format("%12.3f", problem.Z[point]);
    case AnchorColumn::Fx:
    case AnchorColumn::Fa:
    case AnchorColumn::Dw:
      break;
  }
  return Format("%12.3f", problem.Anchors[step][point].*Field(column));
}

CellCommit CommitAnchorCell(ProblemData& problem, ViewState& view, AnchorColumn column, int point,
                            std::string_view typed) {
  KORVANU_CHECK(point >= 0 && point < MaxPoints);
  view.ResultsValid = false;
  const double value = ReadReal(typed);
  CellCommit commit;
  if (column == AnchorColumn::Fa && value < 0.0) {
    commit.Accepted = false;
    commit.Message = kEnterNonNegative;
    commit.Shown = Format("%12.3f", kRefusedForceShown);
    commit.ShownPending = true;
    return commit;
  }
  // Every later step slot, also those beyond NT: a step added later starts
  // with the anchors of the last step edited.
  for (int s = std::clamp(view.CurrentStep, 0, MaxSteps); s < StepSlots; ++s)
    problem.Anchors[s][point].*Field(column) = value;
  commit.Shown = Format("%12.3f", value);
  return commit;
}

}  // namespace korvanu
