// The design summary window: the design settings of the problem, a row of
// checks per loading step and one over all steps, the verdicts, and the
// searches of Fp, Fs and the minimum length run in a worker thread.
#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "analysis/DesignChecks.h"
#include "analysis/FactorSearch.h"
#include "core/ResultsBasis.h"
#include "ui/StepLink.h"
#include "ui/ToolWindow.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QThread;
class QTimer;
class QToolButton;

namespace korvanu {

class StepChooser;
class StringGrid;

class TFormDesign : public ToolWindow, public StepView {
  Q_OBJECT

 public:
  explicit TFormDesign(AppContext& context);
  ~TFormDesign() override;

  // Takes the step from the chooser (clamped to 1..NT) and refreshes the
  // shown step windows, this one last.
  void ComboBoxStepChange();
  void FormActivate() override;
  // Brings the window in step with the problem: computes it again when its
  // data changed since the last fill, then the settings, table and verdicts.
  void Fill();
  // Starts the searches on a copy of the problem; the window stays usable.
  void ButtonSearchClick();
  // Asks the running searches to stop; they end after the step they compute.
  void ButtonCancelClick();
  void SpeedButtonHelpClick();

  bool Searching() const { return thread_ != nullptr; }
  // The searches shown: those of the problem as it is, or none.
  const DesignSearches* ShownSearches() const;

  bool IsShownForSteps() const override { return context_.View.DesignShown; }
  void RefreshStep() override { Fill(); }
  bool ShowsInput() const override { return context_.View.DesignShown && isVisible(); }

  StringGrid& DesignGrid() { return *grid_; }
  StepChooser& ComboBoxStep() { return *chooser_; }
  QComboBox& ComboBoxGrade() { return *grade_; }
  QLabel& LabelVerdicts() { return *verdicts_; }
  QLabel& LabelSearch() { return *status_; }
  QPushButton& ButtonSearch() { return *search_; }
  QPushButton& ButtonCancel() { return *cancel_; }
  QProgressBar& ProgressSearch() { return *progress_; }

 signals:
  // From the searching thread; delivered queued to the window.
  void SearchProgress(double fraction);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  struct SearchJob;

  void BuildSettings();
  void ShowSettings();
  void SettingsEdited();
  void ShowSummary();
  void SearchFinished();
  void ShowProgress(double fraction);

  QFrame* panel_ = nullptr;
  StepChooser* chooser_ = nullptr;
  QToolButton* help_ = nullptr;
  QComboBox* grade_ = nullptr;
  QLabel* fy_ = nullptr;
  QDoubleSpinBox* gammaM0_ = nullptr;
  QCheckBox* requireFp_ = nullptr;
  QDoubleSpinBox* minFp_ = nullptr;
  QCheckBox* requireFs_ = nullptr;
  QDoubleSpinBox* minFs_ = nullptr;
  QCheckBox* requireW_ = nullptr;
  QDoubleSpinBox* maxW_ = nullptr;
  QCheckBox* limitUtilisation_ = nullptr;
  QCheckBox* noAnchorYield_ = nullptr;
  StringGrid* grid_ = nullptr;
  QLabel* verdicts_ = nullptr;
  QPushButton* search_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* status_ = nullptr;
  QTimer* watch_ = nullptr;

  // The problem as last computed, its steps and its summary.
  std::unique_ptr<ProblemData> computedFor_;
  std::unique_ptr<ComputedSteps> steps_;
  DesignSummary summary_;
  // The last searches that ran to their end, and the problem they searched.
  std::unique_ptr<ProblemData> searchedFor_;
  std::optional<DesignSearches> searches_;
  std::shared_ptr<SearchJob> job_;
  QThread* thread_ = nullptr;
  bool showingSettings_ = false;
};

}  // namespace korvanu
