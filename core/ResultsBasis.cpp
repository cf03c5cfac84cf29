// The problem of the last computation, and when its results hold.
#include "core/ResultsBasis.h"

#include <utility>

namespace korvanu {

bool SameComputation(const ProblemData& a, const ProblemData& b) {
  if (!(a.General == b.General)) return false;
  // The settings only judge the results; comparing a copy with them made
  // alike keeps the comparison whole when the problem gains fields.
  auto copy = std::make_unique<ProblemData>(a);
  copy->Design = b.Design;
  return *copy == b;
}

void ResultsBasis::Record(const ProblemData& problem, std::string folder) {
  problem_ = std::make_unique<ProblemData>(problem);
  folder_ = std::move(folder);
}

void ResultsBasis::Clear() {
  problem_.reset();
  folder_.clear();
}

bool ResultsBasis::Matches(const ProblemData& problem, const std::string& folder) const {
  return problem_ != nullptr && folder == folder_ && SameComputation(*problem_, problem);
}

bool ResultsBasis::ValidAfter(bool validBefore, const ProblemData& before, const ProblemData& after,
                              const std::string& folder) const {
  // The results of the problem as it now is are valid however it got there
  // (an activation puts back Length without an edit).
  if (Matches(after, folder)) return true;
  return validBefore && SameComputation(before, after);
}

}  // namespace korvanu
