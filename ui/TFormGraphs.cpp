// The output graphs window.
#include "ui/TFormGraphs.h"

#include <QFrame>
#include <QPainter>
#include <QShowEvent>
#include <QToolButton>
#include <algorithm>

#include "print/OutputGraphDrawing.h"
#include "results/StepOutputReader.h"
#include "ui/FramePlacement.h"
#include "ui/HelpTexts.h"
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
  update();
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
  painter.setFont(font());
  const int NN = std::clamp(context_.Problem.General.NN, 0, MaxElements);
  PaintOutputGraphs(painter, size(), GraphsPanelHeight, *shown_, NN, scales_);
}

void TFormGraphs::SpeedButtonHelpClick() {
  ShowMessage(GraphsHelpText());
}

}  // namespace korvanu
