// The factor on passive resistance and the searches' progress and cancel, on
// the anchored wall in dry sand whose minimum length is known.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <memory>

#include "analysis/FactorSearch.h"
#include "analysis/InMemoryRun.h"
#include "engine/StrengthCoefficients.h"
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

// Factored records against values worked out apart from the program, for
// F = 1.25: tan(phi')/F, tan(delta)/F in degrees, delta/phi' following phi',
// c'/F, a slope and a negative wall friction, and the stroke from k_h at the
// middle of a layer below water under a surcharge.
TEST(FactorSearchTest, FactoredRecordsAsWorkedByHand) {
  auto problem = test::AnchoredWall(8.0, Side::Left);
  for (int j = 0; j < 3; ++j) problem->Layer(j, 0, Side::Right).Zw = 3.0;
  problem->Layer(0, 0, Side::Right).q = 10.0;
  SoilStrength slope;  // layer 3, right: phi' 30, delta 20, beta -10, c' 5, k_h 20000
  slope.Phi = 30;
  slope.Delta = 20;
  slope.Beta = -10;
  slope.Cohesion = 5;
  slope.Kh = 20000;
  problem->Strength(2, 0, Side::Right) = slope;
  SoilStrength ratio;  // layer 3, left: phi' 35, delta/phi' 0.5
  ratio.Phi = 35;
  ratio.Delta = 0.5;
  ratio.DeltaUnit = WallFrictionUnit::Ratio;
  problem->Strength(2, 0, Side::Left) = ratio;
  SoilStrength negative = ratio;  // layer 2, left: phi' 35, delta -10
  negative.Delta = -10;
  negative.DeltaUnit = WallFrictionUnit::Degrees;
  problem->Strength(1, 0, Side::Left) = negative;

  // 10 + 16*3 + (20 - 10)*3.5 at 6.5 m.
  EXPECT_NEAR(InitialMidLayerStress(*problem, 2, Side::Right), 93.0, 1e-12);
  EXPECT_FALSE(FactorStrength(*problem, 1.25));
  const LayerProperties& a = problem->Layer(2, 0, Side::Right);
  EXPECT_NEAR(a.Ka, 0.310442805169, 1e-11);
  EXPECT_NEAR(a.Kp, 2.458335350452, 1e-11);
  EXPECT_NEAR(a.Kn, 0.580686065311, 1e-11);
  EXPECT_DOUBLE_EQ(a.c, 4.0);
  EXPECT_NEAR(a.Dw, 0.010837733095, 1e-11);
  const LayerProperties& b = problem->Layer(2, 0, Side::Left);
  EXPECT_NEAR(b.Ka, 0.300431121239, 1e-11);
  EXPECT_NEAR(b.Kp, 4.566126115731, 1e-11);
  EXPECT_NEAR(b.Kn, 0.511286363643, 1e-11);
  const LayerProperties& n = problem->Layer(1, 0, Side::Left);
  EXPECT_NEAR(n.Ka, 0.376039859708, 1e-11);
  EXPECT_NEAR(n.Kp, 2.284066862293, 1e-11);
}

// A factored record without coefficients means that the factored problem
// does not stand; it never keeps its given values. A slope of 25 degrees
// behind a wall in phi' 30 stops standing at tan 30 / tan 25 = 1.238.
TEST(FactorSearchTest, FsStopsWhereAFactoredRecordHasNoCoefficients) {
  auto problem = test::AnchoredWall(16.0, Side::Left);
  SoilStrength sand;
  sand.Phi = 30;
  for (int j = 0; j < 3; ++j) {
    for (int s = 0; s <= 1; ++s) {
      for (Side side : {Side::Left, Side::Right}) {
        if (problem->Layer(j, s, side).Wd < 0.001) continue;
        sand.Beta = side == Side::Right ? 25 : 0;
        problem->Strength(j, s, side) = sand;
      }
    }
  }
  auto factored = std::make_unique<ProblemData>(*problem);
  const std::optional<FactorRefusal> refusal = FactorStrength(*factored, 1.239);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->Step, 0);
  EXPECT_EQ(refusal->side, Side::Right);
  EXPECT_NE(refusal->Why.find("β 25 is outside its range"), std::string::npos) << refusal->Why;

  const FactorSearch fs = SearchStrengthFactor(*problem);
  ASSERT_EQ(fs.Whole.Outcome, FactorOutcome::Found);
  EXPECT_EQ(fs.Whole.Value, 1.238);
  ASSERT_TRUE(fs.Whole.Refusal);
  EXPECT_EQ(fs.Whole.Refusal->side, Side::Right);
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
