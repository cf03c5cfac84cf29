// Blocks through the clipboard: spreadsheet text into rows and cells, numbers
// with a decimal comma, and a paste that goes on past a refused cell.
#include <gtest/gtest.h>

#include "core/ClipboardBlock.h"

namespace korvanu {
namespace {

TEST(ClipboardBlock, SpreadsheetTextSplitsIntoRowsAndCells) {
  EXPECT_EQ(ParseBlock("1\t2\r\n3\t4\r\n"), (TextBlock{{"1", "2"}, {"3", "4"}}));
  EXPECT_EQ(ParseBlock("a\t\tb\n\n"), (TextBlock{{"a", "", "b"}}));
  // Quoted cells keep tabs, line ends and doubled quotes.
  EXPECT_EQ(ParseBlock("\"x\ty\"\t\"say \"\"hi\"\"\"\n\"two\nlines\""),
            (TextBlock{{"x\ty", "say \"hi\""}, {"two\nlines"}}));
  const TextBlock shown{{"   1.500", "Sand, \"wet\""}, {"a\tb", ""}};
  EXPECT_EQ(FormatBlock(shown), "1.500\tSand, \"wet\"\n\"a\tb\"\t\n");
  EXPECT_EQ(ParseBlock(FormatBlock(shown)), (TextBlock{{"1.500", "Sand, \"wet\""}, {"a\tb", ""}}));
}

TEST(ClipboardBlock, DecimalCommasAndThousandsReadAsNumbers) {
  EXPECT_EQ(PastedCellText("2,5"), "2.5");
  EXPECT_EQ(PastedCellText(" -0,035 "), "-0.035");
  EXPECT_EQ(PastedCellText("1.234,5"), "1234.5");
  EXPECT_EQ(PastedCellText("1,234.5"), "1234.5");
  EXPECT_EQ(PastedCellText("1,234,567"), "1234567");
  EXPECT_EQ(PastedCellText("2,1E+04"), "2.1E+04");
  // Anything else stays as it is.
  EXPECT_EQ(PastedCellText("18.5"), "18.5");
  EXPECT_EQ(PastedCellText("Sand, wet"), "Sand, wet");
  EXPECT_EQ(PastedCellText("1,2,3.4.5"), "1,2,3.4.5");
}

TEST(ClipboardBlock, APasteCommitsEveryCellAndReportsRefusalsOnce) {
  // A 2 x 3 block at (2, 1) of a table whose last cell is (3, 2).
  const TextBlock block{{"1,5", "-2", "7"}, {"3", "4"}, {"5"}};
  std::vector<std::string> committed;
  const PasteOutcome outcome =
      PasteBlock(block, 2, 1, 3, 2, [&](int col, int row, const std::string& text) {
        committed.push_back(std::to_string(col) + "," + std::to_string(row) + "=" + text);
        CellCommit commit;
        if (text.front() == '-') {
          commit.Accepted = false;
          commit.Message = "Enter non-negative\nnumber";
        }
        return commit;
      });
  EXPECT_EQ(committed, (std::vector<std::string>{"2,1=1.5", "3,1=-2", "2,2=3", "3,2=4"}));
  EXPECT_EQ(outcome.Cells, 4);
  EXPECT_EQ(outcome.Stored, 3);
  EXPECT_EQ(outcome.LeftOut, 2);
  EXPECT_EQ(PasteReport(outcome,
                        [](int col, int row) {
                          return "Row " + std::to_string(row) + ", column " + std::to_string(col);
                        }),
            "3 of 4 pasted cells were stored.\n"
            "Row 1, column 3: Enter non-negative number (not stored)\n"
            "2 cells lay beyond the table and were left out.\n");
}

}  // namespace
}  // namespace korvanu
