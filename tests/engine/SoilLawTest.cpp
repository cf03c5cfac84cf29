// The soil stress law: vertical stress and pore pressure, the horizontal
// stresses, the linearised springs with their tolerance band, and the shift
// of the elastic branch after a converged step.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>

#include "core/StrengthRules.h"
#include "core/TextFormat.h"
#include "engine/BeamEquations.h"
#include "engine/FloatingPointFault.h"
#include "engine/SoilLaw.h"
#include "engine/StrengthCoefficients.h"
#include "engine/StressColumn.h"
#include "tests/engine/EngineTestSupport.h"

namespace korvanu {
namespace {

using test::DefaultProblem;
using test::SetBoundaries;
using test::SetLayerEverywhere;
using test::Soil;

TEST(SafeSqrtTest, RootOfPositiveValuesOnly) {
  EXPECT_EQ(SafeSqrt(9.0), 3.0);
  EXPECT_EQ(SafeSqrt(0.0), 0.0);
  EXPECT_EQ(SafeSqrt(-4.0), 0.0);
}

class VerticalStressTest : public ::testing::Test {
 protected:
  void SetUp() override {
    problem = DefaultProblem();
    SetBoundaries(*problem, {0.0, 4.0, 8.0});
    SetLayerEverywhere(*problem, 0, Soil(16, 20, 100, 0, 0, 0, 0.3333, 3.0, 0.5, 0.02));
    SetLayerEverywhere(*problem, 1, Soil(18, 21, 100, 0, 0, 0, 0.3333, 3.0, 0.5, 0.02));
  }
  std::unique_ptr<ProblemData> problem;
};

// The mesh's column must give VerticalStress's bits at every depth, asked in
// any order: layers of no thickness, depths on boundaries and outside the
// wall, water and capillary zones across boundaries, boundaries out of order.
TEST(StressColumnTest, GivesTheBitsOfTheLayerByLayerSum) {
  std::mt19937 random(5);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int trial = 0; trial < 200; ++trial) {
    std::unique_ptr<ProblemData> problem = DefaultProblem();
    const int NL = 1 + trial % MaxLayers;
    std::vector<double> depths{unit(random)};
    for (int j = 0; j < NL; ++j) {
      const double h = trial % 7 == 0 ? unit(random) - 0.2 : (j % 5 == 2 ? 0.0 : unit(random));
      depths.push_back(depths.back() + std::round(h * 8) / 4);
    }
    SetBoundaries(*problem, depths);
    for (int j = 0; j < NL; ++j) {
      const double Zw = std::round(unit(random) * depths.back() * 4) / 4;
      SetLayerEverywhere(
          *problem, j,
          Soil(18 * unit(random), 20, Zw, unit(random), 10 * unit(random), 0, 0.3, 3, 0.5, 0.02));
    }
    StressColumn column(*problem, Side::Left, 1);
    std::vector<double> depthsAsked = depths;
    for (int i = 0; i < 60; ++i) depthsAsked.push_back((unit(random) * 1.2 - 0.1) * depths.back());
    if (trial % 2) std::sort(depthsAsked.begin(), depthsAsked.end());
    for (double z : depthsAsked) {
      const VerticalStressResult sum = VerticalStress(*problem, Side::Left, 1, z);
      const VerticalStressResult kept = column.At(z);
      ASSERT_EQ(std::memcmp(&sum.sigma, &kept.sigma, sizeof(double)), 0) << trial << " " << z;
      ASSERT_EQ(std::memcmp(&sum.u, &kept.u, sizeof(double)), 0) << trial << " " << z;
      ASSERT_EQ(sum.layer, kept.layer) << trial << " " << z;
    }
  }
}

TEST_F(VerticalStressTest, DrySoilAboveThePhreaticLevel) {
  const VerticalStressResult v = VerticalStress(*problem, Side::Left, 0, 2.0);
  EXPECT_EQ(v.sigma, 32.0);
  EXPECT_EQ(v.u, 0.0);
  EXPECT_EQ(v.layer, 0);
  const HorizontalStresses h = HorizontalStressesAt(*problem, Side::Left, 0, 2.0);
  EXPECT_DOUBLE_EQ(h.Sa, 10.6656);
  EXPECT_EQ(h.Sp, 96.0);
  EXPECT_EQ(h.Sn, 16.0);
  EXPECT_DOUBLE_EQ(h.ks, (96.0 - 10.6656) / 0.02);
}

TEST_F(VerticalStressTest, LayersAboveAddTheirWholeWeight) {
  const VerticalStressResult v = VerticalStress(*problem, Side::Left, 0, 6.0);
  EXPECT_EQ(v.sigma, 4.0 * 16 + 2.0 * 18);
  EXPECT_EQ(v.layer, 1);
}

TEST_F(VerticalStressTest, PorePressureAndCapillaryZone) {
  problem->Layer(0, 0, Side::Left).Zw = 2.0;
  problem->Layer(0, 0, Side::Left).Cap = 0.5;
  EXPECT_EQ(VerticalStress(*problem, Side::Left, 0, 3.0).u, 10.0);
  EXPECT_NEAR(VerticalStress(*problem, Side::Left, 0, 1.6).u, -4.0, 1e-12);
  EXPECT_EQ(VerticalStress(*problem, Side::Left, 0, 1.4).u, 0.0);
  // Saturated below 1.5 m, dry above.
  EXPECT_DOUBLE_EQ(VerticalStress(*problem, Side::Left, 0, 3.0).sigma, 1.5 * 16 + 1.5 * 20);
  // The right side keeps its own water.
  EXPECT_EQ(VerticalStress(*problem, Side::Right, 0, 3.0).u, 0.0);
}

TEST_F(VerticalStressTest, SurchargeActsFromTheTopOfItsLayerDown) {
  problem->Layer(1, 0, Side::Left).q = 20.0;
  EXPECT_EQ(VerticalStress(*problem, Side::Left, 0, 3.9).sigma, 3.9 * 16);
  EXPECT_EQ(VerticalStress(*problem, Side::Left, 0, 4.0).sigma, 4.0 * 16 + 20.0);
  EXPECT_EQ(VerticalStress(*problem, Side::Left, 0, 5.0).sigma, 4.0 * 16 + 20.0 + 18.0);
}

TEST_F(VerticalStressTest, OnABoundaryTheLowerLayerApplies) {
  problem->Layer(0, 0, Side::Left).Zw = 0.0;  // upper layer under water
  const VerticalStressResult v = VerticalStress(*problem, Side::Left, 0, 4.0);
  EXPECT_EQ(v.layer, 1);
  EXPECT_EQ(v.u, 0.0);  // the lower layer's dry water table stands
  EXPECT_EQ(VerticalStress(*problem, Side::Left, 0, 8.0).layer, 1);
  EXPECT_EQ(VerticalStress(*problem, Side::Left, 0, 9.0).layer, 1);
}

TEST_F(VerticalStressTest, SubmergedSoilWithCohesionHasNoEffectiveStress) {
  SetLayerEverywhere(*problem, 0, Soil(10, 10, 0, 0, 0, 50, 1, 1, 1, 1));
  const HorizontalStresses h = HorizontalStressesAt(*problem, Side::Left, 0, 2.5);
  EXPECT_EQ(h.Sa, 0.0);
  EXPECT_EQ(h.Sn, 0.0);
  EXPECT_EQ(h.Sp, 100.0);
  EXPECT_EQ(h.ks, 100.0);
  EXPECT_EQ(h.u, 25.0);
}

TEST_F(VerticalStressTest, NegativeCoefficientsDropTheCohesionTerm) {
  SetLayerEverywhere(*problem, 0, Soil(16, 20, 100, 0, 0, 10, -0.5, -1.0, 0.5, 0.02));
  const HorizontalStresses h = HorizontalStressesAt(*problem, Side::Left, 0, 2.0);
  EXPECT_EQ(h.Sp, -32.0);
  EXPECT_EQ(h.Sa, 0.0);
}

// One element of 1 m between nodes at 1 and 2 m, in a 4 m single layer.
class SpringTest : public ::testing::Test {
 protected:
  void SetUp() override {
    problem = DefaultProblem();
    SetBoundaries(*problem, {0.0, 4.0});
    problem->General.NN = 4;
    SetLayerEverywhere(*problem, 0, Soil(16, 20, 100, 0, 0, 0, 0.3333, 3.0, 0.5, 0.02));
    engine = std::make_unique<EngineState>();
    PlaceNodes(*problem, *engine);
  }
  void SetDisplacement(double w) {
    engine->Nodes.w[1] = w;
    engine->Nodes.w[2] = w;
  }
  void Evaluate() {
    ClearFloatingPointFlags();
    engine->StateChanges = 0;
    engine->PlasticSprings = 0;
    EvaluateSprings(*problem, *engine, 1, 0);
  }
  std::unique_ptr<ProblemData> problem;
  std::unique_ptr<EngineState> engine;
};

TEST_F(SpringTest, EqualSidesAtRestAreElasticWithoutNetForce) {
  SetDisplacement(0.004);
  engine->wl[1] = 0.004;
  engine->wr[1] = 0.004;
  Evaluate();
  const HorizontalStresses h = HorizontalStressesAt(*problem, Side::Left, 0, 1.5);
  EXPECT_EQ(engine->LeftState[1], SpringState::Elastic);
  EXPECT_EQ(engine->RightState[1], SpringState::Elastic);
  EXPECT_DOUBLE_EQ(engine->ke[1], 2.0 * h.ks * 1.0);
  EXPECT_NEAR(engine->fe[1] - engine->ke[1] * 0.004, 0.0, 1e-9);
  EXPECT_EQ(engine->StateChanges, 0);
}

TEST_F(SpringTest, MovingAwayMakesTheSideActiveAndTowardsPassive) {
  SetDisplacement(0.05);  // far to the right: left soil active, right soil passive
  Evaluate();
  const HorizontalStresses h = HorizontalStressesAt(*problem, Side::Left, 0, 1.5);
  EXPECT_EQ(engine->LeftState[1], SpringState::Active);
  EXPECT_EQ(engine->RightState[1], SpringState::Passive);
  EXPECT_EQ(engine->PlasticSprings, 2);
  EXPECT_EQ(engine->StateChanges, 2);
  EXPECT_EQ(engine->ke[1], 0.0);
  EXPECT_DOUBLE_EQ(engine->fe[1], h.Sa - h.Sp);
  Evaluate();
  EXPECT_EQ(engine->StateChanges, 0);  // unchanged states are not counted again
  EXPECT_EQ(engine->PlasticSprings, 2);
}

// With Sn = Sa = 0 and k_s = 1 the stress of the left spring is just wl - w.
TEST_F(SpringTest, ToleranceBandBelowTheActiveStress) {
  SetLayerEverywhere(*problem, 0, Soil(10, 10, 0, 0, 0, 0.5, 1, 1, 0, 1));
  SetDisplacement(0.0);
  engine->wl[1] = -0.0005;
  Evaluate();
  EXPECT_EQ(engine->LeftState[1], SpringState::Elastic);
  engine->wl[1] = -0.001;
  Evaluate();
  EXPECT_EQ(engine->LeftState[1], SpringState::Active);
  EXPECT_EQ(engine->PlasticSprings, 1);
}

TEST_F(SpringTest, WaterPropertiesGiveNoStiffnessAndNeverCountAsPlastic) {
  SetLayerEverywhere(*problem, 0, Soil(0, 10, 0, 0, 0, 0, 1, 1, 1, 1));
  SetDisplacement(0.3);
  Evaluate();
  EXPECT_EQ(engine->ke[1], 0.0);
  EXPECT_EQ(engine->PlasticSprings, 0);
  EXPECT_EQ(engine->LeftState[1], SpringState::Elastic);
  // The water pressures of both sides cancel.
  EXPECT_NEAR(engine->fe[1], 0.0, 1e-12);
  UpdateSoilPlastic(*problem, *engine, 1, 0);
  EXPECT_EQ(engine->wl[1], 0.3);  // reset only because Wd is 0
}

TEST_F(SpringTest, PlasticUpdateShiftsTheBranchToTheConvergedDisplacement) {
  SetDisplacement(0.05);
  Evaluate();
  ASSERT_EQ(engine->LeftState[1], SpringState::Active);
  UpdateSoilPlastic(*problem, *engine, 1, 0);
  const HorizontalStresses h = HorizontalStressesAt(*problem, Side::Left, 0, 1.5);
  EXPECT_DOUBLE_EQ(engine->wl[1], 0.05 + (h.Sa - h.Sn) / h.ks);
  EXPECT_DOUBLE_EQ(engine->wr[1], 0.05 - (h.Sp - h.Sn) / h.ks);
  // At the same displacement both springs sit at the end of their branch.
  Evaluate();
  EXPECT_EQ(engine->LeftState[1], SpringState::Elastic);
  EXPECT_EQ(engine->RightState[1], SpringState::Elastic);
  EXPECT_EQ(engine->StateChanges, 2);
  EXPECT_NEAR(engine->fe[1] - engine->ke[1] * 0.05, h.Sa - h.Sp, 1e-9);
}

TEST_F(SpringTest, PlasticUpdateLeavesSpringsInsideTheirRange) {
  SetDisplacement(0.0005);
  UpdateSoilPlastic(*problem, *engine, 1, 0);
  EXPECT_EQ(engine->wl[1], 0.0);
  EXPECT_EQ(engine->wr[1], 0.0);
}

TEST_F(SpringTest, ExcavatedLayerBecomesNeutralAtTheWall) {
  problem->Layer(0, 1, Side::Right) = ExcavatedLayer(problem->Layer(0, 1, Side::Right));
  SetDisplacement(0.0005);
  UpdateSoilPlastic(*problem, *engine, 1, 1);
  EXPECT_EQ(engine->wl[1], 0.0);
  EXPECT_EQ(engine->wr[1], 0.0005);
}

TEST_F(SpringTest, ZeroStrokeIsAFault) {
  problem->Layer(0, 0, Side::Right).Dw = 0.0;
  try {
    Evaluate();
    FAIL() << "no fault";
  } catch (const FloatingPointFaultError& fault) {
    EXPECT_EQ(fault.Fault(), ComputationFault::DivisionByZero);
  }
  SetLayerEverywhere(*problem, 0, Soil(0, 10, 0, 0, 0, 0, 1, 1, 1, 0));
  try {
    Evaluate();
    FAIL() << "no fault";
  } catch (const FloatingPointFaultError& fault) {
    EXPECT_EQ(fault.Fault(), ComputationFault::InvalidOperation);
  }
}

}  // namespace
}  // namespace korvanu

namespace korvanu {
namespace {

// The driver's evaluation of all elements keeps the step's midpoint stresses;
// it must give exactly what evaluating each element afresh gives.
TEST(AllSpringsTest, KeptStressesGiveTheSameSprings) {
  auto problem = test::DefaultProblem();
  test::SetBoundaries(*problem, {0.0, 1.0, 2.5, 6.0});
  problem->General.NN = 40;
  test::SetLayerEverywhere(*problem, 0, test::Soil(16, 20, 1.5, 0.3, 5, 3, 0.3, 3.5, 0.5, 0.02));
  test::SetLayerEverywhere(*problem, 1, test::Soil(18, 21, 1.5, 0, 0, 0, 0.25, 4, 0.45, 0.03));
  test::SetLayerEverywhere(*problem, 2, test::Soil(19, 21, 1.5, 0, 0, 10, 0.3, 3, 0.5, 0.01));
  problem->Layer(0, 1, Side::Left) = ExcavatedLayer(problem->Layer(0, 1, Side::Left));
  auto fresh = std::make_unique<EngineState>();
  PlaceNodes(*problem, *fresh);
  for (int i = 0; i <= 40; ++i) fresh->Nodes.w[i] = 0.01 * std::cos(i * 0.3);
  auto kept = std::make_unique<EngineState>(*fresh);

  for (int step : {0, 1, 1, 0}) {
    for (int pass = 0; pass < 2; ++pass) {
      for (int e = 0; e < 40; ++e) EvaluateSprings(*problem, *fresh, e, step);
      EvaluateAllSprings(*problem, *kept, step);
      EXPECT_EQ(kept->StressStep, step);
      for (int e = 0; e < 40; ++e) {
        ASSERT_EQ(kept->ke[e], fresh->ke[e]) << "step " << step << " element " << e;
        ASSERT_EQ(kept->fe[e], fresh->fe[e]) << "step " << step << " element " << e;
        ASSERT_EQ(kept->LeftState[e], fresh->LeftState[e]);
        ASSERT_EQ(kept->RightState[e], fresh->RightState[e]);
      }
      for (int i = 0; i <= 40; ++i) {
        fresh->Nodes.w[i] *= -1.7;
        kept->Nodes.w[i] *= -1.7;
      }
    }
    for (int e = 0; e < 40; ++e) UpdateSoilPlastic(*problem, *fresh, e, step);
    UpdateAllSoilPlastic(*problem, *kept, step);
    for (int e = 0; e < 40; ++e) {
      ASSERT_EQ(kept->wl[e], fresh->wl[e]);
      ASSERT_EQ(kept->wr[e], fresh->wr[e]);
    }
  }
}

}  // namespace
}  // namespace korvanu

namespace korvanu {
namespace {

// The stroke from k_h takes the effective stress in the middle of the layer
// in the initial state; later steps (here the left side excavated) do not
// count.
TEST(StrengthCoefficientsTest, StrokeFromTheInitialMidLayerStress) {
  std::unique_ptr<ProblemData> problem = test::DefaultProblem();
  // Layer 3 of the default problem, 2 to 3 m, water from 1 m: 16 + 20 + 10
  // total, 15 pore pressure.
  EXPECT_DOUBLE_EQ(InitialMidLayerStress(*problem, 2, Side::Left), 31.0);
  SoilStrength s;
  s.Phi = 30;
  s.Method = EarthPressureMethod::Rankine;
  s.Kh = 10000;
  const EarthPressureCoefficients k = LayerCoefficients(*problem, 2, Side::Left, s);
  EXPECT_NEAR(*k.Dw, (3.0 - 1.0 / 3.0) * 31.0 / 10000, 1e-15);
}

// A thickness or weight typed above a layer moves its initial stress: the
// stroke derived from its k_h follows as "K from φ'" would store it; where
// k_h would now give less than the table holds, the k_h goes and Dw stays.
TEST(StrengthCoefficientsTest, StrokesFollowTheInitialStressOfTheirLayer) {
  std::unique_ptr<ProblemData> problem = test::DefaultProblem();
  problem->General.NT = 2;
  ViewState view;
  SoilStrength s;
  s.Phi = 30;
  s.Method = EarthPressureMethod::Rankine;
  s.Kh = 10000;
  ApplyCoefficients(*problem, view, 2, s, LayerCoefficients(*problem, 2, Side::Left, s));
  EXPECT_TRUE(FollowStrokes(*problem).Derived.empty());

  ASSERT_TRUE(CommitSoilCell(*problem, view, SoilColumn::H, 0, "2").Accepted);
  const double stress = InitialMidLayerStress(*problem, 2, Side::Left);
  EXPECT_GT(stress, 31.0);
  const StrokeFollowUp moved = FollowStrokes(*problem);
  EXPECT_EQ(moved.Derived.size(), 6u);  // steps 0..2, both sides
  EXPECT_TRUE(moved.KhDropped.empty());
  for (const Side side : {Side::Left, Side::Right})
    EXPECT_EQ(problem->Layer(2, 2, side).Dw,
              ReadReal(Format("%10.3f", (3.0 - 1.0 / 3.0) * stress / 10000)));
  EXPECT_EQ(SoilEditNote({}, 0, moved),
            "Dw derived again from k_h: layer 3 (both sides, steps 0-2). Ctrl+Z undoes it.");

  // Nearly weightless soil above the middle of layer 3, in the initial state.
  for (int j = 0; j <= 2; ++j)
    for (const Side side : {Side::Left, Side::Right}) {
      problem->Layer(j, 0, side).Wd = 0.001;
      problem->Layer(j, 0, side).Ws = 10.001;
    }
  const double dw = problem->Layer(2, 1, Side::Left).Dw;
  const StrokeFollowUp dropped = FollowStrokes(*problem);
  EXPECT_TRUE(dropped.Derived.empty());
  EXPECT_EQ(dropped.KhDropped.size(), 6u);
  EXPECT_EQ(problem->Layer(2, 1, Side::Left).Dw, dw);
  EXPECT_FALSE(problem->Strength(2, 1, Side::Right)->Kh.has_value());
  EXPECT_EQ(problem->Strength(2, 1, Side::Right)->Phi, 30.0);
  EXPECT_TRUE(FollowStrokes(*problem).KhDropped.empty());
}

}  // namespace
}  // namespace korvanu
