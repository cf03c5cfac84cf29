// The anchors and lateral forces editor. What a commit does lives in
// CommitAnchorCell.
#include "ui/TFormAnchors.h"

#include <algorithm>

#include "core/AnchorRules.h"
#include "core/ProblemDefaults.h"
#include "ui/HelpTexts.h"
#include "ui/StepChooser.h"
#include "ui/StringGrid.h"

namespace korvanu {

namespace {

constexpr int FxColumn = static_cast<int>(AnchorColumn::Fx);

EditorLayout AnchorsLayout() {
  return EditorLayout{
      "FormAnchors",
      "PanelAnchors",
      "AnchorsGrid",
      QStringLiteral("Help on Anchors"),
      271,
      2,
      {20, 60, 60, 60, 60},
      {"No.", "    Depth", "       Fx", "       Fa", "       Dw"},
      {"", "         m", "      kN/m", "      kN/m", "         m"},
  };
}

// Points 0..NL, the top of the wall and the bottom of every layer.
int Points(const ProblemData& problem) {
  return std::clamp(problem.General.NL, 0, MaxLayers) + 1;
}

}  // namespace

TFormAnchors::TFormAnchors(AppContext& context)
    : EditorWindow(context, &ViewState::AnchorsShown, QStringLiteral("Anchors"), AnchorsLayout()) {
  SetAnchorStartValues(context.Problem);
  PlaceAt(QPoint(ScreenSize().width() / 2, 130));
  chooser_ = MakeStepChooser([this] { ComboBoxStepChange(); });
  FormPaint();
  context.Steps.Join(StepWindow::Anchors, this);
}

void TFormAnchors::FormPaint() {
  FitRows(Points(context_.Problem) + FirstDataRow);
  HomeCursor(FxColumn);
  ShowSteps(*chooser_);
  FillAnchorsGrid();
}

void TFormAnchors::FormActivate() {
  FormPaint();
  FocusGrid();
}

void TFormAnchors::ComboBoxStepChange() {
  StepChosenIn(*chooser_, StepWindow::Anchors);
}

void TFormAnchors::FillAnchorsGrid() {
  const ProblemData& problem = context_.Problem;
  const int step = std::clamp(context_.View.CurrentStep, 0, LastStep());
  FillDataRows(Points(problem), [&](int column, int point) {
    return AnchorCellText(problem, step, static_cast<AnchorColumn>(column), point);
  });
}

CellCommit TFormAnchors::CommitCell(int col, int row) {
  return CommitAnchorCell(context_.Problem, context_.View, static_cast<AnchorColumn>(col),
                          row - FirstDataRow, Typed(col, row));
}

void TFormAnchors::SpeedButtonHelpClick() {
  ShowMessage(AnchorsHelpText());
}

}  // namespace korvanu
