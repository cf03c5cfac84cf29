// The anchors and axial forces grids' rules: an anchor edit reaches every
// later step slot, a negative anchor force is refused, axial forces belong
// to one step.
#include <gtest/gtest.h>

#include "core/AnchorRules.h"
#include "core/AxialRules.h"
#include "tests/core/TestSupport.h"

namespace korvanu {
namespace {

class ForceRules : public ::testing::Test {
 protected:
  ForceRules() : problem_(test::StartupProblem()) {
    problem_.General.NT = 5;
    view_.ResultsValid = true;
  }

  ProblemData problem_;
  ViewState view_;
};

TEST_F(ForceRules, AnAnchorEditReachesEveryLaterStepSlot) {
  view_.CurrentStep = 3;
  const CellCommit commit = CommitAnchorCell(problem_, view_, AnchorColumn::Fa, 2, "80");
  EXPECT_TRUE(commit.Accepted);
  EXPECT_EQ(commit.Shown, "      80.000");
  EXPECT_FALSE(view_.ResultsValid);
  for (int s = 0; s < StepSlots; ++s) EXPECT_EQ(problem_.Anchors[s][2].Fa, s >= 3 ? 80.0 : 0.0);
  EXPECT_EQ(problem_.Anchors[3][1].Fa, 50.0);
}

TEST_F(ForceRules, ANegativeAnchorForceIsRefusedAndShowsOne) {
  view_.CurrentStep = 1;
  EXPECT_TRUE(CommitAnchorCell(problem_, view_, AnchorColumn::Fx, 1, "-25").Accepted);
  EXPECT_TRUE(CommitAnchorCell(problem_, view_, AnchorColumn::Dw, 1, "-0.05").Accepted);
  EXPECT_EQ(problem_.Anchors[20][1].Fx, -25.0);
  EXPECT_EQ(problem_.Anchors[20][1].Fw, -0.05);

  view_.ResultsValid = true;
  const CellCommit commit = CommitAnchorCell(problem_, view_, AnchorColumn::Fa, 1, "-25");
  EXPECT_FALSE(commit.Accepted);
  EXPECT_EQ(commit.Message, "Enter non-negative number");
  EXPECT_EQ(commit.Shown, "       1.000");
  EXPECT_TRUE(commit.ShownPending);
  EXPECT_FALSE(view_.ResultsValid);
  EXPECT_EQ(problem_.Anchors[1][1].Fa, 50.0);
  // Leaving the cell again commits what it shows.
  EXPECT_TRUE(CommitAnchorCell(problem_, view_, AnchorColumn::Fa, 1, commit.Shown).Accepted);
  EXPECT_EQ(problem_.Anchors[1][1].Fa, 1.0);
}

TEST_F(ForceRules, AnchorCellsShowPointDepthAndValues) {
  EXPECT_EQ(AnchorCellText(problem_, 1, AnchorColumn::Number, 4), " 4");
  EXPECT_EQ(AnchorCellText(problem_, 1, AnchorColumn::Depth, 4), "       4.000");
  EXPECT_EQ(AnchorCellText(problem_, 1, AnchorColumn::Dw, 1), "      -0.020");
  EXPECT_EQ(AnchorCellText(problem_, 0, AnchorColumn::Fa, 1), "       0.000");
}

TEST_F(ForceRules, AnAxialForceBelongsToOneStepAndTakesAnySign) {
  problem_.Axial[3].NA = 7.0;
  const CellCommit commit = CommitAxialCell(problem_, view_, AxialColumn::NTop, 2, "-100");
  EXPECT_TRUE(commit.Accepted);
  EXPECT_EQ(commit.Shown, "    -100.000");
  EXPECT_FALSE(view_.ResultsValid);
  EXPECT_EQ(problem_.Axial[2].NA, -100.0);
  EXPECT_EQ(problem_.Axial[3].NA, 7.0);
  EXPECT_EQ(problem_.Axial[1].NA, 0.0);
  CommitAxialCell(problem_, view_, AxialColumn::MTop, 2, "x");
  EXPECT_EQ(problem_.Axial[2].MA, 0.0);
  EXPECT_EQ(AxialCellText(problem_, AxialColumn::Step, 2), "   2");
  EXPECT_EQ(AxialCellText(problem_, AxialColumn::NBottom, 2), "       0.000");
}

}  // namespace
}  // namespace korvanu
