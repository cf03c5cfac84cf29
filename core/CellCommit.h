// What committing the text typed into a cell of a grid comes to: the window
// only carries it out (a message box, the cell's text, the cursor).
#pragma once

#include <string>

namespace korvanu {

struct CellCommit {
  bool Accepted = true;  // the cursor may leave the cell
  std::string Message;   // shown before anything else; empty: no message
  std::string Shown;     // what the cell shows afterwards
  // A refused cell that shows a value which is not stored: leaving the cell
  // again commits it, typed over or not.
  bool ShownPending = false;
  // Other cells of the grid show new values too (NL moved the toe, so Length
  // changed): the window shows them again.
  bool OthersChanged = false;
};

}  // namespace korvanu
