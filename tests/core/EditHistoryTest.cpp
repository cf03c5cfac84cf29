// The undo history: edits opened inside an edit join it, an edit that changes
// nothing is no step, a new edit drops what could be redone, and the oldest
// steps go beyond the limit.
#include <gtest/gtest.h>

#include "core/EditHistory.h"
#include "core/EditTransaction.h"
#include "tests/core/TestSupport.h"

namespace korvanu {
namespace {

EditLocation At(int row) {
  EditLocation where;
  where.Window = EditWindow::Soils;
  where.Row = row;
  return where;
}

TEST(EditHistory, NestedEditsAreOneStepAndUnchangedEditsNone) {
  ProblemData problem = test::StartupProblem();
  const ProblemData start = problem;
  EditHistory history;
  int changes = 0;
  history.OnChange = [&] { ++changes; };
  {
    EditTransaction block(history, problem, At(2));
    for (int row = 0; row < 3; ++row) {
      EditTransaction cell(history, problem, At(row + 5));
      problem.Layer(row, 0, Side::Left).Wd = 1.0 + row;
    }
  }
  { EditTransaction nothing(history, problem, At(9)); }
  const ProblemData edited = problem;
  EXPECT_EQ(changes, 1);

  EXPECT_EQ(history.Undo(problem), At(2));
  EXPECT_TRUE(problem == start);
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.Undo(problem).has_value());
  EXPECT_EQ(history.Redo(problem), At(2));
  EXPECT_TRUE(problem == edited);
  EXPECT_FALSE(history.CanRedo());
}

TEST(EditHistory, ANewEditDropsRedoAndTheOldestStepsGo) {
  ProblemData problem = test::StartupProblem();
  EditHistory history(2);
  for (int k = 1; k <= 3; ++k) {
    EditTransaction edit(history, problem, At(k));
    problem.General.NN = 100 + k;
  }
  EXPECT_EQ(history.Undo(problem), At(3));
  EXPECT_TRUE(history.CanRedo());
  {
    EditTransaction edit(history, problem, At(4));
    problem.General.NN = 50;
  }
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(history.Undo(problem), At(4));
  EXPECT_EQ(history.Undo(problem), At(2));
  EXPECT_EQ(problem.General.NN, 101);
  EXPECT_FALSE(history.CanUndo());
}

}  // namespace
}  // namespace korvanu
