// Coefficients derived from the strength go in as if typed into the soil
// layer grid, and the strength is remembered only while it describes them.
#include <gtest/gtest.h>

#include "core/Datafile.h"
#include "core/SoilLayerRules.h"
#include "core/StrengthRules.h"
#include "core/TextFormat.h"
#include "tests/core/TestSupport.h"

namespace korvanu {
namespace {

class StrengthRules : public ::testing::Test {
 protected:
  StrengthRules() : problem_(test::StartupProblem()) {
    problem_.General.NT = 3;
    strength_.Phi = 35;
    strength_.Delta = 0.5;
    strength_.DeltaUnit = WallFrictionUnit::Ratio;
    strength_.Cohesion = 2.5;
    strength_.Kh = 8000;
    strength_.Method = EarthPressureMethod::Curved;
    k_ = ComputeCoefficients(strength_, 12.0);
  }

  void Type(ProblemData& p, SoilColumn column, int layer, double value) {
    ASSERT_TRUE(CommitSoilCell(p, view_, column, layer, Format("%10.3f", value)).Accepted);
  }

  ProblemData problem_;
  ViewState view_;
  SoilStrength strength_;
  EarthPressureCoefficients k_;
};

TEST_F(StrengthRules, ApplyStoresWhatTypingTheValuesStores) {
  // Step 0 reaches both sides of every step, and the excavated layer 1 on
  // the left from step 1 on keeps its water values; in step 2 on the right
  // only steps 2 and 3 of that side.
  for (const auto& [step, side] : {std::pair{0, Side::Left}, std::pair{2, Side::Right}}) {
    ProblemData typed = problem_;
    ProblemData applied = problem_;
    // Kp below the new Ka in a later step: the clamps must meet the new Ka.
    for (ProblemData* p : {&typed, &applied}) p->Layer(0, 3, Side::Right).Kp = 0.2;
    view_.CurrentStep = step;
    view_.CurrentSide = side;
    for (auto [column, value] : {std::pair{SoilColumn::c, strength_.Cohesion},
                                 {SoilColumn::Ka, k_.Ka},
                                 {SoilColumn::Kp, k_.Kp},
                                 {SoilColumn::Kn, k_.Kn},
                                 {SoilColumn::Dw, *k_.Dw}}) {
      Type(typed, column, 0, value);
    }
    view_.ResultsValid = true;
    ApplyCoefficients(applied, view_, 0, strength_, k_);
    EXPECT_FALSE(view_.ResultsValid);

    for (int s = 0; s <= 3; ++s) {
      for (Side d : {Side::Left, Side::Right}) {
        const bool reached = s >= step && (step == 0 || d == side);
        const bool water = applied.Layer(0, s, d).Wd < 0.001;
        EXPECT_EQ(applied.Strength(0, s, d).has_value(), reached && !water) << s;
      }
    }
    EXPECT_EQ(applied.Layer(0, 1, Side::Left).Ka, 1.0);
    EXPECT_EQ(applied.Layer(0, 3, Side::Right).Kp, 5.879);
    applied.StrengthTable = typed.StrengthTable;
    EXPECT_EQ(WriteDatafile(applied), WriteDatafile(typed)) << step;
  }
}

TEST_F(StrengthRules, TypingOverTheCoefficientsForgetsTheStrength) {
  view_.CurrentStep = 0;
  ApplyCoefficients(problem_, view_, 2, strength_, k_);
  ASSERT_TRUE(problem_.Strength(2, 3, Side::Right));

  // Leaving the cells as shown keeps it.
  for (SoilColumn column :
       {SoilColumn::c, SoilColumn::Ka, SoilColumn::Kp, SoilColumn::Kn, SoilColumn::Dw}) {
    CommitSoilCell(problem_, view_, column, 2, SoilCellText(problem_, view_, column, 2));
  }
  EXPECT_EQ(problem_.Strength(2, 3, Side::Right), strength_);

  // A new stroke keeps the strength without k_h.
  view_.CurrentStep = 2;
  view_.CurrentSide = Side::Right;
  CommitSoilCell(problem_, view_, SoilColumn::Dw, 2, "0.05");
  ASSERT_TRUE(problem_.Strength(2, 3, Side::Right));
  EXPECT_FALSE(problem_.Strength(2, 3, Side::Right)->Kh);
  EXPECT_TRUE(problem_.Strength(2, 1, Side::Right)->Kh);

  // A new Kp in step 3, and excavation in step 1 on the left, forget it there.
  view_.CurrentStep = 3;
  CommitSoilCell(problem_, view_, SoilColumn::Kp, 2, "4");
  EXPECT_FALSE(problem_.Strength(2, 3, Side::Right));
  EXPECT_TRUE(problem_.Strength(2, 2, Side::Right));
  view_.CurrentStep = 1;
  view_.CurrentSide = Side::Left;
  CommitSoilCell(problem_, view_, SoilColumn::Wd, 2, "0");
  EXPECT_TRUE(problem_.Strength(2, 0, Side::Left));
  EXPECT_FALSE(problem_.Strength(2, 1, Side::Left));
  EXPECT_FALSE(problem_.Strength(2, 3, Side::Left));
}

}  // namespace
}  // namespace korvanu
