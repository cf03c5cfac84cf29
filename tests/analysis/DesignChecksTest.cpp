// The summary of given step results: largest values, steel stress and the
// verdicts against the settings.
#include <gtest/gtest.h>

#include "analysis/DesignChecks.h"
#include "analysis/DesignText.h"

namespace korvanu {
namespace {

// Profile 1 with h = 0.22 m, E = 210 GN/m2, EI = 13847.2 kNm2/m, so that
// I = 6.5939e-5 m4/m; an anchor of Fa 50 at point 1.
ProblemData Problem() {
  ProblemData problem;
  problem.General.NT = 2;
  problem.General.NL = 2;
  problem.General.NP = 1;
  problem.Catalogue[0] = Profile{"Larssen 20", 0.0101, 78.0, 210.0, 0.22, 0.0808, 13847.2};
  problem.Anchors[1][1].Fa = 50.0;
  problem.Anchors[2][1].Fa = 50.0;
  return problem;
}

StepResults Step(int step, std::vector<double> M, double anchorForce, bool yielded) {
  StepResults r;
  r.Step = step;
  r.Converged = true;
  r.z = {0.0, 1.0, 2.0, 3.0};
  r.w = {0.01, -0.03, 0.02, 0.0};
  r.M = std::move(M);
  r.Qminus = {0.0, 5.0, -40.0, 2.0};
  r.Qplus = {3.0, 30.0, -8.0, 0.0};
  r.Anchors = {{1, anchorForce, yielded}};
  return r;
}

ComputedSteps TwoSteps(bool yielded) {
  ComputedSteps steps;
  steps.Steps = {Step(1, {0.0, 50.0, -100.0, 20.0}, 30.0, false),
                 Step(2, {0.0, 80.0, -60.0, 0.0}, -50.0, yielded)};
  return steps;
}

TEST(DesignChecksTest, LargestValuesAndTheStressOfAKnownMomentAndProfile) {
  DesignSettings settings;
  settings.Fy = 355.0;
  settings.GammaM0 = 1.1;
  const DesignSummary summary = SummariseDesign(Problem(), settings, TwoSteps(false));
  ASSERT_EQ(summary.Steps.size(), 2u);
  const StepCheck& first = summary.Steps[0];
  EXPECT_EQ(first.MaxW, 0.03);
  EXPECT_EQ(first.MaxWDepth, 1.0);
  EXPECT_EQ(first.MaxM, 50.0);
  EXPECT_EQ(first.MinM, -100.0);
  EXPECT_EQ(first.MinMDepth, 2.0);
  EXPECT_EQ(first.MaxQ, 40.0);
  EXPECT_EQ(first.MaxQDepth, 2.0);
  // sigma = 100 * 0.11 / 6.5939e-5 kN/m2.
  ASSERT_TRUE(first.Stress);
  EXPECT_NEAR(*first.Stress, 166.82, 0.01);
  EXPECT_NEAR(*first.Utilisation, 166.82 / (355.0 / 1.1), 1e-4);
  EXPECT_NEAR(*summary.Steps[1].Stress, 0.8 * *first.Stress, 1e-9);

  const StepCheck& all = summary.Envelope;
  EXPECT_EQ(all.MaxM, 80.0);
  EXPECT_EQ(all.MinM, -100.0);
  EXPECT_EQ(*all.Stress, *first.Stress);
  ASSERT_EQ(all.Anchors.size(), 1u);
  EXPECT_EQ(all.Anchors[0].Step, 2);
  EXPECT_EQ(all.Anchors[0].Share, 1.0);
  EXPECT_EQ(AnchorText(all.Anchors[0]), "1: -50.000 (100%)");

  const std::vector<std::string> row = DesignTableRow(all, nullptr);
  EXPECT_EQ(row.size(), DesignTableCaptions().size());
  EXPECT_EQ(row[0], "all");
  EXPECT_EQ(row[9], "166.8");
}

TEST(DesignChecksTest, AProfileWithoutHeightOrStiffnessGivesNoStress) {
  for (double Profile::*field : {&Profile::h, &Profile::EI}) {
    ProblemData problem = Problem();
    problem.Catalogue[0].*field = 0.0;
    DesignSettings settings;
    settings.Fy = 355.0;
    const DesignSummary summary = SummariseDesign(problem, settings, TwoSteps(false));
    EXPECT_FALSE(summary.SectionKnown);
    EXPECT_FALSE(summary.Envelope.Stress);
    EXPECT_FALSE(summary.Envelope.Utilisation);
    EXPECT_FALSE(summary.StressNote.empty());
    const std::vector<Verdict> verdicts = DesignVerdicts(summary, nullptr);
    EXPECT_EQ(verdicts[6].State, CheckState::NotComputed);
    EXPECT_FALSE(AllHold(verdicts));
  }
}

TEST(DesignChecksTest, VerdictsAgainstTheRequirements) {
  DesignSettings settings;
  settings.Fy = 240.0;
  const ProblemData problem = Problem();
  const std::vector<Verdict> plain =
      DesignVerdicts(SummariseDesign(problem, settings, TwoSteps(false)), nullptr);
  ASSERT_EQ(plain.size(), 10u);
  EXPECT_TRUE(AllHold(plain));
  EXPECT_EQ(plain[1].State, CheckState::NoRequirement);  // |w| without a limit
  EXPECT_EQ(plain[5].State, CheckState::Holds);          // no anchor yielded
  EXPECT_EQ(plain[6].State, CheckState::Holds);          // 166.8 / 240

  settings.MaxW = 0.02;
  settings.MinFp = 1.5;
  DesignSearches searches;
  searches.Fp.Whole = {FactorOutcome::Found, 1.499, {}, {}};
  const std::vector<Verdict> strict =
      DesignVerdicts(SummariseDesign(problem, settings, TwoSteps(true)), &searches);
  EXPECT_EQ(strict[1].State, CheckState::FallsShort);
  EXPECT_EQ(strict[1].Requirement, "at most 0.0200 m");
  EXPECT_EQ(strict[5].State, CheckState::FallsShort);
  EXPECT_EQ(strict[7].State, CheckState::FallsShort);
  EXPECT_EQ(strict[7].Value, "1.499");
  EXPECT_FALSE(AllHold(strict));

  settings.NoAnchorYield = false;
  settings.MaxW = 0.03;
  searches.Fp.Whole = {FactorOutcome::AtLeastMax, 10.0, {}, {}};
  EXPECT_TRUE(
      AllHold(DesignVerdicts(SummariseDesign(problem, settings, TwoSteps(true)), &searches)));

  ComputedSteps failed = TwoSteps(false);
  failed.Steps[1].Converged = false;
  failed.Run.FailedStep = 2;
  const std::vector<Verdict> fallen =
      DesignVerdicts(SummariseDesign(problem, settings, failed), nullptr);
  EXPECT_EQ(fallen[0].State, CheckState::FallsShort);
  EXPECT_EQ(fallen[0].Value, "step 2 does not converge");
  searches.Fp.Whole = {FactorOutcome::BelowOne, 0.0, {}, {ComputationFault::DivisionByZero, 1}};
  EXPECT_EQ(FactorSentence(searches.Fp.Whole),
            "below 1: the problem as given finds no equilibrium");
  // Not converging is not the same as finding no equilibrium: say which.
  searches.Fp.Whole.Failure = {ComputationFault::None, 2};
  EXPECT_EQ(FactorSentence(searches.Fp.Whole),
            "below 1: step 2 of the problem as given does not converge");
}

// Soil weight with the values of a dug layer is named, per layer and side;
// a dug layer (no weight) and a soil with cohesion are not.
TEST(DesignChecksTest, SoilWithTheCoefficientsOfADugLayerIsNamed) {
  ProblemData problem = Problem();
  const LayerProperties water{18.0, 10.0, 0.0, 0.0, 0.0, 0.0, 1.0, 1.0, 1.0, 1.0};
  problem.Layer(0, 1, Side::Left) = water;
  problem.Layer(0, 2, Side::Left) = water;
  problem.Layer(1, 2, Side::Left) = water;
  problem.Layer(1, 2, Side::Left).Wd = 0.0;
  problem.Layer(1, 1, Side::Right) = water;
  problem.Layer(1, 1, Side::Right).c = 50.0;
  const DesignSummary summary = SummariseDesign(problem, {}, TwoSteps(false));
  ASSERT_EQ(summary.Warnings.size(), 1u);
  EXPECT_EQ(summary.Warnings[0].rfind("layer 1, left side, steps 1, 2: soil weight", 0), 0u)
      << summary.Warnings[0];
  EXPECT_NE(DesignReportText(problem, summary, nullptr, {}).find("Warning   layer 1, left side"),
            std::string::npos);
}

}  // namespace
}  // namespace korvanu
