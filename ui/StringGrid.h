// The string grid every editor of the program uses: fixed rows and columns in
// their colour, a cell editor that is always shown, a cursor that moves only
// when the owner agrees, and a block of cells that goes to the clipboard.
#pragma once

#include <QColor>
#include <QRect>
#include <QTableWidget>
#include <functional>

class QKeyEvent;
class QLineEdit;
class QMouseEvent;
class QTableView;

namespace korvanu {

class StringGrid : public QTableWidget {
  Q_OBJECT

 public:
  StringGrid(int colCount, int rowCount, int fixedCols, int fixedRows, QWidget* parent = nullptr);

  // Asked before the cursor moves to (col, row), whatever moves it (keys, the
  // mouse, SelectCell). The text typed into the cell being left is already in
  // Cell(Col(), Row()). Returning false refuses the move: the cursor stays.
  std::function<bool(int col, int row)> OnSelectCell;
  // Every key pressed in the grid, before the grid handles it; returning true
  // consumes the key.
  std::function<bool(QKeyEvent& event)> OnKeyPress;
  // Ctrl+V with the clipboard's text; returning false leaves the key to the
  // cell editor.
  std::function<bool(const QString& text)> OnPaste;

  int ColCount() const { return columnCount(); }
  int RowCount() const { return rowCount(); }
  int FixedCols() const { return fixedCols_; }
  int FixedRows() const { return fixedRows_; }
  // Changes the size; the cursor is kept inside the editable cells.
  void SetSize(int colCount, int rowCount);

  QString Cell(int col, int row) const;
  // Writes a cell; when it is the cursor's cell, the editor shows the text.
  void SetCell(int col, int row, const QString& text);
  // Shows in the cursor's cell a value the owner has not stored (a refused
  // value's stand-in): Escape still puts back what the cell showed before.
  void ShowUnstored(const QString& text);

  int Col() const { return col_; }
  int Row() const { return row_; }
  // Moves the cursor as the user would: the owner is asked first. Returns
  // whether the cursor is now on (col, row).
  bool SelectCell(int col, int row);
  // Moves the cursor without asking the owner (nothing is committed).
  void MoveCursor(int col, int row);

  void SetFixedColor(const QColor& color);
  void SetRowHeights(int height);
  // A grid that only shows: the cursor still moves, nothing can be typed.
  void SetReadOnly(bool readOnly);
  // Keeps the fixed rows (the captions) in view while the rows below scroll.
  void FreezeFixedRows();
  // Every cell, the cursor's too, shows its text right-aligned without its
  // leading blanks (a grid of numbers).
  void AlignRight();
  // Whether the text of the cursor's cell was typed since the cursor came
  // there or the program last wrote it.
  bool EditModified() const { return modified_; }
  // Whether a double click or F2 placed the caret within the value, so that
  // typing edits it and the arrows and clicks move within it; otherwise the
  // whole value is selected and typing replaces it.
  bool CaretPlaced() const { return caretPlaced_; }

  // The selected block of cells, columns along x and rows along y: the
  // cursor's cell unless Shift with the arrows or the mouse, a drag or Ctrl+A
  // made it larger. Moving the cursor makes it the cursor's cell again.
  QRect Block() const;
  // Selects the block between two cells (kept within the editable cells); the
  // cursor stays where it is and nothing is committed.
  void SelectBlock(int col1, int row1, int col2, int row2);
  void SelectAllCells();
  // The block's cells as tab-separated lines, as shown. Whole rows of a grid
  // without fixed columns come with the fixed rows above them, the captions
  // and units.
  QString BlockText() const;

  QLineEdit* Editor() const { return editor_; }
  // The cell a point of the viewport lies in; false outside the cells.
  bool CellAt(const QPoint& viewportPos, int& col, int& row) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void updateGeometries() override;
  void scrollContentsBy(int dx, int dy) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

 private:
  bool IsEditable(int col, int row) const;
  bool HandleKey(QKeyEvent& event);
  // A left click on a cell: the cursor goes there (a click on the cursor's
  // own cell selects its whole value), with Shift the block widens.
  void ClickCell(int col, int row, Qt::KeyboardModifiers modifiers);
  // The mouse over the editor, which lies on the cursor's cell; true when
  // the grid took the event from the editor.
  bool EditorMouseEvent(QMouseEvent& event);
  void PlaceCaret(int position);
  // Escape: the cell shows again what it showed before the typing, and
  // nothing is stored; false when nothing was typed.
  bool AbandonTyping();
  bool HandleBlockKey(QKeyEvent& event);
  // Moves the far corner of the block by (dx, dy).
  void ExtendBlock(int dx, int dy);
  bool InBlock(int col, int row) const;
  void PlaceEditor();
  void ShowInEditor(const QString& text);
  void PlaceFrozenRows();
  int FrozenHeight() const;
  void EnsureVisible();
  void ColourCell(int col, int row);
  QTableWidgetItem* ItemAt(int col, int row) const;

  int fixedCols_;
  int fixedRows_;
  int col_ = 0;
  int row_ = 0;
  // The block runs from its anchor to its far corner.
  int anchorCol_ = 0;
  int anchorRow_ = 0;
  int farCol_ = 0;
  int farRow_ = 0;
  bool dragging_ = false;
  // The editor's press went to the grid, so do its moves and release.
  bool mouseTaken_ = false;
  bool modified_ = false;
  bool caretPlaced_ = false;
  // What the cursor's cell showed when the cursor came or the program last
  // wrote it.
  QString shownText_;
  bool alignRight_ = false;
  // Whether the editor's whole text was selected when it last lost the focus.
  bool selectedAtFocusOut_ = false;
  bool asking_ = false;
  bool forwarding_ = false;
  // The key event the editor saw last: when the editor leaves it unused it
  // travels up to the view, which must not handle it a second time. The same
  // event object travels, so its address tells it apart.
  const QKeyEvent* lastEditorKey_ = nullptr;
  QColor fixedColor_{Qt::lightGray};
  QLineEdit* editor_;
  QTableView* frozen_ = nullptr;  // the fixed rows over the top of the viewport
};

}  // namespace korvanu
