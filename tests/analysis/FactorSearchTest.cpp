// The factor on passive resistance and the searches' progress and cancel, on
// the anchored wall in dry sand whose minimum length is known.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <memory>

#include "analysis/FactorSearch.h"
#include "analysis/InMemoryRun.h"
#include "tests/engine/ValidationProblems.h"

namespace korvanu {
namespace {

// The wall stands at 6.901 m and fails at 6.898 m with Kp as given.
TEST(FactorSearchTest, FpReachesOneExactlyWhereTheWallStands) {
  auto engine = std::make_unique<EngineState>();
  auto standing = test::AnchoredWall(6.901, Side::Left);
  ASSERT_TRUE(RunInMemory(*standing, 1, *engine).Stands());
  const FactorSearch fp = SearchPassiveFactor(*standing);
  EXPECT_EQ(fp.Whole.Outcome, FactorOutcome::Found);
  EXPECT_GE(fp.Whole.Value, 1.0);
  EXPECT_LT(fp.Whole.Value, 1.01);

  auto failing = test::AnchoredWall(6.898, Side::Left);
  const FactorSearch below = SearchPassiveFactor(*failing);
  EXPECT_EQ(below.Whole.Outcome, FactorOutcome::BelowOne);
  EXPECT_EQ(below.Runs, 1);
  EXPECT_FALSE(below.Whole.AtLeast(0.5));
}

// Kp/1.5 in the sand makes the shortest wall longer; a wall of that length
// with Kp as given has Fp 1.5.
TEST(FactorSearchTest, FpOfAWallAsLongAsTheMinimumAtKpOverF) {
  auto reduced = test::AnchoredWall(12.0, Side::Left);
  FactorPassive(*reduced, 1.5);
  EXPECT_DOUBLE_EQ(reduced->Layer(2, 1, Side::Left).Kp, 2.0);
  EXPECT_DOUBLE_EQ(reduced->Layer(0, 1, Side::Left).Kp, 1.0);  // excavated: as given
  const MinimumLength shortest = FindMinimumLength(*reduced, 1, 0.001);
  ASSERT_EQ(shortest.Result, LengthSearchResult::Found);

  auto wall = test::AnchoredWall(shortest.Shortest, Side::Left);
  const FactorSearch fp = SearchPassiveFactor(*wall);
  ASSERT_EQ(fp.Whole.Outcome, FactorOutcome::Found);
  EXPECT_NEAR(fp.Whole.Value, 1.5, 0.005);
  EXPECT_TRUE(fp.Whole.AtLeast(1.5));
  EXPECT_FALSE(fp.Whole.AtLeast(1.6));
  ASSERT_EQ(fp.PerStep.size(), 1u);
  EXPECT_EQ(fp.PerStep[0].Value, fp.Whole.Value);
}

// Soil with Ka = Kp = 1 has no passive reserve to lose: every factor stands.
TEST(FactorSearchTest, AWallThatStandsAtTenIsAtLeastTen) {
  auto problem = test::ElasticFoundation(10.0, 0.0);
  problem->General.NN = 40;
  const FactorSearch fp = SearchPassiveFactor(*problem);
  EXPECT_EQ(fp.Whole.Outcome, FactorOutcome::AtLeastMax);
  EXPECT_EQ(fp.Whole.Value, 10.0);
  EXPECT_TRUE(fp.Whole.AtLeast(10.0));
}

// Per step k the factor of steps 0..k: the shared runs give what a search of
// the problem cut after step k gives.
TEST(FactorSearchTest, EachStepHasTheFactorOfTheStepsUpToIt) {
  auto problem = test::AnchoredWall(7.5, Side::Left);
  problem->General.NT = 2;
  problem->General.NN = 100;
  for (int j = 0; j < 3; ++j) problem->Layer(j, 2, Side::Right).q = 20.0;
  const FactorSearch fp = SearchPassiveFactor(*problem);
  ASSERT_EQ(fp.PerStep.size(), 2u);
  auto first = std::make_unique<ProblemData>(*problem);
  first->General.NT = 1;
  const FactorSearch alone = SearchPassiveFactor(*first);
  EXPECT_EQ(fp.PerStep[0].Outcome, alone.Whole.Outcome);
  EXPECT_EQ(fp.PerStep[0].Value, alone.Whole.Value);
  EXPECT_GT(fp.PerStep[0].Value, fp.Whole.Value);
  EXPECT_LT(fp.Runs, 2 * alone.Runs);
}

// The sand of the anchored wall as phi' = 30 degrees by Rankine: Kp 3, Ka 1/3,
// Kn 0.5. A wall as long as the shortest one with tan(phi')/1.3 has Fs 1.3.
TEST(FactorSearchTest, FsOfAWallAsLongAsTheMinimumAtTheFactoredStrength) {
  const auto withStrength = [](double length) {
    auto problem = test::AnchoredWall(length, Side::Left);
    SoilStrength sand;
    sand.Phi = 30.0;
    sand.Method = EarthPressureMethod::Rankine;
    for (int j = 0; j < 3; ++j) {
      for (int s = 0; s < StepSlots; ++s) {
        for (Side side : {Side::Left, Side::Right}) {
          if (problem->Layer(j, s, side).Wd >= 0.001) problem->Strength(j, s, side) = sand;
        }
      }
    }
    return problem;
  };
  EXPECT_EQ(SearchStrengthFactor(*test::AnchoredWall(8.0, Side::Left)).Whole.Outcome,
            FactorOutcome::NoStrength);

  auto reduced = withStrength(12.0);
  FactorStrength(*reduced, 1.3);
  const double phi = std::atan(std::tan(M_PI / 6.0) / 1.3);
  EXPECT_NEAR(reduced->Layer(2, 1, Side::Left).Kp,
              std::tan(M_PI / 4 + phi / 2) * std::tan(M_PI / 4 + phi / 2), 1e-9);
  EXPECT_DOUBLE_EQ(reduced->Layer(0, 1, Side::Left).Kp, 1.0);  // excavated: as given
  const MinimumLength shortest = FindMinimumLength(*reduced, 1, 0.001);
  ASSERT_EQ(shortest.Result, LengthSearchResult::Found);

  const FactorSearch fs = SearchStrengthFactor(*withStrength(shortest.Shortest));
  EXPECT_EQ(fs.LayersFactored, 3);
  ASSERT_EQ(fs.Whole.Outcome, FactorOutcome::Found);
  EXPECT_NEAR(fs.Whole.Value, 1.3, 0.005);
}

TEST(FactorSearchTest, ASearchStopsWhenCancelledAndReportsProgress) {
  auto problem = test::AnchoredWall(8.0, Side::Left);
  std::atomic<bool> cancel{false};
  double reported = 0.0;
  SearchControl control;
  control.Cancel = &cancel;
  control.Progress = [&](double fraction) {
    reported = fraction;
    cancel = true;
  };
  const DesignSearches searches = RunDesignSearches(*problem, control);
  EXPECT_TRUE(searches.Cancelled);
  EXPECT_TRUE(searches.Fp.Cancelled);
  EXPECT_EQ(searches.Fp.Whole.Outcome, FactorOutcome::NotRun);
  EXPECT_TRUE(searches.Embedment.Cancelled);
  EXPECT_GT(reported, 0.0);
  EXPECT_LT(reported, 1.0);

  cancel = true;
  EXPECT_TRUE(FindMinimumLength(*problem, 1, 0.001, 0.0, control).Cancelled);
}

}  // namespace
}  // namespace korvanu
