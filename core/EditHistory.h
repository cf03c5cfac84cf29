// Undo and redo by whole-problem states: each stored edit keeps the problem as
// it was before it, so that undo puts back exactly what was there, however
// far the edit spread.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "core/Limits.h"
#include "core/ProblemData.h"

namespace korvanu {

// The window an edit was made in.
enum class EditWindow { General, Soils, Profiles, Anchors, Axial, Design };

// Where an edit was made, so that undo can show it: the window, the loading
// step and side it showed, and the grid cell (the first cell of a block).
struct EditLocation {
  EditWindow Window = EditWindow::General;
  int Step = 0;
  Side WallSide = Side::Left;
  int Col = 0;
  int Row = 0;

  bool operator==(const EditLocation&) const = default;
};

class EditHistory {
 public:
  // Steps kept; the oldest go first.
  static constexpr std::size_t DefaultLimit = 200;

  explicit EditHistory(std::size_t limit = DefaultLimit) : limit_(limit) {}

  // Forgets every step (a problem opened or started anew).
  void Clear();

  // Opens an edit on the problem as it is now. Edits opened while one is open
  // join it: a pasted block is one step, whatever its cells do.
  void Begin(const ProblemData& problem, const EditLocation& where);
  // Closes what Begin opened; the outermost close keeps one step when the
  // problem differs from what it was. Returns whether a step was kept.
  bool End(const ProblemData& problem);

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }

  // Puts the problem back as it was before the last step (or after the step
  // undone last) and tells where that step was made; nothing when there is
  // none, and then the problem is untouched.
  std::optional<EditLocation> Undo(ProblemData& problem);
  std::optional<EditLocation> Redo(ProblemData& problem);

  // Runs after every change of what can be undone or redone.
  std::function<void()> OnChange;

 private:
  struct Step {
    std::unique_ptr<ProblemData> State;
    EditLocation Where;
  };

  static std::optional<EditLocation> Move(std::deque<Step>& from, std::deque<Step>& to,
                                          ProblemData& problem);
  void Changed();

  std::size_t limit_;
  std::deque<Step> undo_;
  std::deque<Step> redo_;
  int depth_ = 0;
  std::unique_ptr<ProblemData> before_;
  EditLocation where_;
};

}  // namespace korvanu
