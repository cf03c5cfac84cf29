// What the four editor windows share: a lime panel on top with the help
// button at its right, a string grid under it whose rows 0 and 1 hold the
// captions and units, the Enter key moving down and wrapping to the first
// data row, the commit of the cell being left (one step of undo), a block
// pasted from the clipboard, and a height that follows the number of rows.
#pragma once

#include <QPoint>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/CellCommit.h"
#include "core/EditHistory.h"
#include "ui/StepLink.h"
#include "ui/ToolWindow.h"

class QFrame;
class QKeyEvent;
class QShowEvent;
class QToolButton;

namespace korvanu {

class StepChooser;
class StringGrid;

struct EditorLayout {
  const char* WindowName;
  const char* PanelName;
  const char* GridName;
  QString HelpHint;
  int Width;  // of the window, frame included
  int FixedCols;
  std::vector<int> ColumnWidths;  // one per column
  // Row 0 and row 1 of every column, as UTF-8.
  std::vector<const char*> Captions;
  std::vector<const char*> Units;
};

// Every editor follows the problem: while it is on the screen, a change of
// the data made elsewhere (New, Open, the main window, another editor)
// rewrites it.
class EditorWindow : public ToolWindow, public StepView {
  Q_OBJECT

 public:
  StringGrid& Grid() { return *grid_; }

  // Fills the window from the problem; runs whenever it is shown.
  virtual void FormPaint() = 0;

  bool IsShownForSteps() const override { return Shown(); }
  void RefreshStep() override { FormPaint(); }
  bool ShowsInput() const override { return isVisible(); }
  // Stores a value typed into the cursor's cell but not yet left, as leaving
  // the cell would; false when the value was refused (the message shown).
  bool CommitTypedValue();
  virtual void SpeedButtonHelpClick() = 0;

  // Where an edit of cell (col, row) lies, for undo: this window, the step
  // and side on show, the cell.
  EditLocation EditAt(int col, int row);
  // Shows the window, filled from the problem, with the cursor on (col, row)
  // and nothing committed; the window's activation does not put the cursor
  // home. Undo and redo show their edit so.
  void ShowCell(int col, int row);
  // Pastes a block of tab-separated text from the cursor: each cell through
  // its own commit as if typed and left, in reading order, the whole block
  // one step of undo; refused cells and cells beyond the table are reported
  // in one message. False when the text is a single value and a value is
  // being typed: it then joins the typed text.
  bool PasteText(const QString& text);

 protected:
  static constexpr int PanelHeight = 30;
  static constexpr int RowHeight = 18;
  static constexpr int FirstDataRow = 2;

  EditorWindow(AppContext& context, bool ViewState::*shownFlag, const QString& caption,
               const EditorLayout& layout);

  // The rule's outcome for the text typed into (col, row), the cell being
  // left. `Shown` goes into that cell; AfterCommit runs next.
  virtual CellCommit CommitCell(int col, int row) = 0;
  virtual void AfterCommit(int col, int row) {
    (void)col;
    (void)row;
  }
  // Ends every stored edit of the window (a cell, a pasted block) within
  // it, so that what it changes goes with the edit's step of undo; `before`
  // is the problem as the edit found it. Returns what the panel is to say
  // about the edit, or nothing.
  virtual std::string FinishEdit(const ProblemData& before) {
    (void)before;
    return {};
  }
  // Says on the panel what the stored edit just finished did beyond its
  // cells; an empty note says nothing.
  virtual void ShowNote(const std::string& note) { (void)note; }

  void showEvent(QShowEvent* event) override;
  bool event(QEvent* event) override;

  // Sets the number of rows and sizes the grid and the window to show them
  // all.
  void FitRows(int rows);
  // Fits `count` data rows and writes every cell of them: `text(column, k)`
  // is what the cell of the k-th data row shows.
  void FillDataRows(int count, const std::function<std::string(int column, int k)>& text);
  // What was typed into a cell, as the problem's 8-bit text.
  std::string Typed(int col, int row) const;
  // Puts the cursor on (col, FirstDataRow) and records it in the view,
  // without committing the cell it leaves: the cells may still show another
  // step's values.
  void HomeCursor(int col);
  void FocusGrid();
  // Places the window's frame at `topLeft`, `Width` wide.
  void PlaceAt(QPoint topLeft);

  // The editors that show one loading step: the "Loading Step :" label and
  // the chooser at the left of the panel; the chooser reports to `onChange`.
  StepChooser* MakeStepChooser(std::function<void()> onChange);
  // NT, within the step slots.
  int LastStep() const;
  // Keeps the shared step within 0..NT and lists those steps in the chooser.
  void ShowSteps(StepChooser& chooser);
  // The step typed or picked in the chooser, clamped to 0..NT, becomes the
  // shared step; the other shown step windows and `window` follow it. A value
  // typed into the grid is stored first, into the step still shown; when it
  // is refused the chooser goes back to that step.
  void StepChosenIn(StepChooser& chooser, StepWindow window);

  QFrame* panel_ = nullptr;
  QToolButton* help_ = nullptr;
  StringGrid* grid_ = nullptr;

 private:
  bool GridSelectCell(int col, int row);
  bool GridKeyPress(QKeyEvent& event);
  // Puts the cursor on a cell without a commit and records it in the view.
  void PlaceCursor(int col, int row);

  int width_;
  int clientWidth_;
  // The refused cell whose shown value the next leave commits.
  bool pending_ = false;
  int pendingCol_ = 0;
  int pendingRow_ = 0;
  QString pendingText_;
  // The cell ShowCell put the cursor on, again after the activation.
  std::optional<QPoint> cursorAfterActivation_;
};

}  // namespace korvanu
