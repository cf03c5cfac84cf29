// The axial forces editor. What a commit does lives in CommitAxialCell.
#include "ui/TFormAxis.h"

#include <algorithm>

#include "core/AxialRules.h"
#include "core/ProblemDefaults.h"
#include "ui/HelpTexts.h"
#include "ui/StringGrid.h"

namespace korvanu {

namespace {

constexpr int NTopColumn = static_cast<int>(AxialColumn::NTop);
constexpr int Width = 221;

EditorLayout AxisLayout() {
  return EditorLayout{
      "FormAxis",
      "PanelAxis",
      "AxisGrid",
      QStringLiteral("Help on Axial Forces"),
      Width,
      1,
      {30, 60, 60, 60},
      {"Step", "      NTop", "   NBottom", "      MTop"},
      {"", "      kN/m", "      kN/m", "     kNm/m"},
  };
}

int Steps(const ProblemData& problem) {
  return std::clamp(problem.General.NT, 0, MaxSteps) + 1;
}

}  // namespace

TFormAxis::TFormAxis(AppContext& context)
    : EditorWindow(context, &ViewState::AxisShown, QStringLiteral("Axial Forces"), AxisLayout()) {
  SetAxialStartValues(context.Problem);
  PlaceAt(QPoint(ScreenSize().width() - Width - 50, 110));
  HomeCursor(NTopColumn);
  FillAxisGrid();
  context.Steps.JoinInput(this);
}

void TFormAxis::FormActivate() {
  FitRows(Steps(context_.Problem) + FirstDataRow);
  HomeCursor(NTopColumn);
  FillAxisGrid();
  FocusGrid();
}

void TFormAxis::FillAxisGrid() {
  const ProblemData& problem = context_.Problem;
  FillDataRows(Steps(problem), [&](int column, int step) {
    return AxialCellText(problem, static_cast<AxialColumn>(column), step);
  });
}

CellCommit TFormAxis::CommitCell(int col, int row) {
  return CommitAxialCell(context_.Problem, context_.View, static_cast<AxialColumn>(col),
                         row - FirstDataRow, Typed(col, row));
}

void TFormAxis::SpeedButtonHelpClick() {
  ShowMessage(AxialHelpText());
}

}  // namespace korvanu
