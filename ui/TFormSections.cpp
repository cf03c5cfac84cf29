// The cross-section view.
#include "ui/TFormSections.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QPainter>
#include <QShowEvent>
#include <QToolButton>
#include <algorithm>

#include "base/Dialogs.h"
#include "base/QtText.h"
#include "engine/StepOutput.h"
#include "ui/DrawCrossSection.h"
#include "ui/FramePlacement.h"
#include "ui/HelpTexts.h"
#include "ui/PictureExport.h"
#include "ui/StepChooser.h"
#include "ui/WindowParts.h"

namespace korvanu {

namespace {

constexpr int ClientWidth = 400;
constexpr int ClientHeight = 510;
constexpr int PanelHeight = 30;

int LastStep(const ProblemData& problem) {
  return std::clamp(problem.General.NT, 0, MaxSteps);
}

}  // namespace

TFormSections::TFormSections(AppContext& context)
    : ToolWindow(context, &ViewState::SectionsShown, QStringLiteral("Cross Sections")) {
  setObjectName(QStringLiteral("FormSections"));
  resize(ClientWidth, ClientHeight);
  Paint(this, Qt::white);

  panel_ = MakePanel(this, "PanelSection", colors::Lime);
  panel_->setGeometry(0, 0, ClientWidth, PanelHeight);
  MakeLabel(panel_, "LabelStep", QStringLiteral("Loading Step : "), 16, 8, false, 0);
  chooser_ = new StepChooser(panel_, 96, 4, 36, QStringLiteral("0"));
  chooser_->OnChange = [this] { ComboBoxStepChange(); };
  help_ = MakeHelpButton(panel_, QStringLiteral("Help on Sections"));
  help_->move(ClientWidth - 35, 2);
  connect(help_, &QToolButton::clicked, this, &TFormSections::SpeedButtonHelpClick);
  export_ = AddExportCommand(this, QStringLiteral("Save Cross Section as Picture..."),
                             [this] { ExportPicture(); });

  PlaceByFrame([this] {
    const QSize screen = ScreenSize();
    Frame().MoveFrameTo(QPoint(screen.width() - Frame().FrameWidth(ClientWidth) - 50,
                               static_cast<int>(0.35 * screen.height())));
  });

  context.Steps.Join(StepWindow::Sections, this);
  FormPaint();
}

void TFormSections::showEvent(QShowEvent* event) {
  ToolWindow::showEvent(event);
  FormPaint();
}

void TFormSections::FormPaint() {
  ViewState& view = context_.View;
  const int NT = LastStep(context_.Problem);
  view.CurrentStep = std::clamp(view.CurrentStep, 0, NT);
  chooser_->SetSteps(0, NT, view.CurrentStep);
  shownStep_ = view.CurrentStep;
  update();
}

void TFormSections::ComboBoxStepChange() {
  ViewState& view = context_.View;
  view.CurrentStep = std::clamp(chooser_->TypedStep(), 0, LastStep(context_.Problem));
  chooser_->Select(view.CurrentStep);
  context_.Steps.StepChosen(StepWindow::Sections, view.CurrentStep);
}

void TFormSections::resizeEvent(QResizeEvent* event) {
  ToolWindow::resizeEvent(event);
  panel_->setGeometry(0, 0, width(), PanelHeight);
  help_->move(width() - 35, 2);
  update();
}

void TFormSections::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(font());
  DrawCrossSection(painter, size(), PanelHeight, context_.Problem, shownStep_);
}

void TFormSections::ExportPicture() {
  const int step = shownStep_;
  const QString name =
      ToQString(StepOutputFileName(context_.Problem, step)) + QStringLiteral(".section.png");
  const std::optional<QString> path =
      context_.Dialog.ExportFile(this, QStringLiteral("Save Cross Section as Picture"),
                                 QDir::currentPath(), name, PictureFilters());
  if (!path) return;
  const std::optional<QSize> pictureSize = context_.Dialog.PictureSize(this, size());
  if (!pictureSize) return;
  // The picture has no panel: the section takes the whole area.
  const bool saved =
      SavePicture(*path, *pictureSize, QStringLiteral("Cross Section, Loading Step %1").arg(step),
                  [&](QPainter& painter) {
                    painter.setFont(font());
                    DrawCrossSection(painter, *pictureSize, 0, context_.Problem, step);
                  });
  if (!saved) ShowMessage(QStringLiteral("Unable to write %1.").arg(QFileInfo(*path).fileName()));
}

void TFormSections::SpeedButtonHelpClick() {
  ShowMessage(SectionsHelpText());
}

}  // namespace korvanu
