// The anchor law with its tolerances, the shift of an anchor's zero-force
// position after a converged step, and the axial force along the wall.
#include <gtest/gtest.h>

#include <memory>

#include "engine/AnchorLaw.h"
#include "engine/FloatingPointFault.h"
#include "tests/engine/EngineTestSupport.h"

namespace korvanu {
namespace {

// Point 0 at node 0 carries the anchor under test; step 1 is used.
class AnchorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearFloatingPointFlags();
    problem = test::DefaultProblem();
    test::ClearAnchors(*problem);
    problem->General.NL = 1;
    engine = std::make_unique<EngineState>();
    engine->PointNode[0] = 0;
    engine->PointNode[1] = 4;
  }
  void Give(double Fx, double Fa, double Fw) { problem->Anchors[1][0] = AnchorRecord{Fx, Fa, Fw}; }
  // Lateral force at point 0 for displacement W after an evaluation.
  double ForceAt(double W) {
    engine->Nodes.w[0] = W;
    engine->StateChanges = 0;
    EvaluateAnchors(*problem, *engine, 1);
    return engine->fa[0] - engine->ka[0] * W;
  }
  std::unique_ptr<ProblemData> problem;
  std::unique_ptr<EngineState> engine;
};

TEST_F(AnchorTest, LeftAnchorElasticPlasticAndSlack) {
  Give(0, 50, 0.02);
  EXPECT_DOUBLE_EQ(ForceAt(0.01), -25.0);
  EXPECT_EQ(engine->Anchor[0], AnchorState::Elastic);
  EXPECT_EQ(engine->ka[0], 2500.0);
  EXPECT_EQ(engine->StateChanges, 0);
  EXPECT_EQ(ForceAt(0.03), -50.0);
  EXPECT_EQ(engine->Anchor[0], AnchorState::Plastic);
  EXPECT_EQ(engine->StateChanges, 1);
  EXPECT_EQ(ForceAt(-0.01), 0.0);
  EXPECT_EQ(engine->Anchor[0], AnchorState::Slack);
  EXPECT_EQ(engine->StateChanges, 1);
}

TEST_F(AnchorTest, ToleranceOnTheElasticSide) {
  Give(0, 50, 0.02);
  engine->wp[0] = 0.001;
  ForceAt(0.001 + 0.020005);
  EXPECT_EQ(engine->Anchor[0], AnchorState::Elastic);
  ForceAt(0.001 + 0.02002);
  EXPECT_EQ(engine->Anchor[0], AnchorState::Plastic);
  ForceAt(0.001 - 0.000005);
  EXPECT_EQ(engine->Anchor[0], AnchorState::Elastic);
  ForceAt(0.001 - 0.00002);
  EXPECT_EQ(engine->Anchor[0], AnchorState::Slack);
}

TEST_F(AnchorTest, ElasticForceCountsFromThePlasticDisplacement) {
  Give(5, 50, 0.02);
  engine->wp[0] = 0.01;
  EXPECT_NEAR(ForceAt(0.02), 5.0 - 25.0, 1e-12);
}

TEST_F(AnchorTest, RightAnchorMirrorsTheLeftOne) {
  Give(0, 50, -0.02);
  EXPECT_DOUBLE_EQ(ForceAt(-0.01), 25.0);
  EXPECT_EQ(engine->Anchor[0], AnchorState::Elastic);
  EXPECT_EQ(ForceAt(-0.03), 50.0);
  EXPECT_EQ(engine->Anchor[0], AnchorState::Plastic);
  EXPECT_EQ(ForceAt(0.01), 0.0);
  EXPECT_EQ(engine->Anchor[0], AnchorState::Slack);
}

TEST_F(AnchorTest, NegativeForceActsAsItsMagnitudeAndIsStoredSo) {
  Give(0, -40, 0.02);
  EXPECT_EQ(ForceAt(0.03), -40.0);
  EXPECT_EQ(problem->Anchors[1][0].Fa, 40.0);
}

TEST_F(AnchorTest, ForceBelowTheToleranceIsNoAnchor) {
  Give(7, 0.0005, 0.02);
  engine->Anchor[0] = AnchorState::Plastic;
  EXPECT_EQ(ForceAt(0.03), 7.0);
  EXPECT_EQ(engine->ka[0], 0.0);
  EXPECT_EQ(engine->Anchor[0], AnchorState::Plastic);  // state kept
  EXPECT_EQ(engine->StateChanges, 0);
  UpdateAnchorPlastic(*problem, *engine, 1);
  EXPECT_EQ(engine->wp[0], 0.03);
}

TEST_F(AnchorTest, PlasticUpdate) {
  Give(0, 50, 0.02);
  engine->Nodes.w[0] = 0.03;
  UpdateAnchorPlastic(*problem, *engine, 1);
  EXPECT_DOUBLE_EQ(engine->wp[0], 0.01);
  engine->wp[0] = 0.0;
  engine->Nodes.w[0] = -0.01;
  UpdateAnchorPlastic(*problem, *engine, 1);
  EXPECT_EQ(engine->wp[0], -0.01);
  engine->wp[0] = 0.0;
  engine->Nodes.w[0] = 0.01;  // elastic: unchanged
  UpdateAnchorPlastic(*problem, *engine, 1);
  EXPECT_EQ(engine->wp[0], 0.0);
}

TEST_F(AnchorTest, ZeroStrokeIsVeryStiffUntilThePlasticUpdateFaults) {
  Give(0, 50, 0.0);
  ForceAt(0.000005);
  EXPECT_EQ(engine->Anchor[0], AnchorState::Elastic);
  EXPECT_DOUBLE_EQ(engine->ka[0], 50000000.0);
  try {
    UpdateAnchorPlastic(*problem, *engine, 1);
    FAIL() << "no fault";
  } catch (const FloatingPointFaultError& fault) {
    EXPECT_EQ(fault.Fault(), ComputationFault::DivisionByZero);
  }
}

TEST_F(AnchorTest, ActingAnchorAndItsShareOfTheForce) {
  Give(3, 50, 0.02);
  ForceAt(0.01);
  EXPECT_TRUE(AnchorActs(*problem, *engine, 1, 0));
  EXPECT_DOUBLE_EQ(AnchorForceAt(*problem, *engine, 1, 0), -25.0);
  ForceAt(-0.01);
  EXPECT_FALSE(AnchorActs(*problem, *engine, 1, 0));
  EXPECT_FALSE(AnchorActs(*problem, *engine, 1, 1));
}

TEST(AxialForceTest, LinearBetweenTopAndToe) {
  auto problem = test::DefaultProblem();
  auto engine = std::make_unique<EngineState>();
  problem->General.NN = 4;
  for (int i = 0; i <= 4; ++i) engine->Nodes.z[i] = i;
  problem->Axial[2] = AxialRecord{100, 0, 0};
  EXPECT_EQ(AxialForceAt(*problem, *engine, 2, 2), 50.0);
  EXPECT_EQ(AxialForceAt(*problem, *engine, 0, 2), 100.0);
  EXPECT_EQ(AxialForceAt(*problem, *engine, 4, 2), 0.0);
}

}  // namespace
}  // namespace korvanu
