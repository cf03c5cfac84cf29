// An edit from its start to the end of a scope: what the problem's record
// changes in between is one step of undo and redo.
#pragma once

#include "core/EditHistory.h"

namespace korvanu {

class EditTransaction {
 public:
  EditTransaction(EditHistory& history, const ProblemData& problem, const EditLocation& where)
      : history_(history), problem_(problem) {
    history_.Begin(problem_, where);
  }
  ~EditTransaction() { history_.End(problem_); }
  EditTransaction(const EditTransaction&) = delete;
  EditTransaction& operator=(const EditTransaction&) = delete;

 private:
  EditHistory& history_;
  const ProblemData& problem_;
};

}  // namespace korvanu
