// The soil layer editor. What a commit does lives in CommitSoilCell.
#include "ui/TFormSoils.h"

#include <QComboBox>
#include <QLabel>
#include <QToolButton>
#include <algorithm>

#include "base/QtText.h"
#include "core/SoilLayerRules.h"
#include "engine/StrengthCoefficients.h"
#include "ui/HelpTexts.h"
#include "ui/StepChooser.h"
#include "ui/StringGrid.h"
#include "ui/TFormStrength.h"
#include "ui/WindowParts.h"

namespace korvanu {

namespace {

constexpr int NameColumn = static_cast<int>(SoilColumn::Name);
const QString LeftSide = QStringLiteral("Left Side");
const QString RightSide = QStringLiteral("Right Side");

EditorLayout SoilsLayout() {
  return EditorLayout{
      "FormSoils",
      "PanelSoil",
      "SoilGrid",
      QStringLiteral("Help on Soils"),
      725,
      1,
      {20, 80, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55},
      {"No.", "Soil Name", "       H", "      Wd", "      Ws", "      Zw", "     Cap", "       q",
       "       c", "      Ka", "      Kp", "      Kn", "      Dw"},
      {"", "", "       m", "    kN/m³", "    kN/m³", "       m", "       m", "    kN/m²",
       "    kN/m²", "       --", "       --", "       --", "       m"},
  };
}

int Layers(const ProblemData& problem) {
  return std::clamp(problem.General.NL, 0, MaxLayers);
}

}  // namespace

TFormSoils::TFormSoils(AppContext& context)
    : EditorWindow(context, &ViewState::SoilsShown, QStringLiteral("Properties of Soil Layers"),
                   SoilsLayout()) {
  PlaceAt(QPoint(40, static_cast<int>(0.35 * ScreenSize().height())));

  chooser_ = MakeStepChooser([this] { ComboBoxStepChange(); });
  side_ = new QComboBox(panel_);
  side_->setObjectName(QStringLiteral("ComboBoxSide"));
  side_->addItems({LeftSide, RightSide});
  side_->setGeometry(150, 4, 80, side_->sizeHint().height());
  connect(side_, &QComboBox::activated, this, [this] { ComboBoxSideChange(); });
  labelSide_ = MakeLabel(panel_, "LabelSide", QString(), 150, 8, false, 160);

  // Left of the help button; "&K" makes Alt+K press it from the grid.
  strength_ = new QToolButton(panel_);
  strength_->setObjectName(QStringLiteral("SpeedButtonStrength"));
  strength_->setText(QString::fromUtf8("&K from φ'"));
  strength_->setToolTip(
      QString::fromUtf8("Ka, Kn, Kp and Dw of the layer from its φ', δ, c' and k_h (Alt+K)"));
  strength_->setFocusPolicy(Qt::NoFocus);
  strength_->setGeometry(help_->x() - 80, 3, 76, 24);
  connect(strength_, &QToolButton::clicked, this, [this] { SpeedButtonStrengthClick(); });

  // Between the side and the strength button; two lines at most.
  constexpr int noteLeft = 262;
  note_ =
      MakeLabel(panel_, "LabelNote", QString(), noteLeft, 1, false, strength_->x() - 4 - noteLeft);
  note_->setWordWrap(true);
  note_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  note_->resize(note_->width(), PanelHeight - 2);
  QFont small = note_->font();
  small.setPointSize(7);
  note_->setFont(small);

  HomeCursor(NameColumn);
  FormPaint();
  context.Steps.Join(StepWindow::Soils, this);
}

void TFormSoils::SelectStep(int step) {
  chooser_->SetSteps(0, LastStep(), step);
}

void TFormSoils::FormPaint() {
  if (notedFor_ && !(*notedFor_ == context_.Problem)) ShowNote({});
  ShowSteps(*chooser_);
  side_->setCurrentText(context_.View.CurrentSide == Side::Left ? LeftSide : RightSide);
  FillSoilGrid();
}

void TFormSoils::FormActivate() {
  HomeCursor(NameColumn);
  FormPaint();
  FocusGrid();
}

void TFormSoils::ComboBoxStepChange() {
  StepChosenIn(*chooser_, StepWindow::Soils);
}

void TFormSoils::ComboBoxSideChange() {
  const Side chosen = side_->currentText() == LeftSide ? Side::Left : Side::Right;
  // A value typed into the grid belongs to the side still shown.
  if (!CommitTypedValue()) {
    side_->setCurrentText(context_.View.CurrentSide == Side::Left ? LeftSide : RightSide);
    return;
  }
  context_.View.CurrentSide = chosen;
  FillSoilGrid();
}

void TFormSoils::FillSoilGrid() {
  const ProblemData& problem = context_.Problem;
  const ViewState& view = context_.View;
  // In the initial state both sides are edited together.
  const bool initial = view.CurrentStep == 0;
  labelSide_->setText(initial ? QStringLiteral("Left and Right Sides") : QString());
  // The label lies where the side chooser is: it must not take the
  // chooser's clicks.
  labelSide_->setVisible(initial);
  side_->setVisible(!initial);

  FillDataRows(Layers(problem), [&](int column, int layer) {
    return SoilCellText(problem, view, static_cast<SoilColumn>(column), layer);
  });
}

CellCommit TFormSoils::CommitCell(int col, int row) {
  return CommitSoilCell(context_.Problem, context_.View, static_cast<SoilColumn>(col),
                        row - FirstDataRow, Typed(col, row));
}

void TFormSoils::AfterCommit(int, int) {
  // Spreading and the water rule may change more than the cell left.
  FillSoilGrid();
}

std::string TFormSoils::FinishEdit(const ProblemData& before) {
  ProblemData& problem = context_.Problem;
  const StrokeFollowUp strokes = FollowStrokes(problem);
  return SoilEditNote(RefilledRecords(before, problem), context_.View.CurrentStep, strokes);
}

void TFormSoils::ShowNote(const std::string& note) {
  note_->setText(ToQString(note));
  note_->setToolTip(note_->text());
  notedFor_ = note.empty() ? nullptr : std::make_unique<ProblemData>(context_.Problem);
}

void TFormSoils::SpeedButtonHelpClick() {
  ShowMessage(SoilsHelpText());
}

TFormStrength* TFormSoils::SpeedButtonStrengthClick() {
  if (!CommitTypedValue()) return nullptr;
  const int layers = Layers(context_.Problem);
  if (layers == 0) return nullptr;
  const int layer = std::clamp(grid_->Row() - FirstDataRow, 0, layers - 1);
  auto* dialog = new TFormStrength(context_, layer, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  const int row = grid_->Row();
  dialog->WhereApplied = [this, row] { return EditAt(grid_->Col(), row); };
  dialog->OnApplied = [this] {
    ShowNote({});
    FillSoilGrid();
    context_.Steps.ProblemChanged();
  };
  dialog->show();
  return dialog;
}

}  // namespace korvanu
