// Unsaved changes: the problem compared whole with the copy on record.
#include <gtest/gtest.h>

#include "core/ProblemDefaults.h"
#include "core/UnsavedChanges.h"

using namespace korvanu;

TEST(UnsavedChanges, AnyDifferenceFromTheRecordedCopyAndOnlyThat) {
  ProblemData problem;
  ViewState view;
  InitialiseProblem(problem, view);
  UnsavedChanges changes(problem);
  EXPECT_FALSE(changes.Pending(problem));

  problem.General.ProblemName = "Quay wall";
  EXPECT_TRUE(changes.Pending(problem));
  problem.General.ProblemName = "New Problem";  // typed back as it was
  EXPECT_FALSE(changes.Pending(problem));

  // A value the program changed counts like one the user typed.
  problem.Anchors[3][2].Fa = 0.001;
  EXPECT_TRUE(changes.Pending(problem));
  problem.Catalogue[19].Name += " ";
  changes.Record(problem);
  EXPECT_FALSE(changes.Pending(problem));
  problem.Layer(19, 20, Side::Right).Dw = 0.5;
  EXPECT_TRUE(changes.Pending(problem));
}

TEST(UnsavedChanges, TheQuestionNamesTheDatafile) {
  ProblemData problem;
  problem.General.FileName = "Quay.krv";
  EXPECT_EQ(SaveChangesQuestion(problem), "Save changes to Quay.krv?");
  problem.General.FileName.clear();
  EXPECT_EQ(SaveChangesQuestion(problem), "Save changes to the problem?");
}
