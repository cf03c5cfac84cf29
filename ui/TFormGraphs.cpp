// The output graphs window.
#include "ui/TFormGraphs.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QShowEvent>
#include <QToolButton>
#include <algorithm>

#include "base/Dialogs.h"
#include "base/QtText.h"
#include "print/OutputGraphDrawing.h"
#include "results/StepOutputReader.h"
#include "ui/FramePlacement.h"
#include "ui/HelpTexts.h"
#include "ui/PictureExport.h"
#include "ui/StepChooser.h"
#include "ui/WindowParts.h"

namespace korvanu {

namespace {

constexpr int MinimumWidth = 400;
constexpr int MinimumHeight = 300;

}  // namespace

TFormGraphs::TFormGraphs(AppContext& context)
    : ToolWindow(context, &ViewState::GraphsShown, QStringLiteral("Output Graphs")),
      shown_(std::make_unique<NodeResults>()) {
  setObjectName(QStringLiteral("FormGraphs"));
  setMinimumSize(MinimumWidth, MinimumHeight);
  resize(DesignedGraphsClientWidth, DesignedGraphsClientHeight);
  PlaceByFrame([this] {
    Frame().MoveFrameTo(
        QPoint(ScreenSize().width() - Frame().FrameWidth(DesignedGraphsClientWidth) - 20, 130));
  });
  Paint(this, Qt::white);

  panel_ = MakePanel(this, "PanelGraphs", colors::Lime);
  panel_->setGeometry(0, 0, width(), GraphsPanelHeight);
  MakeLabel(panel_, "LabelStep", QStringLiteral("Loading Step :"), 20, 7, false, 0);
  chooser_ = new StepChooser(panel_, 96, 4, 36, QStringLiteral("1"));
  chooser_->OnChange = [this] { ComboBoxStepChange(); };
  help_ = MakeHelpButton(panel_, QStringLiteral("Help on Graphics"));
  help_->move(width() - 35, 2);
  connect(help_, &QToolButton::clicked, this, &TFormGraphs::SpeedButtonHelpClick);
  outOfDate_ = MakeOutOfDateLabel(panel_, 150);
  export_ = AddExportCommand(this, QStringLiteral("Save Graphs as Picture..."),
                             [this] { ExportPicture(); });
  context.Steps.Join(StepWindow::Graphs, this);
}

TFormGraphs::~TFormGraphs() = default;

void TFormGraphs::showEvent(QShowEvent* event) {
  ToolWindow::showEvent(event);
  Fill();
}

void TFormGraphs::FormActivate() {
  ComboBoxStepChange();
}

void TFormGraphs::ComboBoxStepChange() {
  // The output windows have no step 0.
  const int NT = std::clamp(context_.Problem.General.NT, 0, MaxSteps);
  context_.View.CurrentStep = chooser_->TakeStep(1, NT);
  context_.Steps.StepChosen(StepWindow::Graphs, context_.View.CurrentStep);
}

void TFormGraphs::Fill() {
  const ProblemData& problem = context_.Problem;
  const int NN = std::clamp(problem.General.NN, 0, MaxElements);
  NodeResults& results = context_.Engine.Nodes;
  // The depth scale comes from the arrays as they are before the steps are read.
  wallLength_ = results.z[NN];
  maxima_ = ReadGraphMaxima(problem, results,
                            [this](const std::string& message) { ShowMessage(message); });
  FixScales();

  const int step = context_.View.CurrentStep;
  chooser_->SetSteps(1, std::clamp(problem.General.NT, 0, MaxSteps), step);
  const StepReadOutcome outcome = ReadStepOutput(StepOutputFileName(problem, step), NN, results);
  if (!outcome.Ok) ShowMessage(outcome.Message);
  *shown_ = results;
  ShowResultsState();
  update();
}

void TFormGraphs::ShowResultsState() {
  outOfDate_->setVisible(!context_.View.ResultsValid);
}

void TFormGraphs::FixScales() {
  GraphSizes sizes;
  sizes.ClientWidth = width();
  sizes.ClientHeight = height();
  sizes.PanelHeight = GraphsPanelHeight;
  scales_ = ComputeGraphScales(maxima_, wallLength_, sizes);
}

void TFormGraphs::resizeEvent(QResizeEvent* event) {
  ToolWindow::resizeEvent(event);
  panel_->setGeometry(0, 0, width(), GraphsPanelHeight);
  help_->move(width() - 35, 2);
  // The maxima stay those read last: a resize reads no file.
  FixScales();
  update();
}

void TFormGraphs::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawGraphs(painter, size(), GraphsPanelHeight);
}

void TFormGraphs::DrawGraphs(QPainter& painter, QSize client, int panelHeight) const {
  GraphScales scales = scales_;
  if (client != size() || panelHeight != GraphsPanelHeight) {
    GraphSizes sizes;
    sizes.ClientWidth = client.width();
    sizes.ClientHeight = client.height();
    sizes.PanelHeight = panelHeight;
    scales = ComputeGraphScales(maxima_, wallLength_, sizes);
  }
  painter.setFont(font());
  const int NN = std::clamp(context_.Problem.General.NN, 0, MaxElements);
  PaintOutputGraphs(painter, client, panelHeight, *shown_, NN, scales);
}

void TFormGraphs::ExportPicture() {
  const int step = context_.View.CurrentStep;
  const QString name =
      ToQString(StepOutputFileName(context_.Problem, step)) + QStringLiteral(".graphs.png");
  const std::optional<QString> path = context_.Dialog.ExportFile(
      this, QStringLiteral("Save Graphs as Picture"), QDir::currentPath(), name, PictureFilters());
  if (!path) return;
  const std::optional<QSize> pictureSize = context_.Dialog.PictureSize(this, size());
  if (!pictureSize) return;
  // The picture has no panel: the graphs take the whole area.
  const bool saved =
      SavePicture(*path, *pictureSize, QStringLiteral("Results after Step %1").arg(step),
                  [&](QPainter& painter) { DrawGraphs(painter, *pictureSize, 0); });
  if (!saved) ShowMessage(QStringLiteral("Unable to write %1.").arg(QFileInfo(*path).fileName()));
}

void TFormGraphs::SpeedButtonHelpClick() {
  ShowMessage(GraphsHelpText());
}

}  // namespace korvanu
