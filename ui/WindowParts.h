// The pieces every window of the program is built from, made alike in one
// place: the colours, the fonts, the coloured panels, labels, image buttons
// and help buttons, and the set-up of a string grid.
#pragma once

#include <QColor>
#include <QFont>
#include <QKeyCombination>
#include <QString>
#include <functional>
#include <initializer_list>

#include "base/WindowColors.h"

class QAction;
class QFrame;
class QKeyEvent;
class QLabel;
class QToolButton;
class QWidget;

namespace korvanu {

class StringGrid;

// "MS Sans Serif" (a free look-alike is substituted) at a point size.
QFont SansFont(int points, bool bold = false);

// Fills the widget's background with a colour.
void Paint(QWidget* widget, const QColor& color);

// A panel with a single border in a colour.
QFrame* MakePanel(QWidget* parent, const char* name, const QColor& color);

// A label at (x, y), `width` wide (0: as wide as its text); title labels are
// white and bold.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int x, int y,
                  bool whiteBold = false, int width = 240);

// A flat 25 x 25 button with one of the toolbar images and a tooltip; it
// never takes the keyboard focus from the grids.
QToolButton* MakeImageButton(QWidget* parent, const char* name, const QString& tooltip,
                             const char* icon);
QToolButton* MakeHelpButton(QWidget* parent, const QString& tooltip);

// The window's command that saves what it shows (a picture, a table), on its
// context menu; ExportKey runs it in the active window.
inline const char* const ExportActionName = "ExportAction";
inline constexpr QKeyCombination ExportKey{Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_S};
QAction* AddExportCommand(QWidget* window, const QString& text, std::function<void()> run);

// Whether a key is one of the program's undo and redo keys: a text editor in
// a window leaves those to the program instead of undoing its own text.
bool IsUndoOrRedoKey(const QKeyEvent& key);

// A red label on an output window's panel, at x, shown while the results on
// show are out of date: an edit since the computation.
QLabel* MakeOutOfDateLabel(QWidget* panel, int x);

// A grid in the program's look: its font, yellow fixed cells, a row height
// and the column widths from the first column on.
void SetUpGrid(StringGrid& grid, const QFont& font, int rowHeight,
               std::initializer_list<int> columnWidths);

}  // namespace korvanu
