// The output tables window.
#include "ui/TFormTables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QShowEvent>
#include <QToolButton>
#include <algorithm>
#include <memory>

#include "base/Dialogs.h"
#include "base/QtText.h"
#include "core/TextFormat.h"
#include "engine/FloatingPointFault.h"
#include "engine/StepCsv.h"
#include "results/ResultColumns.h"
#include "results/StepOutputReader.h"
#include "ui/FramePlacement.h"
#include "ui/HelpTexts.h"
#include "ui/StepChooser.h"
#include "ui/StringGrid.h"
#include "ui/WindowParts.h"

namespace korvanu {

namespace {

constexpr int Width = 520;  // of the window, frame included
constexpr int ClientHeight = 470;
constexpr int PanelHeight = 32;
constexpr int Columns = ResultColumnCount + 1;

int NodeCount(const ProblemData& problem) {
  return std::clamp(problem.General.NN, 0, MaxElements);
}

}  // namespace

TFormTables::TFormTables(AppContext& context)
    : ToolWindow(context, &ViewState::TablesShown, QStringLiteral("Output Tables")) {
  setObjectName(QStringLiteral("FormTables"));
  panel_ = MakePanel(this, "PanelTables", colors::Lime);
  MakeLabel(panel_, "LabelStep", QStringLiteral("Loading Step :"), 16, 9, false, 0);
  chooser_ = new StepChooser(panel_, 96, 6, 36, QStringLiteral("0"));
  chooser_->OnChange = [this] { ComboBoxStepChange(); };
  help_ = MakeHelpButton(panel_, QStringLiteral("Help on Tables"));
  connect(help_, &QToolButton::clicked, this, &TFormTables::SpeedButtonHelpClick);
  outOfDate_ = MakeOutOfDateLabel(panel_, 150);
  export_ = AddExportCommand(this, QStringLiteral("Save Step as CSV..."), [this] { ExportCsv(); });

  grid_ = new StringGrid(Columns, NodeCount(context.Problem) + 3, 0, 2, this);
  grid_->setObjectName(QStringLiteral("TablesGrid"));
  SetUpGrid(*grid_, font(), 18, {30, 65, 65, 65, 65, 65, 65, 65});
  grid_->SetReadOnly(true);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  grid_->FreezeFixedRows();
  grid_->AlignRight();
  for (int column = 0; column < Columns; ++column) {
    grid_->SetCell(column, 0, QString::fromUtf8(TableCaptions[column]));
    grid_->SetCell(column, 1, QString::fromUtf8(TableUnits[column]));
  }
  PlaceByFrame([this] {
    const int clientWidth = Frame().ClientWidth(Width);
    setFixedSize(clientWidth, ClientHeight);
    panel_->setGeometry(0, 0, clientWidth, PanelHeight);
    help_->move(clientWidth - 35, 3);
    grid_->setGeometry(0, PanelHeight, clientWidth, ClientHeight - PanelHeight);
    Frame().MoveFrameTo(QPoint(20, 150));
  });
  context.Steps.Join(StepWindow::Tables, this);
}

void TFormTables::showEvent(QShowEvent* event) {
  ToolWindow::showEvent(event);
  // A table shown anew starts at its top; a step change keeps the rows in view.
  grid_->MoveCursor(0, 2);
  grid_->scrollToTop();
  Fill();
}

void TFormTables::FormActivate() {
  ComboBoxStepChange();
}

void TFormTables::ComboBoxStepChange() {
  // The output windows have no step 0.
  const int NT = std::clamp(context_.Problem.General.NT, 0, MaxSteps);
  context_.View.CurrentStep = chooser_->TakeStep(1, NT);
  context_.Steps.StepChosen(StepWindow::Tables, context_.View.CurrentStep);
}

void TFormTables::Fill() {
  const ProblemData& problem = context_.Problem;
  const int NN = NodeCount(problem);
  if (grid_->RowCount() != NN + 3) grid_->SetSize(Columns, NN + 3);
  const int step = context_.View.CurrentStep;
  chooser_->SetSteps(1, std::clamp(problem.General.NT, 0, MaxSteps), step);

  NodeResults& results = context_.Engine.Nodes;
  const StepReadOutcome outcome = ReadStepOutput(StepOutputFileName(problem, step), NN, results);
  if (!outcome.Ok) ShowMessage(outcome.Message);

  grid_->setUpdatesEnabled(false);
  for (int i = 0; i <= NN; ++i) {
    const int row = i + 2;
    grid_->SetCell(0, row, QString::fromLatin1(Format("%4d", i)));
    for (int column = 0; column < ResultColumnCount; ++column)
      grid_->SetCell(column + 1, row,
                     QString::fromLatin1(Format(
                         "%12.6f", ResultValue(results, static_cast<ResultColumn>(column), i))));
  }
  grid_->setUpdatesEnabled(true);
  ShowResultsState();
}

void TFormTables::ShowResultsState() {
  outOfDate_->setVisible(!context_.View.ResultsValid);
}

void TFormTables::ExportCsv() {
  const ProblemData& problem = context_.Problem;
  const int NN = NodeCount(problem);
  const int step = context_.View.CurrentStep;
  const std::optional<QString> path = context_.Dialog.ExportFile(
      this, QStringLiteral("Save Step as CSV"), QDir::currentPath(),
      ToQString(StepCsvFileName(problem, step)), QStringLiteral("CSV file (*.csv)"));
  if (!path) return;
  // The numbers of the step file, at full precision when this run of the
  // program computed it.
  auto read = std::make_unique<NodeResults>();
  const StepReadOutcome outcome = ReadStepOutput(StepOutputFileName(problem, step), NN, *read);
  if (!outcome.Ok) {
    ShowMessage(outcome.Message);
    return;
  }
  const NodeResults* kept = context_.Computed.Matching(step, *read, NN);
  bool written = false;
  try {
    written = WriteStepCsv(problem, kept != nullptr ? *kept : *read,
                           QFile::encodeName(*path).toStdString());
  } catch (const FloatingPointFaultError&) {
    written = false;
  }
  if (!written) ShowMessage(QStringLiteral("Unable to write %1.").arg(QFileInfo(*path).fileName()));
}

void TFormTables::SpeedButtonHelpClick() {
  ShowMessage(TablesHelpText());
}

}  // namespace korvanu
