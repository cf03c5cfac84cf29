// The editor windows' shared frame: panel, grid, Enter key, commit, paste,
// size.
#include "ui/EditorWindow.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShowEvent>
#include <QToolButton>
#include <algorithm>

#include "base/QtText.h"
#include "core/Check.h"
#include "core/ClipboardBlock.h"
#include "ui/FramePlacement.h"
#include "ui/StepChooser.h"
#include "ui/StoredEdit.h"
#include "ui/StringGrid.h"
#include "ui/WindowParts.h"

namespace korvanu {

EditorWindow::EditorWindow(AppContext& context, bool ViewState::*shownFlag, const QString& caption,
                           const EditorLayout& layout)
    : ToolWindow(context, shownFlag, caption), width_(layout.Width), clientWidth_(layout.Width) {
  const int columns = static_cast<int>(layout.ColumnWidths.size());
  KORVANU_CHECK(layout.Captions.size() == layout.ColumnWidths.size() &&
                layout.Units.size() == layout.ColumnWidths.size());
  setObjectName(QLatin1String(layout.WindowName));

  panel_ = MakePanel(this, layout.PanelName, colors::Lime);
  panel_->setGeometry(0, 0, clientWidth_, PanelHeight);
  help_ = MakeHelpButton(panel_, layout.HelpHint);
  help_->move(clientWidth_ - 35, 2);
  connect(help_, &QToolButton::clicked, this, [this] { SpeedButtonHelpClick(); });

  grid_ = new StringGrid(columns, FirstDataRow + 1, layout.FixedCols, FirstDataRow, this);
  grid_->setObjectName(QLatin1String(layout.GridName));
  SetUpGrid(*grid_, font(), RowHeight, {});
  for (int column = 0; column < columns; ++column) {
    grid_->setColumnWidth(column, layout.ColumnWidths[column]);
    grid_->SetCell(column, 0, QString::fromUtf8(layout.Captions[column]));
    grid_->SetCell(column, 1, QString::fromUtf8(layout.Units[column]));
  }
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->OnSelectCell = [this](int col, int row) { return GridSelectCell(col, row); };
  grid_->OnKeyPress = [this](QKeyEvent& event) { return GridKeyPress(event); };
  grid_->OnPaste = [this](const QString& text) { return PasteText(text); };
}

void EditorWindow::PlaceAt(QPoint topLeft) {
  PlaceByFrame([this, topLeft] {
    clientWidth_ = Frame().ClientWidth(width_);
    panel_->setGeometry(0, 0, clientWidth_, PanelHeight);
    help_->move(clientWidth_ - 35, 2);
    FitRows(grid_->RowCount());
    Frame().MoveFrameTo(topLeft);
  });
}

StepChooser* EditorWindow::MakeStepChooser(std::function<void()> onChange) {
  MakeLabel(panel_, "LabelStep", QStringLiteral("Loading Step :"), 16, 8, false, 0);
  auto* chooser = new StepChooser(panel_, 96, 4, 36, QStringLiteral("0"));
  chooser->OnChange = std::move(onChange);
  return chooser;
}

int EditorWindow::LastStep() const {
  return std::clamp(context_.Problem.General.NT, 0, MaxSteps);
}

void EditorWindow::ShowSteps(StepChooser& chooser) {
  ViewState& view = context_.View;
  view.CurrentStep = std::clamp(view.CurrentStep, 0, LastStep());
  chooser.SetSteps(0, LastStep(), view.CurrentStep);
}

void EditorWindow::StepChosenIn(StepChooser& chooser, StepWindow window) {
  const int step = chooser.TakeStep(0, LastStep());
  if (!CommitTypedValue()) {
    chooser.Select(context_.View.CurrentStep);
    return;
  }
  context_.View.CurrentStep = step;
  context_.Steps.StepChosen(window, step);
}

bool EditorWindow::CommitTypedValue() {
  if (!grid_->EditModified()) return true;
  return GridSelectCell(grid_->Col(), grid_->Row());
}

bool EditorWindow::event(QEvent* event) {
  // A value typed but not yet left is stored when the user goes to another
  // window, before that window's refill or command could drop it.
  if (event->type() == QEvent::WindowDeactivate && context_.ModalBoxes == 0 &&
      QApplication::activeModalWidget() == nullptr && isVisible())
    CommitTypedValue();
  const bool handled = ToolWindow::event(event);
  if (event->type() == QEvent::WindowActivate && cursorAfterActivation_) {
    PlaceCursor(cursorAfterActivation_->x(), cursorAfterActivation_->y());
    cursorAfterActivation_.reset();
  }
  return handled;
}

EditLocation EditorWindow::EditAt(int col, int row) {
  const ViewState& view = context_.View;
  const bool* shown = &ShownFlag();
  EditLocation where;
  where.Window = shown == &view.SoilsShown      ? EditWindow::Soils
                 : shown == &view.ProfilesShown ? EditWindow::Profiles
                 : shown == &view.AnchorsShown  ? EditWindow::Anchors
                                                : EditWindow::Axial;
  KORVANU_CHECK(where.Window != EditWindow::Axial || shown == &view.AxisShown);
  where.Step = view.CurrentStep;
  where.WallSide = view.CurrentSide;
  where.Col = col;
  where.Row = row;
  return where;
}

void EditorWindow::PlaceCursor(int col, int row) {
  col = std::clamp(col, grid_->FixedCols(), grid_->ColCount() - 1);
  row = std::clamp(row, FirstDataRow, grid_->RowCount() - 1);
  grid_->MoveCursor(col, row);
  context_.View.CurrentCol = col;
  context_.View.CurrentRow = row;
}

void EditorWindow::ShowCell(int col, int row) {
  ShownFlag() = true;
  pending_ = false;
  const bool active = isActiveWindow();
  show();
  raise();
  FormPaint();
  PlaceCursor(col, row);
  if (!active) {
    cursorAfterActivation_ = QPoint(col, row);
    activateWindow();
  }
}

bool EditorWindow::PasteText(const QString& text) {
  const bool block = text.contains(QLatin1Char('\t')) || text.contains(QLatin1Char('\n')) ||
                     text.contains(QLatin1Char('\r'));
  if (!block && grid_->EditModified()) return false;
  const TextBlock cells = ParseBlock(text.toUtf8().toStdString());
  if (cells.empty()) return true;
  const int col = grid_->Col();
  const int row = grid_->Row();
  pending_ = false;
  PasteOutcome outcome;
  std::string note;
  {
    StoredEdit edit(context_, EditAt(col, row));
    outcome = PasteBlock(cells, col, row, grid_->ColCount() - 1, grid_->RowCount() - 1,
                         [this](int c, int r, const std::string& value) {
                           grid_->SetCell(c, r, QString::fromUtf8(value));
                           const CellCommit commit = CommitCell(c, r);
                           grid_->SetCell(c, r, ToQString(commit.Shown));
                           AfterCommit(c, r);
                           return commit;
                         });
    note = FinishEdit(edit.Before());
  }
  // Refused cells show what is stored again; the pasted block stays marked.
  FormPaint();
  ShowNote(note);
  PlaceCursor(col, row);
  int width = 0;
  for (const auto& line : cells) width = std::max(width, static_cast<int>(line.size()));
  grid_->SelectBlock(col, row, col + width - 1, row + static_cast<int>(cells.size()) - 1);
  context_.Steps.ProblemChanged();
  const std::string report = PasteReport(outcome, [this](int c, int r) {
    return "Row " + ToStdString(grid_->Cell(0, r).trimmed()) + ", column " +
           ToStdString(grid_->Cell(c, 0).trimmed());
  });
  if (!report.empty()) ShowMessage(report);
  return true;
}

void EditorWindow::FitRows(int rows) {
  if (grid_->RowCount() != rows) {
    grid_->SetSize(grid_->ColCount(), rows);
    grid_->SetRowHeights(RowHeight);
  }
  const int gridHeight = rows * RowHeight + 2 * grid_->frameWidth();
  grid_->setGeometry(0, PanelHeight, clientWidth_, gridHeight);
  setFixedSize(clientWidth_, PanelHeight + gridHeight);
}

void EditorWindow::showEvent(QShowEvent* event) {
  ToolWindow::showEvent(event);
  FormPaint();
}

void EditorWindow::FillDataRows(int count,
                                const std::function<std::string(int column, int k)>& text) {
  FitRows(count + FirstDataRow);
  for (int k = 0; k < count; ++k)
    for (int column = 0; column < grid_->ColCount(); ++column)
      grid_->SetCell(column, k + FirstDataRow, ToQString(text(column, k)));
}

std::string EditorWindow::Typed(int col, int row) const {
  return ToStdString(grid_->Cell(col, row));
}

void EditorWindow::HomeCursor(int col) {
  context_.View.CurrentCol = col;
  context_.View.CurrentRow = FirstDataRow;
  grid_->MoveCursor(col, FirstDataRow);
}

void EditorWindow::FocusGrid() {
  grid_->setFocus();
}

bool EditorWindow::GridSelectCell(int col, int row) {
  // The cell being left is this grid's own cursor cell: the view's
  // CurrentCol and CurrentRow may come from another window's grid.
  const int leftCol = grid_->Col();
  const int leftRow = grid_->Row();
  const bool pending = pending_ && pendingCol_ == leftCol && pendingRow_ == leftRow &&
                       grid_->Cell(leftCol, leftRow) == pendingText_;
  pending_ = false;
  // A cell left as it was shown stores nothing: the cursor passing through
  // step 0 would spread every value it passes over the later steps, and a
  // rounded value would replace the exact one.
  if (grid_->EditModified() || pending) {
    CellCommit commit;
    std::string note;
    {
      StoredEdit edit(context_, EditAt(leftCol, leftRow));
      commit = CommitCell(leftCol, leftRow);
      if (commit.Accepted) note = FinishEdit(edit.Before());
    }
    if (!commit.Message.empty()) ShowMessage(commit.Message);
    const QString shown = ToQString(commit.Shown);
    if (!commit.Accepted && commit.ShownPending)
      grid_->ShowUnstored(shown);
    else
      grid_->SetCell(leftCol, leftRow, shown);
    AfterCommit(leftCol, leftRow);
    context_.Steps.ProblemChanged(this);
    if (!commit.Accepted) {
      pending_ = commit.ShownPending;
      pendingCol_ = leftCol;
      pendingRow_ = leftRow;
      pendingText_ = shown;
      return false;
    }
    ShowNote(note);
  }
  context_.View.CurrentCol = col;
  context_.View.CurrentRow = row;
  return true;
}

bool EditorWindow::GridKeyPress(QKeyEvent& event) {
  if (event.key() != Qt::Key_Return && event.key() != Qt::Key_Enter) return false;
  const int row = grid_->Row() >= grid_->RowCount() - 1 ? FirstDataRow : grid_->Row() + 1;
  grid_->SelectCell(grid_->Col(), row);
  grid_->Editor()->setFocus();
  return true;
}

}  // namespace korvanu
