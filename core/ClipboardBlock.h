// Blocks of cells as spreadsheets pass them through the clipboard: text with
// tab-separated cells and a line per row, and the rule that pastes such a
// block into an editor grid cell by cell.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/CellCommit.h"

namespace korvanu {

// Rows of cells; rows may differ in length.
using TextBlock = std::vector<std::vector<std::string>>;

// Splits clipboard text into rows (CR LF, LF or CR) and cells (tabs). One
// line end after the last row ends it without adding an empty row. A cell in
// double quotes may hold tabs, line ends and doubled quotes, as spreadsheets
// write them.
TextBlock ParseBlock(std::string_view text);

// The block as clipboard text: cells without their surrounding blanks, joined
// by tabs, every row ended by a line end. Cells holding a tab, a line end or a
// leading quote are quoted.
std::string FormatBlock(const TextBlock& block);

// A pasted cell as a cell's rule reads it: a number written with a decimal
// comma ("2,5"), or with groups of thousands ("1.234,5" or "1,234.5"), gets
// the decimal point the rules read; any other text stays as it is.
std::string PastedCellText(std::string_view cell);

// A cell of the paste that was refused or answered with a message.
struct PasteNote {
  int Col = 0;
  int Row = 0;
  bool Stored = false;
  std::string Message;
};

struct PasteOutcome {
  int Cells = 0;    // cells of the block that lay inside the table
  int Stored = 0;   // of those, the cells whose rule accepted them
  int LeftOut = 0;  // cells beyond the table's last column or row
  std::vector<PasteNote> Notes;
};

// Commits the text of one cell as if typed into (col, row) and left.
using CellCommitter = std::function<CellCommit(int col, int row, const std::string& text)>;

// Pastes `block` with its first cell at (col, row): every cell inside the
// table (up to lastCol, lastRow) goes through `commit` in reading order, a
// refused cell does not stop the others.
PasteOutcome PasteBlock(const TextBlock& block, int col, int row, int lastCol, int lastRow,
                        const CellCommitter& commit);

// What the user is told after a paste; empty when every cell was stored
// without a message. `where` names a cell ("row 2, column Ka").
std::string PasteReport(const PasteOutcome& outcome,
                        const std::function<std::string(int col, int row)>& where);

}  // namespace korvanu
