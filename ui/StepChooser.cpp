// The step chooser: item texts, selection and what the user typed.
#include "ui/StepChooser.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>

#include "base/QtText.h"
#include "core/TextFormat.h"

namespace korvanu {

StepChooser::StepChooser(QWidget* parent, int x, int y, int width, const QString& initialText)
    : QComboBox(parent) {
  setObjectName(QStringLiteral("ComboBoxStep"));
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setMaxVisibleItems(21);
  setGeometry(x, y, width, sizeHint().height());
  setToolTip(QStringLiteral("Step"));
  setEditText(initialText);
  // A typed step counts when the user presses Enter or leaves the box, not
  // at every key, so that the box does not rewrite a number half typed.
  connect(this, &QComboBox::activated, this, [this] {
    if (OnChange) OnChange();
  });
  connect(lineEdit(), &QLineEdit::editingFinished, this, [this] {
    if (lineEdit()->isModified() && OnChange) OnChange();
  });
}

void StepChooser::SetSteps(int first, int last, int step) {
  const QSignalBlocker blocker(this);
  clear();
  first_ = first;
  for (int k = first; k <= last; ++k) addItem(ToQString(Format("%2d", k)));
  Select(step);
}

void StepChooser::Select(int step) {
  const QSignalBlocker blocker(this);
  const int index = step - first_;
  if (index >= 0 && index < count()) {
    setCurrentIndex(index);
    setEditText(itemText(index));
  } else {
    setCurrentIndex(-1);
    setEditText(ToQString(Format("%2d", step)));
  }
  lineEdit()->setModified(false);
}

int StepChooser::TakeStep(int lowest, int highest) {
  const int step = std::min(std::max(TypedStep(), lowest), highest);
  Select(step);
  return step;
}

int StepChooser::TypedStep() const {
  return ReadInteger(ToStdString(currentText()));
}

}  // namespace korvanu
