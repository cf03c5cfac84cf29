// The manual window: eleven pages of text with their figures, a page
// chooser, and the command that prints the whole manual.
#pragma once

#include "ui/ToolWindow.h"

class QFrame;
class QLabel;
class QToolButton;

namespace korvanu {

class StepChooser;

class TFormManual : public ToolWindow {
  Q_OBJECT

 public:
  explicit TFormManual(AppContext& context);

  // Takes the page from the chooser, clamped to 1..11, and shows it.
  void ComboBoxPageChange();
  void SpeedButtonHelpClick();
  // The print dialog, then the nine printed pages; cancelling prints nothing.
  void SpeedButtonPrintClick();

  int CurrentPage() const { return currentPage_; }
  StepChooser& ComboBoxPage() { return *chooser_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int currentPage_ = 1;
  QFrame* panel_ = nullptr;
  QToolButton* print_ = nullptr;
  QLabel* label_ = nullptr;
  StepChooser* chooser_ = nullptr;
  QToolButton* help_ = nullptr;
};

}  // namespace korvanu
