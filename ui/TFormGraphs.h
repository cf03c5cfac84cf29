// The output graphs window: w, M, Q and f of one loading step along the wall,
// on scales fixed from all steps. It reads the step files when it is shown,
// activated or switched, and paints only from what it read.
#pragma once

#include <memory>

#include "results/GraphScales.h"
#include "ui/StepLink.h"
#include "ui/ToolWindow.h"

class QFrame;
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

  bool IsShownForSteps() const override { return context_.View.GraphsShown; }
  void RefreshStep() override { Fill(); }

  StepChooser& ComboBoxStep() { return *chooser_; }
  const GraphScales& Scales() const { return scales_; }
  // The results the window paints: those of the step read last.
  const NodeResults& Shown() const { return *shown_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void FixScales();

  QFrame* panel_ = nullptr;
  StepChooser* chooser_ = nullptr;
  QToolButton* help_ = nullptr;
  std::unique_ptr<NodeResults> shown_;
  GraphMaxima maxima_;
  double wallLength_ = 0.0;
  GraphScales scales_;
};

}  // namespace korvanu
