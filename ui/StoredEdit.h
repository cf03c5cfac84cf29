// A change of the problem made in the windows, from its start to the end of
// a scope: one step of undo, after which the results are out of date only if
// the change altered what the computation reads, and valid again when it
// brought back the problem they were computed for.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/EditTransaction.h"
#include "ui/AppContext.h"

namespace korvanu {

class StoredEdit {
 public:
  // An edit made at `where`: one step of undo and redo.
  StoredEdit(AppContext& context, const EditLocation& where);
  // An undo or a redo: no step of its own.
  explicit StoredEdit(AppContext& context);
  ~StoredEdit();
  StoredEdit(const StoredEdit&) = delete;
  StoredEdit& operator=(const StoredEdit&) = delete;

  // The problem as it was when the change began.
  const ProblemData& Before() const { return *before_; }

  // The folder the step files are read from and written to.
  static std::string CurrentFolder();

 private:
  AppContext& context_;
  std::unique_ptr<ProblemData> before_;
  bool validBefore_;
  int pageOffsetBefore_;
  std::optional<EditTransaction> transaction_;
};

}  // namespace korvanu
