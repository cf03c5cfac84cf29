// Which problem the results of the last computation belong to, so that the
// results count as out of date exactly while the problem computes otherwise.
#pragma once

#include <memory>
#include <string>

#include "core/ProblemData.h"

namespace korvanu {

// Whether two problems compute alike: the same data apart from the design
// settings, which only judge the results.
bool SameComputation(const ProblemData& a, const ProblemData& b);

class ResultsBasis {
 public:
  // A computation ran to its end on `problem` and wrote its step files into
  // `folder`.
  void Record(const ProblemData& problem, std::string folder);
  // No results belong to any problem (a computation started, a problem
  // opened or made new).
  void Clear();

  // Whether the recorded results are those of `problem`, read from `folder`.
  bool Matches(const ProblemData& problem, const std::string& folder) const;

  // Whether results that were valid as `validBefore` are valid after the
  // problem went from `before` to `after` (a stored edit, an undo, a redo):
  // valid when the problem is the recorded one; otherwise an edit that
  // leaves the computation alike (a refused value, a value stored as it
  // was, a design setting) keeps them as they were, any other makes them out
  // of date.
  bool ValidAfter(bool validBefore, const ProblemData& before, const ProblemData& after,
                  const std::string& folder) const;

 private:
  std::unique_ptr<ProblemData> problem_;
  std::string folder_;
};

}  // namespace korvanu
