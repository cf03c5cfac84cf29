// Clipboard blocks: parsing, writing, decimal commas and the paste rule.
#include "core/ClipboardBlock.h"

#include <algorithm>
#include <cctype>

namespace korvanu {

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' '; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Sign, digits with "," and "." among them, an optional exponent.
bool LooksLikeNumber(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  bool digits = false;
  for (; i < text.size() && (IsDigit(text[i]) || text[i] == ',' || text[i] == '.'); ++i)
    digits = digits || IsDigit(text[i]);
  if (!digits) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t start = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i == start) return false;
  }
  return i == text.size();
}

}  // namespace

TextBlock ParseBlock(std::string_view text) {
  TextBlock block;
  std::vector<std::string> row;
  std::string cell;
  bool cellStarts = true;
  const auto endCell = [&] {
    row.push_back(std::move(cell));
    cell.clear();
    cellStarts = true;
  };
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (cellStarts && c == '"') {
      cellStarts = false;
      for (++i; i < text.size(); ++i) {
        if (text[i] != '"') {
          cell.push_back(text[i]);
        } else if (i + 1 < text.size() && text[i + 1] == '"') {
          cell.push_back('"');
          ++i;
        } else {
          ++i;
          break;
        }
      }
      continue;
    }
    if (c == '\t') {
      endCell();
    } else if (c == '\r' || c == '\n') {
      endCell();
      block.push_back(std::move(row));
      row.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      cell.push_back(c);
      cellStarts = false;
    }
    ++i;
  }
  if (!cellStarts || !row.empty()) {
    endCell();
    block.push_back(std::move(row));
  }
  // Blank lines at the end are the end of the text, not rows to paste.
  while (!block.empty() && block.back().size() == 1 && block.back().front().empty())
    block.pop_back();
  return block;
}

std::string FormatBlock(const TextBlock& block) {
  std::string text;
  for (const std::vector<std::string>& row : block) {
    for (std::size_t k = 0; k < row.size(); ++k) {
      if (k > 0) text.push_back('\t');
      const std::string_view cell = Trimmed(row[k]);
      if (cell.find_first_of("\t\r\n") == std::string_view::npos &&
          (cell.empty() || cell.front() != '"')) {
        text.append(cell);
        continue;
      }
      text.push_back('"');
      for (const char c : cell) {
        if (c == '"') text.push_back('"');
        text.push_back(c);
      }
      text.push_back('"');
    }
    text.push_back('\n');
  }
  return text;
}

std::string PastedCellText(std::string_view cell) {
  const std::string_view text = Trimmed(cell);
  if (text.find(',') == std::string_view::npos || !LooksLikeNumber(text)) return std::string(cell);
  const std::size_t mantissaEnd = std::min(text.find_first_of("eE"), text.size());
  const std::string_view mantissa = text.substr(0, mantissaEnd);
  const auto commas = std::count(mantissa.begin(), mantissa.end(), ',');
  const auto points = std::count(mantissa.begin(), mantissa.end(), '.');
  // With both marks the last one is the decimal mark; a lone comma is one too;
  // several commas alone group thousands.
  char decimal = '\0';
  if (points > 0)
    decimal = mantissa.rfind(',') > mantissa.rfind('.') ? ',' : '.';
  else if (commas == 1)
    decimal = ',';
  if (decimal != '\0' && std::count(mantissa.begin(), mantissa.end(), decimal) > 1)
    return std::string(cell);
  std::string number;
  for (const char c : mantissa) {
    if (c == decimal)
      number.push_back('.');
    else if (c != ',' && c != '.')
      number.push_back(c);
  }
  number.append(text.substr(mantissaEnd));
  return number;
}

PasteOutcome PasteBlock(const TextBlock& block, int col, int row, int lastCol, int lastRow,
                        const CellCommitter& commit) {
  PasteOutcome outcome;
  for (int r = 0; r < static_cast<int>(block.size()); ++r) {
    const std::vector<std::string>& cells = block[r];
    for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
      const int targetCol = col + c;
      const int targetRow = row + r;
      if (targetCol > lastCol || targetRow > lastRow) {
        ++outcome.LeftOut;
        continue;
      }
      ++outcome.Cells;
      const CellCommit result = commit(targetCol, targetRow, PastedCellText(cells[c]));
      if (result.Accepted) ++outcome.Stored;
      if (!result.Message.empty())
        outcome.Notes.push_back(PasteNote{targetCol, targetRow, result.Accepted, result.Message});
    }
  }
  return outcome;
}

std::string PasteReport(const PasteOutcome& outcome,
                        const std::function<std::string(int col, int row)>& where) {
  if (outcome.Notes.empty() && outcome.LeftOut == 0) return {};
  std::string text = std::to_string(outcome.Stored) + " of " + std::to_string(outcome.Cells) +
                     " pasted cells were stored.\n";
  for (const PasteNote& note : outcome.Notes) {
    std::string message = note.Message;
    std::replace(message.begin(), message.end(), '\n', ' ');
    text += where(note.Col, note.Row) + ": " + std::string(Trimmed(message));
    text += note.Stored ? "\n" : " (not stored)\n";
  }
  if (outcome.LeftOut > 0)
    text += std::to_string(outcome.LeftOut) +
            (outcome.LeftOut == 1 ? " cell lay beyond the table and was left out.\n"
                                  : " cells lay beyond the table and were left out.\n");
  return text;
}

}  // namespace korvanu
