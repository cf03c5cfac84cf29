// The string grid's select-cell contract: every move of the cursor (keys,
// mouse, program) asks the owner first, sees the typed text, and stays put
// when the owner refuses; programmatic moves ask nothing.
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <utility>
#include <vector>

#include "ui/StringGrid.h"

using korvanu::StringGrid;

class StringGridTest : public QObject {
  Q_OBJECT

 private:
  struct Asked {
    int col, row;
    QString leftText;
  };

  // A 3 x 4 grid with one fixed column and one fixed row, shown, cursor on (1,1).
  std::unique_ptr<StringGrid> MakeGrid(std::vector<Asked>& asked, bool& allow) {
    auto grid = std::make_unique<StringGrid>(3, 4, 1, 1);
    grid->SetRowHeights(18);
    grid->setColumnWidth(0, 60);
    grid->setColumnWidth(1, 80);
    grid->setColumnWidth(2, 80);
    grid->resize(240, 100);
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 3; ++c) grid->SetCell(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
    grid->MoveCursor(1, 1);
    grid->OnSelectCell = [&asked, &allow, g = grid.get()](int col, int row) {
      asked.push_back({col, row, g->Cell(g->Col(), g->Row())});
      return allow;
    };
    grid->show();
    return grid;
  }

 private slots:
  void startsOnTheFirstEditableCell() {
    StringGrid grid(2, 8, 1, 0);
    QCOMPARE(grid.Col(), 1);
    QCOMPARE(grid.Row(), 0);
  }

  void keysAskBeforeMovingAndSeeTheTypedText() {
    std::vector<Asked> asked;
    bool allow = true;
    auto grid = MakeGrid(asked, allow);
    QLineEdit* editor = grid->Editor();
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("typed"));
    QCOMPARE(grid->Cell(1, 1), QStringLiteral("typed"));
    QVERIFY(grid->EditModified());

    QTest::keyClick(editor, Qt::Key_Down);
    QCOMPARE(asked.size(), size_t{1});
    QCOMPARE(asked[0].col, 1);
    QCOMPARE(asked[0].row, 2);
    QCOMPARE(asked[0].leftText, QStringLiteral("typed"));
    QCOMPARE(grid->Row(), 2);
    QCOMPARE(editor->text(), QStringLiteral("1,2"));
    QVERIFY(!grid->EditModified());

    QTest::keyClick(editor, Qt::Key_Tab);  // to column 2
    QCOMPARE(grid->Col(), 2);
    QTest::keyClick(editor, Qt::Key_Tab);  // wraps to the next row's first editable column
    QCOMPARE(grid->Col(), 1);
    QCOMPARE(grid->Row(), 3);
    QTest::keyClick(editor, Qt::Key_Tab);
    QTest::keyClick(editor, Qt::Key_Tab);  // from the last cell back to the first
    QCOMPARE(grid->Col(), 1);
    QCOMPARE(grid->Row(), 1);
    QTest::keyClick(editor, Qt::Key_Backtab);  // and back again
    QCOMPARE(grid->Col(), 2);
    QCOMPARE(grid->Row(), 3);
  }

  void refusedMovesKeepTheCursorAndTheText() {
    std::vector<Asked> asked;
    bool allow = false;
    auto grid = MakeGrid(asked, allow);
    QLineEdit* editor = grid->Editor();
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("bad"));
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(editor, Qt::Key_Tab);
    QVERIFY(!grid->SelectCell(2, 3));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(3, 2)).center());
    QCOMPARE(asked.size(), size_t{4});
    QCOMPARE(asked[3].col, 2);
    QCOMPARE(asked[3].row, 3);
    QCOMPARE(grid->Col(), 1);
    QCOMPARE(grid->Row(), 1);
    QCOMPARE(grid->Cell(1, 1), QStringLiteral("bad"));
  }

  void aClickSelectsTheValueAndOnlyADoubleClickOrF2PlacesTheCaret() {
    std::vector<Asked> asked;
    bool allow = true;
    auto grid = MakeGrid(asked, allow);
    QLineEdit* editor = grid->Editor();
    // Within the text "1,1", which starts at the editor's left.
    const QPoint between(editor->fontMetrics().horizontalAdvance(QStringLiteral("1,")),
                         editor->height() / 2);
    // A click into the cursor's own cell, even between its characters:
    // typing replaces the whole value, as in every other cell.
    QTest::mouseClick(editor, Qt::LeftButton, {}, between);
    QTest::keyClicks(editor, QStringLiteral("0"));
    QCOMPARE(grid->Cell(1, 1), QStringLiteral("0"));
    // Escape puts back what the cell showed, with nothing typed.
    QTest::keyClick(editor, Qt::Key_Escape);
    QCOMPARE(grid->Cell(1, 1), QStringLiteral("1,1"));
    QCOMPARE(editor->selectedText(), QStringLiteral("1,1"));
    QVERIFY(!grid->EditModified());
    // A double click puts the caret where it is: typing goes into the value,
    // and Left stays within it.
    QTest::mouseDClick(editor, Qt::LeftButton, {}, between);
    QVERIFY(grid->CaretPlaced());
    QVERIFY(!editor->hasSelectedText());
    editor->setCursorPosition(1);
    QTest::keyClicks(editor, QStringLiteral("0"));
    QCOMPARE(grid->Cell(1, 1), QStringLiteral("10,1"));
    for (int i = 0; i < 4; ++i) QTest::keyClick(editor, Qt::Key_Left);
    QCOMPARE(grid->Col(), 1);
    QVERIFY(asked.empty());
    // F2 puts it at the end.
    QTest::keyClick(editor, Qt::Key_Escape);
    QTest::keyClick(editor, Qt::Key_F2);
    QTest::keyClicks(editor, QStringLiteral("5"));
    QCOMPARE(grid->Cell(1, 1), QStringLiteral("1,15"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QCOMPARE(grid->Cell(1, 1), QStringLiteral("1,1"));
    QVERIFY(!grid->CaretPlaced());
  }

  void theMouseMovesThroughTheOwnerAndNeverOntoFixedCells() {
    std::vector<Asked> asked;
    bool allow = true;
    auto grid = MakeGrid(asked, allow);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(3, 2)).center());
    QCOMPARE(asked.size(), size_t{1});
    QCOMPARE(grid->Col(), 2);
    QCOMPARE(grid->Row(), 3);
    // Fixed row and fixed column: no question, no move.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(0, 1)).center());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(2, 0)).center());
    QCOMPARE(asked.size(), size_t{1});
    QCOMPARE(grid->Col(), 2);
    QCOMPARE(grid->Row(), 3);
    // Up from the first editable row and Left at the fixed column go nowhere.
    grid->MoveCursor(1, 1);
    grid->Editor()->setCursorPosition(0);
    QTest::keyClick(grid->Editor(), Qt::Key_Left);
    QTest::keyClick(grid->Editor(), Qt::Key_Up);
    QCOMPARE(asked.size(), size_t{1});
    QCOMPARE(grid->Col(), 1);
    QCOMPARE(grid->Row(), 1);
  }

  void programmaticMovesAskNothingAndTheEditorFollows() {
    std::vector<Asked> asked;
    bool allow = false;
    auto grid = MakeGrid(asked, allow);
    grid->MoveCursor(2, 2);
    QVERIFY(asked.empty());
    QCOMPARE(grid->Editor()->text(), QStringLiteral("2,2"));
    QCOMPARE(grid->Editor()->geometry().center(),
             grid->visualItemRect(grid->item(2, 2)).adjusted(1, 0, 0, 0).center());
    grid->SetCell(2, 2, QStringLiteral("rewritten"));
    QCOMPARE(grid->Editor()->text(), QStringLiteral("rewritten"));
    QVERIFY(!grid->EditModified());
    // Moving onto the cell already under the cursor is no move.
    QVERIFY(grid->SelectCell(2, 2));
    QVERIFY(asked.empty());
  }

  void theOwnerMaySeeAndConsumeKeysFirst() {
    std::vector<Asked> asked;
    bool allow = true;
    auto grid = MakeGrid(asked, allow);
    int enters = 0;
    grid->OnKeyPress = [&enters, g = grid.get()](QKeyEvent& event) {
      if (event.key() != Qt::Key_Return) return false;
      ++enters;
      g->SelectCell(g->Col(), g->Row() + 1);
      return true;
    };
    QTest::keyClick(grid->Editor(), Qt::Key_Return);
    QCOMPARE(enters, 1);
    QCOMPARE(grid->Row(), 2);
    QTest::keyClick(grid->Editor(), Qt::Key_Down);  // not consumed: the grid moves
    QCOMPARE(grid->Row(), 3);
  }

  void keysTheEditorLeavesUnusedAreSeenOnce() {
    std::vector<Asked> asked;
    bool allow = true;
    auto grid = MakeGrid(asked, allow);
    int seen = 0;
    grid->OnKeyPress = [&seen](QKeyEvent&) {
      ++seen;
      return false;
    };
    QTest::keyClick(grid->Editor(), Qt::Key_Escape);
    QTest::keyClick(grid->Editor(), Qt::Key_F5);
    QCOMPARE(seen, 2);
    // A key sent to the view itself is typed into the editor.
    grid->Editor()->clear();
    QTest::keyClick(grid.get(), Qt::Key_A);
    QCOMPARE(seen, 3);
    QCOMPARE(grid->Editor()->text(), QStringLiteral("a"));
  }

  void resizingKeepsTheCursorInsideTheCells() {
    std::vector<Asked> asked;
    bool allow = true;
    auto grid = MakeGrid(asked, allow);
    grid->MoveCursor(2, 3);
    grid->SetSize(3, 2);
    QCOMPARE(grid->Row(), 1);
    QCOMPARE(grid->RowCount(), 2);
    grid->SetSize(3, 6);
    QCOMPARE(grid->Cell(1, 5), QString());
    QVERIFY(grid->SelectCell(1, 5));
  }
};

QTEST_MAIN(StringGridTest)
#include "StringGridTest.moc"
