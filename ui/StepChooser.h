// The loading-step chooser of the windows that show a step: an editable list
// of the steps "%2d", into which a step can also be typed.
#pragma once

#include <QComboBox>
#include <functional>

namespace korvanu {

class StepChooser : public QComboBox {
  Q_OBJECT

 public:
  // A chooser of `width` at (x, y) showing `initialText`.
  StepChooser(QWidget* parent, int x, int y, int width, const QString& initialText);

  // Called when the user picks an item, or has typed a step and presses
  // Enter or leaves the box; never for the program's own changes.
  std::function<void()> OnChange;

  // Lists the steps first..last and selects `step` among them.
  void SetSteps(int first, int last, int step);
  // Selects the item of `step` (its text when it is not listed).
  void Select(int step);
  // The typed or chosen step brought into lowest..highest (raised to lowest
  // first, then lowered to highest), its item selected.
  int TakeStep(int lowest, int highest);
  // The typed or chosen text as an integer, as the C library reads it
  // (leading blanks, a sign, digits; anything else gives 0).
  int TypedStep() const;

 private:
  int first_ = 0;
};

}  // namespace korvanu
