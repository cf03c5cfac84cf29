// The soil layer grid's rules: what an edit in step 0 and in a later step
// reaches, the clamping of Kp and Kn step by step, the water rule, and the
// names and thicknesses that belong to the initial state.
#include <gtest/gtest.h>

#include "core/SoilLayerRules.h"
#include "tests/core/TestSupport.h"

namespace korvanu {
namespace {

class SoilLayerRules : public ::testing::Test {
 protected:
  SoilLayerRules() : problem_(test::StartupProblem()) { problem_.General.NT = 5; }

  CellCommit Commit(int step, Side side, SoilColumn column, int layer, std::string_view typed) {
    view_.CurrentStep = step;
    view_.CurrentSide = side;
    view_.ResultsValid = true;
    CellCommit commit = CommitSoilCell(problem_, view_, column, layer, typed);
    EXPECT_FALSE(view_.ResultsValid);
    return commit;
  }
  LayerProperties& At(int layer, int step, Side side) { return problem_.Layer(layer, step, side); }

  ProblemData problem_;
  ViewState view_;
};

TEST_F(SoilLayerRules, StepZeroReachesBothSidesUpToTheLastStep) {
  const CellCommit commit = Commit(0, Side::Right, SoilColumn::Ws, 2, "21.5");
  EXPECT_TRUE(commit.Accepted);
  EXPECT_TRUE(commit.Message.empty());
  EXPECT_EQ(commit.Shown, "    21.500");
  for (int s = 0; s <= 5; ++s) {
    EXPECT_EQ(At(2, s, Side::Left).Ws, 21.5) << s;
    EXPECT_EQ(At(2, s, Side::Right).Ws, 21.5) << s;
  }
  EXPECT_EQ(At(2, 6, Side::Left).Ws, 20.0);  // beyond NT
  EXPECT_EQ(At(1, 0, Side::Left).Ws, 20.0);  // another layer
}

TEST_F(SoilLayerRules, LaterStepReachesTheChosenSideFromThatStepOn) {
  EXPECT_TRUE(Commit(3, Side::Right, SoilColumn::Wd, 2, "18").Accepted);
  for (int s = 0; s <= 5; ++s) {
    EXPECT_EQ(At(2, s, Side::Right).Wd, s >= 3 ? 18.0 : 16.0) << s;
    EXPECT_EQ(At(2, s, Side::Left).Wd, 16.0) << s;
  }
}

TEST_F(SoilLayerRules, KpAndKnStayBetweenKaAndKpOfEachStepAndTheClampCarriesOn) {
  At(3, 1, Side::Left).Ka = 0.3;
  At(3, 2, Side::Left).Ka = 0.5;
  At(3, 3, Side::Left).Ka = 0.4;
  Commit(1, Side::Left, SoilColumn::Kp, 3, "0.1");
  EXPECT_EQ(At(3, 1, Side::Left).Kp, 0.3);
  EXPECT_EQ(At(3, 2, Side::Left).Kp, 0.5);
  EXPECT_EQ(At(3, 3, Side::Left).Kp, 0.5);  // the clamped 0.5 carried on, not 0.1
  EXPECT_EQ(At(3, 0, Side::Left).Kp, 3.0);

  At(2, 1, Side::Left).Ka = 0.3;
  Commit(1, Side::Left, SoilColumn::Kn, 2, "5");
  EXPECT_EQ(At(2, 1, Side::Left).Kn, 3.0);
  Commit(1, Side::Left, SoilColumn::Kn, 2, "0.1");
  EXPECT_EQ(At(2, 1, Side::Left).Kn, 0.3);
}

TEST_F(SoilLayerRules, StepZeroGivesTheRightSideTheLeftSidesValueUnclamped) {
  for (int s = 0; s <= 5; ++s) {
    At(2, s, Side::Left).Ka = 0.3;
    At(2, s, Side::Right).Ka = 0.6;
  }
  const CellCommit commit = Commit(0, Side::Left, SoilColumn::Kp, 2, "0.1");
  EXPECT_EQ(commit.Shown, "     0.300");
  for (int s = 0; s <= 5; ++s) {
    EXPECT_EQ(At(2, s, Side::Left).Kp, 0.3) << s;
    EXPECT_EQ(At(2, s, Side::Right).Kp, 0.3) << s;
  }
}

TEST_F(SoilLayerRules, ALayerWithoutDryWeightActsAsWaterAtEveryCommit) {
  At(2, 2, Side::Left).Zw = 2.5;
  Commit(2, Side::Left, SoilColumn::Wd, 2, "0.0005");
  for (int s = 2; s <= 5; ++s) {
    const LayerProperties& p = At(2, s, Side::Left);
    EXPECT_EQ(p.Wd, 0.0005);
    EXPECT_EQ(p.Ws, 10.0);
    EXPECT_EQ(p.Cap, 0.0);
    EXPECT_EQ(p.q, 0.0);
    EXPECT_EQ(p.c, 0.0);
    EXPECT_EQ(p.Ka, 1.0);
    EXPECT_EQ(p.Kp, 1.0);
    EXPECT_EQ(p.Kn, 1.0);
    EXPECT_EQ(p.Dw, 1.0);
  }
  EXPECT_EQ(At(2, 2, Side::Left).Zw, 2.5);
  EXPECT_EQ(At(2, 1, Side::Left).Ws, 20.0);
  EXPECT_EQ(At(2, 2, Side::Right).Ws, 20.0);

  // Any other column of that layer brings the water values back.
  const CellCommit commit = Commit(3, Side::Left, SoilColumn::c, 2, "12");
  EXPECT_EQ(commit.Shown, "     0.000");
  EXPECT_EQ(At(2, 3, Side::Left).c, 0.0);
  At(2, 4, Side::Left).Ka = 0.3;
  Commit(4, Side::Left, SoilColumn::Zw, 2, "3");
  EXPECT_EQ(At(2, 4, Side::Left).Ka, 1.0);
  EXPECT_EQ(At(2, 4, Side::Left).Zw, 3.0);
}

// Wd typed in step 0 spreads as ever, into the steps that dug the layer
// too; those entries are named, not those of the step on show.
TEST_F(SoilLayerRules, EntriesFilledAgainAreNamedOutsideTheStepShown) {
  Commit(4, Side::Right, SoilColumn::Wd, 0, "0");  // layer 1 dug on the right too
  const ProblemData before = problem_;
  Commit(0, Side::Left, SoilColumn::Wd, 0, "18");
  EXPECT_EQ(At(0, 2, Side::Left).Wd, 18.0);
  EXPECT_EQ(At(0, 2, Side::Left).Ka, 1.0);  // the water values stay
  const std::vector<LayerRecord> refilled = RefilledRecords(before, problem_);
  ASSERT_EQ(refilled.size(), 7u);
  EXPECT_EQ(refilled.front(), (LayerRecord{0, 1, Side::Left}));
  EXPECT_EQ(RefilledNote(refilled, 0),
            "Filled again, water values kept: layer 1 (left side, steps 1-5; right side, steps "
            "4-5).");
  EXPECT_EQ(RefilledNote(refilled, 1),
            "Filled again, water values kept: layer 1 (left side, steps 2-5; right side, steps "
            "4-5).");
  EXPECT_EQ(DescribeRecords({{1, 3, Side::Left}, {1, 3, Side::Right}, {1, 0, Side::Left}}),
            "layer 2 (left side, steps 0, 3; right side, step 3)");
  EXPECT_EQ(DescribeRecords({{2, 1, Side::Left}, {2, 1, Side::Right}}),
            "layer 3 (both sides, step 1)");
  EXPECT_TRUE(RefilledNote({{0, 1, Side::Left}}, 1).empty());
}

TEST_F(SoilLayerRules, ThicknessInStepZeroMovesTheBoundariesBelowAndLength) {
  problem_.H[1] = 2.0;
  for (int p = 2; p <= 4; ++p) problem_.Z[p] = p + 1.0;
  Commit(0, Side::Left, SoilColumn::H, 1, "3.5");
  EXPECT_EQ(problem_.H[1], 3.5);
  EXPECT_EQ(problem_.Z[1], 1.0);
  EXPECT_EQ(problem_.Z[2], 4.5);
  EXPECT_EQ(problem_.Z[4], 6.5);
  EXPECT_EQ(problem_.General.Length, 6.5);
}

TEST_F(SoilLayerRules, ThicknessAfterTheInitialStateOnlyWithinAMillimetre) {
  CellCommit commit = Commit(2, Side::Left, SoilColumn::H, 0, "1.0004");
  EXPECT_TRUE(commit.Accepted);
  EXPECT_TRUE(commit.Message.empty());
  EXPECT_EQ(problem_.H[0], 1.0004);

  commit = Commit(2, Side::Left, SoilColumn::H, 0, "1.003");
  EXPECT_TRUE(commit.Accepted);  // the move goes on
  EXPECT_EQ(commit.Message, "Layer thickness can be changed in\ninitial state only.");
  EXPECT_EQ(problem_.H[0], 1.0004);
  EXPECT_EQ(commit.Shown, "     1.000");
}

TEST_F(SoilLayerRules, NamesAreCutAndBelongToTheInitialState) {
  CellCommit commit = Commit(0, Side::Left, SoilColumn::Name, 1, "Clay with sand and gravel");
  EXPECT_TRUE(commit.Accepted);
  EXPECT_EQ(problem_.LayerName[1], "Clay with sand and g");
  EXPECT_EQ(commit.Shown, "Clay with sand and g");

  commit = Commit(1, Side::Left, SoilColumn::Name, 1, "Peat");
  EXPECT_FALSE(commit.Accepted);
  EXPECT_EQ(commit.Message, "Soil name can be changed in\ninitial state only.");
  EXPECT_EQ(commit.Shown, "Clay with sand and g");
  EXPECT_EQ(problem_.LayerName[1], "Clay with sand and g");
  // The same name, as the cut leaves it, may be left in any step.
  EXPECT_TRUE(Commit(1, Side::Left, SoilColumn::Name, 1, "Clay with sand and gravel").Accepted);
}

TEST_F(SoilLayerRules, NegativeNumbersAreRefusedTextIsZero) {
  const ProblemData before = problem_;
  const CellCommit commit = Commit(1, Side::Right, SoilColumn::q, 3, "-5");
  EXPECT_FALSE(commit.Accepted);
  EXPECT_EQ(commit.Message, "Enter non-negative number");
  EXPECT_EQ(commit.Shown, "     0.000");
  EXPECT_TRUE(test::SameProblem(problem_, before));

  At(3, 1, Side::Right).q = 7.0;
  EXPECT_TRUE(Commit(1, Side::Right, SoilColumn::q, 3, "abc").Accepted);
  EXPECT_EQ(At(3, 1, Side::Right).q, 0.0);
}

TEST_F(SoilLayerRules, CellTextsFollowTheViewsStepAndSide) {
  view_.CurrentStep = 1;
  view_.CurrentSide = Side::Left;
  EXPECT_EQ(SoilCellText(problem_, view_, SoilColumn::Number, 0), " 1");
  EXPECT_EQ(SoilCellText(problem_, view_, SoilColumn::Name, 0), "Soil 1");
  EXPECT_EQ(SoilCellText(problem_, view_, SoilColumn::Wd, 0), "     0.000");
  view_.CurrentSide = Side::Right;
  EXPECT_EQ(SoilCellText(problem_, view_, SoilColumn::Wd, 0), "    16.000");
  EXPECT_EQ(SoilCellText(problem_, view_, SoilColumn::Ka, 0), "     0.333");
}

}  // namespace
}  // namespace korvanu
