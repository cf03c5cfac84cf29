// Whether the problem holds changes that would be lost: it differs from the
// copy kept when it was last opened, saved or created.
#pragma once

#include <memory>
#include <string>

#include "core/ProblemData.h"

namespace korvanu {

class UnsavedChanges {
 public:
  // The problem as it stands is the one on record.
  explicit UnsavedChanges(const ProblemData& problem);
  ~UnsavedChanges();

  // After Open, Save and New: the problem as it now stands is on record.
  void Record(const ProblemData& problem);
  // Any difference counts, also one the program made (a computation raising
  // an anchor force to 0); an edit typed back to its old value does not.
  bool Pending(const ProblemData& problem) const;

 private:
  std::unique_ptr<ProblemData> recorded_;  // large: kept off the stack
};

// The question asked before a problem with unsaved changes is replaced or the
// program ends: "Save changes to NAME?", NAME the datafile's file name.
std::string SaveChangesQuestion(const ProblemData& problem);

}  // namespace korvanu
