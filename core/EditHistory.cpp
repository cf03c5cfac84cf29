// The undo and redo steps of the problem.
#include "core/EditHistory.h"

#include <utility>

#include "core/Check.h"

namespace korvanu {

void EditHistory::Clear() {
  undo_.clear();
  redo_.clear();
  Changed();
}

void EditHistory::Begin(const ProblemData& problem, const EditLocation& where) {
  if (depth_++ > 0) return;
  before_ = std::make_unique<ProblemData>(problem);
  where_ = where;
}

bool EditHistory::End(const ProblemData& problem) {
  KORVANU_CHECK(depth_ > 0);
  if (--depth_ > 0) return false;
  std::unique_ptr<ProblemData> before = std::move(before_);
  if (*before == problem) return false;
  undo_.push_back(Step{std::move(before), where_});
  if (undo_.size() > limit_) undo_.pop_front();
  redo_.clear();
  Changed();
  return true;
}

std::optional<EditLocation> EditHistory::Move(std::deque<Step>& from, std::deque<Step>& to,
                                              ProblemData& problem) {
  if (from.empty()) return std::nullopt;
  Step step = std::move(from.back());
  from.pop_back();
  // The kept state comes back; the state it replaces goes the other way.
  std::swap(*step.State, problem);
  const EditLocation where = step.Where;
  to.push_back(std::move(step));
  return where;
}

std::optional<EditLocation> EditHistory::Undo(ProblemData& problem) {
  KORVANU_CHECK(depth_ == 0);
  const std::optional<EditLocation> where = Move(undo_, redo_, problem);
  if (where) Changed();
  return where;
}

std::optional<EditLocation> EditHistory::Redo(ProblemData& problem) {
  KORVANU_CHECK(depth_ == 0);
  const std::optional<EditLocation> where = Move(redo_, undo_, problem);
  if (where) Changed();
  return where;
}

void EditHistory::Changed() {
  if (OnChange) OnChange();
}

}  // namespace korvanu
