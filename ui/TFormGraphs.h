// The output graphs window: w, M, Q and f of one loading step along the wall,
// on scales fixed from all steps. It reads the step files when it is shown,
// activated or switched, and paints only from what it read.
#pragma once

#include <memory>

#include "results/GraphScales.h"
#include "ui/StepLink.h"
#include "ui/ToolWindow.h"

class QAction;
class QFrame;
class QLabel;
class QPainter;
class QToolButton;

namespace korvanu {

class StepChooser;

class TFormGraphs : public ToolWindow, public StepView {
  Q_OBJECT

 public:
  explicit TFormGraphs(AppContext& context);
  ~TFormGraphs() override;

  // Takes the step from the chooser (clamped to 1..NT), refreshes the other
  // shown step windows and then this one.
  void ComboBoxStepChange();
  void FormActivate() override;
  // Fixes the scales from all step files, rebuilds the step list and reads
  // the current step; then repaints.
  void Fill();
  void SpeedButtonHelpClick();
  // Saves the graphs of the shown step as a picture of a chosen size.
  void ExportPicture();
  // Draws the graphs of the shown step on a client area of `client` whose
  // top `panelHeight` pixels are the panel's, on the scales of that size.
  void DrawGraphs(QPainter& painter, QSize client, int panelHeight) const;

  bool IsShownForSteps() const override { return context_.View.GraphsShown; }
  void RefreshStep() override { Fill(); }
  void ShowResultsState() override;

  StepChooser& ComboBoxStep() { return *chooser_; }
  const GraphScales& Scales() const { return scales_; }
  // The results the window paints: those of the step read last.
  const NodeResults& Shown() const { return *shown_; }
  QLabel& LabelOutOfDate() { return *outOfDate_; }
  QAction& ExportAction() { return *export_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void FixScales();

  QFrame* panel_ = nullptr;
  StepChooser* chooser_ = nullptr;
  QToolButton* help_ = nullptr;
  QLabel* outOfDate_ = nullptr;
  QAction* export_ = nullptr;
  std::unique_ptr<NodeResults> shown_;
  GraphMaxima maxima_;
  double wallLength_ = 0.0;
  GraphScales scales_;
};

}  // namespace korvanu
