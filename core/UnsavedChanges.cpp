// The copy of the problem on record and the question built from its name.
#include "core/UnsavedChanges.h"

namespace korvanu {

UnsavedChanges::UnsavedChanges(const ProblemData& problem)
    : recorded_(std::make_unique<ProblemData>(problem)) {}

UnsavedChanges::~UnsavedChanges() = default;

void UnsavedChanges::Record(const ProblemData& problem) {
  *recorded_ = problem;
}

bool UnsavedChanges::Pending(const ProblemData& problem) const {
  return !(problem == *recorded_);
}

std::string SaveChangesQuestion(const ProblemData& problem) {
  const std::string& name = problem.General.FileName;
  return "Save changes to " + (name.empty() ? std::string("the problem") : name) + "?";
}

}  // namespace korvanu
