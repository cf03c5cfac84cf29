// The cross-section view: a picture of the problem in one loading step, on
// the step that the step windows share. Read-only.
#pragma once

#include "ui/StepLink.h"
#include "ui/ToolWindow.h"

class QAction;
class QFrame;
class QToolButton;

namespace korvanu {

class StepChooser;

class TFormSections : public ToolWindow, public StepView {
  Q_OBJECT

 public:
  explicit TFormSections(AppContext& context);

  // Takes the step from the chooser (clamped to 0..NT), refreshes the other
  // shown step windows and then this one.
  void ComboBoxStepChange();
  // Activation refills the window, as showing it does.
  void FormActivate() override { FormPaint(); }
  // Lists the steps 0..NT, brings the shared step into them and repaints.
  void FormPaint();
  void SpeedButtonHelpClick();
  // Saves the picture of the shown step at a chosen size.
  void ExportPicture();

  bool IsShownForSteps() const override { return context_.View.SectionsShown; }
  void RefreshStep() override { FormPaint(); }
  bool ShowsInput() const override { return isVisible(); }

  StepChooser& ComboBoxStep() { return *chooser_; }
  // The step the picture shows.
  int ShownStep() const { return shownStep_; }
  QAction& ExportAction() { return *export_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QFrame* panel_ = nullptr;
  StepChooser* chooser_ = nullptr;
  QToolButton* help_ = nullptr;
  QAction* export_ = nullptr;
  int shownStep_ = 0;
};

}  // namespace korvanu
