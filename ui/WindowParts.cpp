// The shared window pieces.
#include "ui/WindowParts.h"

#include <QAction>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPalette>
#include <QToolButton>

#include "ui/StringGrid.h"

namespace korvanu {

QFont SansFont(int points, bool bold) {
  QFont font(QStringLiteral("MS Sans Serif"), points);
  font.setBold(bold);
  return font;
}

void Paint(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, color);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

QFrame* MakePanel(QWidget* parent, const char* name, const QColor& color) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(QLatin1String(name));
  panel->setFrameShape(QFrame::Box);
  panel->setLineWidth(1);
  Paint(panel, color);
  return panel;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int x, int y,
                  bool whiteBold, int width) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  if (whiteBold) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
  }
  label->move(x, y);
  label->resize(width > 0 ? width : label->sizeHint().width(), label->sizeHint().height());
  return label;
}

QToolButton* MakeImageButton(QWidget* parent, const char* name, const QString& tooltip,
                             const char* icon) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QLatin1String(name));
  button->setToolTip(tooltip);
  button->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(icon))));
  button->setIconSize(QSize(18, 18));
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->resize(25, 25);
  return button;
}

QToolButton* MakeHelpButton(QWidget* parent, const QString& tooltip) {
  return MakeImageButton(parent, "SpeedButtonHelp", tooltip, "help");
}

QAction* AddExportCommand(QWidget* window, const QString& text, std::function<void()> run) {
  // The key is the program's (see TFormKRV): a key of the window alone does
  // not reach it while its step chooser has the keyboard.
  auto* action = new QAction(
      text + QStringLiteral("\t") + QKeySequence(ExportKey).toString(QKeySequence::NativeText),
      window);
  action->setObjectName(QLatin1String(ExportActionName));
  QObject::connect(action, &QAction::triggered, window, std::move(run));
  window->addAction(action);
  window->setContextMenuPolicy(Qt::ActionsContextMenu);
  return action;
}

QLabel* MakeOutOfDateLabel(QWidget* panel, int x) {
  QLabel* label =
      MakeLabel(panel, "LabelOutOfDate",
                QStringLiteral("Out of date: an edit since the computation"), x, 9, false, 0);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colors::Red);
  label->setPalette(palette);
  label->resize(label->sizeHint());
  label->hide();
  return label;
}

void SetUpGrid(StringGrid& grid, const QFont& font, int rowHeight,
               std::initializer_list<int> columnWidths) {
  grid.setFont(font);
  grid.SetFixedColor(colors::Yellow);
  grid.SetRowHeights(rowHeight);
  grid.setFrameShape(QFrame::Box);
  grid.setLineWidth(1);
  int column = 0;
  for (const int width : columnWidths) grid.setColumnWidth(column++, width);
}

bool IsUndoOrRedoKey(const QKeyEvent& key) {
  const QKeyCombination combination = key.keyCombination();
  return key.matches(QKeySequence::Undo) || key.matches(QKeySequence::Redo) ||
         combination == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
         combination == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

}  // namespace korvanu
