// The string grid every editor of the program uses. Qt's own item editing is
// switched off: one line editor lives over the cursor's cell, writes what is
// typed straight into that cell, and every move of the cursor goes through
// SelectCell so that the owner can validate the cell being left.
#include "ui/StringGrid.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

#include "core/ClipboardBlock.h"
#include "ui/NumberCellDelegate.h"

namespace korvanu {

StringGrid::StringGrid(int colCount, int rowCount, int fixedCols, int fixedRows, QWidget* parent)
    : QTableWidget(parent),
      fixedCols_(fixedCols),
      fixedRows_(fixedRows),
      editor_(new QLineEdit(viewport())) {
  horizontalHeader()->hide();
  verticalHeader()->hide();
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::NoSelection);
  setTabKeyNavigation(false);
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);
  setShowGrid(true);
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);

  editor_->setFrame(false);
  editor_->installEventFilter(this);
  setFocusProxy(editor_);
  connect(editor_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (QTableWidgetItem* item = ItemAt(col_, row_)) item->setText(text);
    modified_ = true;
  });
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, &StringGrid::PlaceEditor);
  connect(verticalHeader(), &QHeaderView::sectionResized, this, &StringGrid::PlaceEditor);

  col_ = fixedCols_;
  row_ = fixedRows_;
  SetSize(colCount, rowCount);
}

void StringGrid::SetSize(int colCount, int rowCount) {
  setColumnCount(colCount);
  setRowCount(rowCount);
  for (int r = 0; r < rowCount; ++r)
    for (int c = 0; c < colCount; ++c) {
      if (!item(r, c)) setItem(r, c, new QTableWidgetItem());
      ColourCell(c, r);
    }
  const int lastCol = std::max(fixedCols_, colCount - 1);
  const int lastRow = std::max(fixedRows_, rowCount - 1);
  MoveCursor(std::clamp(col_, fixedCols_, lastCol), std::clamp(row_, fixedRows_, lastRow));
}

QTableWidgetItem* StringGrid::ItemAt(int col, int row) const {
  if (col < 0 || row < 0 || col >= columnCount() || row >= rowCount()) return nullptr;
  return item(row, col);
}

QString StringGrid::Cell(int col, int row) const {
  const QTableWidgetItem* cell = ItemAt(col, row);
  return cell ? cell->text() : QString();
}

void StringGrid::SetCell(int col, int row, const QString& text) {
  QTableWidgetItem* cell = ItemAt(col, row);
  if (!cell) return;
  cell->setText(text);
  if (col == col_ && row == row_) {
    ShowInEditor(text);
    modified_ = false;
    caretPlaced_ = false;
    shownText_ = text;
  }
}

void StringGrid::ShowUnstored(const QString& text) {
  const QString stored = shownText_;
  SetCell(col_, row_, text);
  shownText_ = stored;
}

bool StringGrid::IsEditable(int col, int row) const {
  return col >= fixedCols_ && row >= fixedRows_ && col < columnCount() && row < rowCount();
}

bool StringGrid::SelectCell(int col, int row) {
  if (!IsEditable(col, row)) return false;
  if (col == col_ && row == row_) return true;
  // A message box shown by the owner runs its own event loop; a second move
  // asked from there would validate the same cell twice.
  if (asking_) return false;
  if (OnSelectCell) {
    asking_ = true;
    const bool allowed = OnSelectCell(col, row);
    asking_ = false;
    if (!allowed) {
      editor_->selectAll();
      return false;
    }
  }
  MoveCursor(col, row);
  return true;
}

void StringGrid::MoveCursor(int col, int row) {
  if (!IsEditable(col, row)) {
    editor_->hide();
    return;
  }
  col_ = col;
  row_ = row;
  modified_ = false;
  caretPlaced_ = false;
  shownText_ = Cell(col, row);
  SelectBlock(col, row, col, row);
  ShowInEditor(shownText_);
  EnsureVisible();
  PlaceEditor();
}

void StringGrid::ShowInEditor(const QString& text) {
  editor_->setText(alignRight_ ? text.trimmed() : text);
  editor_->selectAll();
}

void StringGrid::AlignRight() {
  alignRight_ = true;
  auto* delegate = new NumberCellDelegate(this);
  setItemDelegate(delegate);
  if (frozen_ != nullptr) frozen_->setItemDelegate(delegate);
  editor_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // The line editor keeps a margin of its own inside the cell.
  editor_->setTextMargins(-1, 0, -1, 0);
  ShowInEditor(Cell(col_, row_));
  PlaceEditor();
}

void StringGrid::EnsureVisible() {
  // A grid without scroll bars is laid out to show every cell; scrolling it
  // by the width of its frame would hide the fixed column.
  const QRect cell = visualRect(model()->index(row_, col_));
  // Frozen caption rows cover the top of the viewport.
  const QRect area = viewport()->rect().adjusted(0, FrozenHeight(), 0, 0);
  if (horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff &&
      (cell.left() < area.left() || cell.right() > area.right()))
    horizontalScrollBar()->setValue(
        horizontalScrollBar()->value() +
        (cell.left() < area.left() ? cell.left() : cell.right() - area.right()));
  if (verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff &&
      (cell.top() < area.top() || cell.bottom() > area.bottom()))
    verticalScrollBar()->setValue(
        verticalScrollBar()->value() +
        (cell.top() < area.top() ? cell.top() : cell.bottom() - area.bottom()));
}

void StringGrid::SetFixedColor(const QColor& color) {
  fixedColor_ = color;
  for (int r = 0; r < rowCount(); ++r)
    for (int c = 0; c < columnCount(); ++c) ColourCell(c, r);
}

void StringGrid::ColourCell(int col, int row) {
  QTableWidgetItem* cell = ItemAt(col, row);
  if (!cell) return;
  if (col < fixedCols_ || row < fixedRows_) {
    cell->setBackground(fixedColor_);
    cell->setFlags(Qt::ItemIsEnabled);
  } else {
    const QRect block = Block();
    const bool marked = InBlock(col, row) && block.width() * block.height() > 1;
    cell->setBackground(marked ? palette().color(QPalette::Highlight).lighter(170)
                               : QColor(Qt::white));
    cell->setFlags(Qt::ItemIsEnabled);
  }
}

QRect StringGrid::Block() const {
  return QRect(QPoint(std::min(anchorCol_, farCol_), std::min(anchorRow_, farRow_)),
               QPoint(std::max(anchorCol_, farCol_), std::max(anchorRow_, farRow_)));
}

bool StringGrid::InBlock(int col, int row) const {
  return Block().contains(col, row);
}

void StringGrid::SelectBlock(int col1, int row1, int col2, int row2) {
  const int lastCol = std::max(fixedCols_, columnCount() - 1);
  const int lastRow = std::max(fixedRows_, rowCount() - 1);
  const QRect before = Block();
  anchorCol_ = std::clamp(col1, fixedCols_, lastCol);
  anchorRow_ = std::clamp(row1, fixedRows_, lastRow);
  farCol_ = std::clamp(col2, fixedCols_, lastCol);
  farRow_ = std::clamp(row2, fixedRows_, lastRow);
  const QRect after = Block();
  if (after == before && after.width() * after.height() == 1) return;
  // Only the cells of the two blocks change colour.
  for (const QRect& area : {before, after})
    for (int r = area.top(); r <= area.bottom(); ++r)
      for (int c = area.left(); c <= area.right(); ++c) ColourCell(c, r);
}

void StringGrid::SelectAllCells() {
  SelectBlock(fixedCols_, fixedRows_, columnCount() - 1, rowCount() - 1);
}

void StringGrid::ExtendBlock(int dx, int dy) {
  SelectBlock(anchorCol_, anchorRow_, farCol_ + dx, farRow_ + dy);
}

QString StringGrid::BlockText() const {
  const QRect block = Block();
  const bool wholeRows = fixedCols_ == 0 && block.left() == 0 && block.right() == columnCount() - 1;
  TextBlock cells;
  const auto addRow = [&](int row) {
    std::vector<std::string> line;
    for (int c = block.left(); c <= block.right(); ++c)
      line.push_back(Cell(c, row).toUtf8().toStdString());
    cells.push_back(std::move(line));
  };
  if (wholeRows)
    for (int r = 0; r < fixedRows_; ++r) addRow(r);
  for (int r = block.top(); r <= block.bottom(); ++r) addRow(r);
  return QString::fromUtf8(FormatBlock(cells));
}

void StringGrid::SetRowHeights(int height) {
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(height);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  for (int r = 0; r < rowCount(); ++r) setRowHeight(r, height);
}

void StringGrid::SetReadOnly(bool readOnly) {
  editor_->setReadOnly(readOnly);
}

void StringGrid::FreezeFixedRows() {
  if (frozen_ != nullptr || fixedRows_ == 0) return;
  frozen_ = new QTableView(this);
  frozen_->setModel(model());
  frozen_->setItemDelegate(itemDelegate());
  frozen_->setFocusPolicy(Qt::NoFocus);
  frozen_->horizontalHeader()->hide();
  frozen_->verticalHeader()->hide();
  frozen_->setSelectionMode(QAbstractItemView::NoSelection);
  frozen_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  frozen_->setFrameShape(QFrame::NoFrame);
  frozen_->setWordWrap(false);
  frozen_->setTextElideMode(Qt::ElideNone);
  // Fixed cells take no clicks: the view swallows them.
  frozen_->viewport()->installEventFilter(this);
  connect(horizontalHeader(), &QHeaderView::sectionResized, frozen_,
          [this](int column, int, int size) { frozen_->setColumnWidth(column, size); });
  connect(verticalHeader(), &QHeaderView::sectionResized, this, &StringGrid::PlaceFrozenRows);
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, frozen_->horizontalScrollBar(),
          &QScrollBar::setValue);
  for (int c = 0; c < columnCount(); ++c) frozen_->setColumnWidth(c, columnWidth(c));
  PlaceFrozenRows();
  frozen_->show();
}

int StringGrid::FrozenHeight() const {
  if (frozen_ == nullptr) return 0;
  int height = 0;
  for (int r = 0; r < fixedRows_ && r < rowCount(); ++r) height += rowHeight(r);
  return height;
}

void StringGrid::PlaceFrozenRows() {
  if (frozen_ == nullptr) return;
  for (int r = 0; r < fixedRows_ && r < rowCount(); ++r) frozen_->setRowHeight(r, rowHeight(r));
  const QRect area = viewport()->geometry();
  frozen_->setGeometry(area.left(), area.top(), area.width(), FrozenHeight());
  frozen_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
}

bool StringGrid::CellAt(const QPoint& viewportPos, int& col, int& row) const {
  const QModelIndex index = indexAt(viewportPos);
  if (!index.isValid()) return false;
  col = index.column();
  row = index.row();
  return true;
}

void StringGrid::PlaceEditor() {
  if (!IsEditable(col_, row_)) {
    editor_->hide();
    return;
  }
  const QRect rect = visualRect(model()->index(row_, col_));
  editor_->setGeometry(alignRight_ ? rect : rect.adjusted(1, 0, 0, 0));
  editor_->show();
}

bool StringGrid::HandleBlockKey(QKeyEvent& event) {
  if (event.matches(QKeySequence::SelectAll)) {
    SelectAllCells();
    return true;
  }
  if (event.matches(QKeySequence::Copy)) {
    // Part of the text of one cell is the cell editor's to copy.
    const QRect block = Block();
    if (block.width() * block.height() == 1 && editor_->hasSelectedText() &&
        editor_->selectedText() != editor_->text())
      return false;
    QGuiApplication::clipboard()->setText(BlockText());
    return true;
  }
  if (event.matches(QKeySequence::Paste))
    return OnPaste && OnPaste(QGuiApplication::clipboard()->text());
  // Shift with an arrow widens the block; left and right stay with the text
  // while a value is being typed.
  if (!(event.modifiers() & Qt::ShiftModifier)) return false;
  const bool typing = modified_ && !editor_->isReadOnly();
  switch (event.key()) {
    case Qt::Key_Up:
      ExtendBlock(0, -1);
      return true;
    case Qt::Key_Down:
      ExtendBlock(0, 1);
      return true;
    case Qt::Key_Left:
      if (typing) return false;
      ExtendBlock(-1, 0);
      return true;
    case Qt::Key_Right:
      if (typing) return false;
      ExtendBlock(1, 0);
      return true;
    default:
      return false;
  }
}

bool StringGrid::HandleKey(QKeyEvent& event) {
  if (OnKeyPress && OnKeyPress(event)) return true;
  if (HandleBlockKey(event)) return true;
  const int lastCol = columnCount() - 1;
  const int lastRow = rowCount() - 1;
  switch (event.key()) {
    case Qt::Key_Tab: {
      int col = col_ + 1, row = row_;
      if (col > lastCol) {
        col = fixedCols_;
        row = row_ + 1 > lastRow ? fixedRows_ : row_ + 1;
      }
      SelectCell(col, row);
      return true;
    }
    case Qt::Key_Backtab: {
      int col = col_ - 1, row = row_;
      if (col < fixedCols_) {
        col = lastCol;
        row = row_ - 1 < fixedRows_ ? lastRow : row_ - 1;
      }
      SelectCell(col, row);
      return true;
    }
    case Qt::Key_Up:
      SelectCell(col_, row_ - 1);
      return true;
    case Qt::Key_Down:
      SelectCell(col_, row_ + 1);
      return true;
    case Qt::Key_PageUp:
      SelectCell(col_, fixedRows_);
      return true;
    case Qt::Key_PageDown:
      SelectCell(col_, lastRow);
      return true;
    case Qt::Key_Left:
      // A caret placed for editing stays within the value.
      if (!caretPlaced_ && !editor_->hasSelectedText() && editor_->cursorPosition() == 0) {
        SelectCell(col_ - 1, row_);
        return true;
      }
      return false;
    case Qt::Key_Right:
      if (!caretPlaced_ && !editor_->hasSelectedText() &&
          editor_->cursorPosition() == editor_->text().size()) {
        SelectCell(col_ + 1, row_);
        return true;
      }
      return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return true;
    case Qt::Key_F2:
      if (editor_->isReadOnly()) return false;
      PlaceCaret(editor_->text().size());
      return true;
    case Qt::Key_Escape:
      return AbandonTyping();
    default:
      return false;
  }
}

void StringGrid::PlaceCaret(int position) {
  caretPlaced_ = true;
  editor_->deselect();
  editor_->setCursorPosition(position);
}

bool StringGrid::AbandonTyping() {
  if (!modified_ && !caretPlaced_ && Cell(col_, row_) == shownText_) return false;
  // What the cell showed before the typing: the stored value, also where a
  // refusal showed a value that leaving the cell would store.
  SetCell(col_, row_, shownText_);
  return true;
}

void StringGrid::ClickCell(int col, int row, Qt::KeyboardModifiers modifiers) {
  if (modifiers & Qt::ShiftModifier) {
    SelectBlock(anchorCol_, anchorRow_, col, row);
  } else if (col == col_ && row == row_) {
    // As on any other cell: typing replaces the whole value.
    SelectBlock(col, row, col, row);
    editor_->selectAll();
    dragging_ = true;
  } else {
    dragging_ = SelectCell(col, row);
  }
  editor_->setFocus(Qt::MouseFocusReason);
}

bool StringGrid::EditorMouseEvent(QMouseEvent& event) {
  int col = 0, row = 0;
  // The cell under the pointer: an activation may have moved the editor
  // away from under it before the click arrived.
  const bool inCell = CellAt(viewport()->mapFromGlobal(event.globalPosition().toPoint()), col, row);
  switch (event.type()) {
    case QEvent::MouseButtonPress: {
      mouseTaken_ = false;
      if (event.button() != Qt::LeftButton || !inCell) return false;
      // Once the caret is placed, or the value typed, clicks move the caret.
      const bool onCursor = col == col_ && row == row_;
      if (onCursor && !(event.modifiers() & Qt::ShiftModifier) && (caretPlaced_ || modified_))
        return false;
      ClickCell(col, row, event.modifiers());
      mouseTaken_ = true;
      return true;
    }
    case QEvent::MouseButtonDblClick:
      mouseTaken_ = false;
      if (event.button() != Qt::LeftButton || editor_->isReadOnly()) return false;
      PlaceCaret(editor_->cursorPositionAt(event.position().toPoint()));
      mouseTaken_ = true;
      return true;
    case QEvent::MouseMove:
      if (!mouseTaken_) return false;
      if (dragging_ && (event.buttons() & Qt::LeftButton) && inCell)
        SelectBlock(anchorCol_, anchorRow_, col, row);
      return true;
    case QEvent::MouseButtonRelease:
      if (!mouseTaken_) return false;
      mouseTaken_ = false;
      dragging_ = false;
      return true;
    default:
      return false;
  }
}

bool StringGrid::eventFilter(QObject* watched, QEvent* event) {
  if (frozen_ != nullptr && watched == frozen_->viewport()) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
        return true;
      default:
        return QTableWidget::eventFilter(watched, event);
    }
  }
  if (watched == editor_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool handled = !forwarding_ && HandleKey(*key);
    lastEditorKey_ = handled ? nullptr : key;
    return handled;
  }
  if (watched == editor_ && event->type() == QEvent::KeyRelease) lastEditorKey_ = nullptr;
  if (watched == editor_ &&
      (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick ||
       event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonRelease))
    return EditorMouseEvent(*static_cast<QMouseEvent*>(event));
  // The editor drops its selection when the menu bar takes the focus (a menu
  // command from the keyboard); it gets the selection back with the focus, so
  // that typing replaces the value as it did before; a click decides for
  // itself (EditorMouseEvent).
  if (watched == editor_ && event->type() == QEvent::FocusOut)
    selectedAtFocusOut_ = editor_->hasSelectedText() && editor_->selectedText() == editor_->text();
  if (watched == editor_ && event->type() == QEvent::FocusIn && selectedAtFocusOut_ &&
      static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason)
    editor_->selectAll();
  return QTableWidget::eventFilter(watched, event);
}

void StringGrid::keyPressEvent(QKeyEvent* event) {
  // A key the editor left unused travels up to the view: it was handled once
  // already and goes on to the window. Only a key sent to the view itself is
  // handled here and then typed into the editor.
  if (forwarding_ || event == lastEditorKey_) {
    lastEditorKey_ = nullptr;
    event->ignore();
    return;
  }
  if (HandleKey(*event) || !editor_->isVisible()) return;
  forwarding_ = true;
  QCoreApplication::sendEvent(editor_, event);
  forwarding_ = false;
}

void StringGrid::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton) return;
  int col = 0, row = 0;
  if (CellAt(event->position().toPoint(), col, row))
    ClickCell(col, row, event->modifiers());
  else
    editor_->setFocus(Qt::MouseFocusReason);
}

// The view's own dragging and double-click editing would move its current
// index behind the owner's back: a drag only widens the block.
void StringGrid::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  int col = 0, row = 0;
  if (dragging_ && (event->buttons() & Qt::LeftButton) &&
      CellAt(event->position().toPoint(), col, row))
    SelectBlock(anchorCol_, anchorRow_, col, row);
}
void StringGrid::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  dragging_ = false;
}
void StringGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
}

QModelIndex StringGrid::moveCursor(CursorAction, Qt::KeyboardModifiers) {
  return model()->index(row_, col_);
}

void StringGrid::resizeEvent(QResizeEvent* event) {
  QTableWidget::resizeEvent(event);
  PlaceFrozenRows();
}

void StringGrid::updateGeometries() {
  QTableWidget::updateGeometries();
  PlaceEditor();
  PlaceFrozenRows();
}

void StringGrid::scrollContentsBy(int dx, int dy) {
  QTableWidget::scrollContentsBy(dx, dy);
  PlaceEditor();
}

}  // namespace korvanu
