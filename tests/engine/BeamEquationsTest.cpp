// Node placement, the assembled equations, the block elimination checked
// against a dense solve, the shear forces and the stiffness check.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "engine/AnchorLaw.h"
#include "engine/BeamEquations.h"
#include "engine/FloatingPointFault.h"
#include "engine/SoilLaw.h"
#include "tests/engine/EngineTestSupport.h"

namespace korvanu {
namespace {

using test::SetBoundaries;
using test::SetLayerEverywhere;
using test::Soil;

class BeamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearFloatingPointFlags();
    problem = test::DefaultProblem();
    test::ClearAnchors(*problem);
    engine = std::make_unique<EngineState>();
  }
  // Evaluates every spring and anchor of the step at the current W.
  void Linearise(int step) {
    EvaluateAnchors(*problem, *engine, step);
    for (int e = 0; e < problem->General.NN; ++e) EvaluateSprings(*problem, *engine, e, step);
  }
  void SolveAndCopy(int step) {
    AssembleSystem(*problem, *engine, step);
    SolveSystem(*problem, *engine);
    for (int i = 0; i <= problem->General.NN; ++i) {
      engine->Nodes.M[i] = engine->Rows[i].rhs[0];
      engine->Nodes.w[i] = engine->Rows[i].rhs[1];
    }
  }
  std::unique_ptr<ProblemData> problem;
  std::unique_ptr<EngineState> engine;
};

TEST_F(BeamTest, NodesOnEveryBoundaryWithTheUpperNodeWinningATie) {
  SetBoundaries(*problem, {0.0, 2.5, 8.0});
  problem->General.NN = 8;
  PlaceNodes(*problem, *engine);
  const auto& z = engine->Nodes.z;
  EXPECT_EQ(engine->PointNode[0], 0);
  EXPECT_EQ(engine->PointNode[1], 2);
  EXPECT_EQ(engine->PointNode[2], 8);
  EXPECT_EQ(z[1], 1.25);
  EXPECT_EQ(z[2], 2.5);
  for (int k = 3; k <= 8; ++k) EXPECT_NEAR(z[k] - z[k - 1], 5.5 / 6.0, 1e-12);
  EXPECT_NEAR(z[8], 8.0, 1e-12);
}

TEST_F(BeamTest, SingleLayerKeepsTheUniformGrid) {
  SetBoundaries(*problem, {0.0, 10.0});
  problem->General.NN = 200;
  PlaceNodes(*problem, *engine);
  EXPECT_EQ(engine->PointNode[1], 200);
  EXPECT_EQ(engine->Nodes.z[1], 0.05);
  EXPECT_NEAR(engine->Nodes.z[200], 10.0, 1e-12);
}

TEST_F(BeamTest, MoreBoundariesThanNodesIsAFault) {
  SetBoundaries(*problem, {0.0, 1.0, 2.0, 3.0});
  problem->General.NN = 2;
  try {
    PlaceNodes(*problem, *engine);
    FAIL() << "no fault";
  } catch (const FloatingPointFaultError& fault) {
    EXPECT_EQ(fault.Fault(), ComputationFault::DivisionByZero);
  }
}

TEST_F(BeamTest, InnerRowCoefficients) {
  SetBoundaries(*problem, {0.0, 4.0});
  problem->General.NN = 4;
  problem->Catalogue[0].EI = 2.0;
  problem->Axial[1] = AxialRecord{8.0, 0.0, 0.0};
  PlaceNodes(*problem, *engine);
  engine->ke = {};
  engine->fe = {};
  engine->ke[1] = 4.0;
  engine->ke[2] = 8.0;
  engine->fe[1] = 2.0;
  engine->fe[2] = 6.0;
  AssembleSystem(*problem, *engine, 1);
  const BlockRow& row = engine->Rows[2];
  EXPECT_EQ(row.count, 2);
  EXPECT_EQ(row.columns[1], 1);
  EXPECT_EQ(row.columns[2], 3);
  const double N = 4.0;  // halfway between 8 and 0
  EXPECT_EQ(row.blocks[0][0][0], -2.0);
  EXPECT_EQ(row.blocks[0][0][1], -2.0 * N - 0.25 * 12.0);
  EXPECT_EQ(row.blocks[1][0][1], N - 1.0);
  EXPECT_EQ(row.blocks[2][0][1], N - 2.0);
  EXPECT_EQ(row.rhs[0], -4.0);
  EXPECT_EQ(row.blocks[0][1][0], 2.0 / 8.0);
  EXPECT_EQ(row.blocks[1][1][0], 1.0 / 8.0);
  EXPECT_EQ(row.blocks[0][1][1], -2.0);
  EXPECT_EQ(engine->Rows[0].rhs[0], -0.0);
  EXPECT_EQ(engine->Rows[4].count, 1);
  EXPECT_EQ(engine->Rows[4].columns[1], 3);
}

// A soil-supported wall with anchors, forces and axial load; the block
// elimination must agree with a dense Gaussian elimination of the same rows.
TEST_F(BeamTest, BlockEliminationAgreesWithADenseSolve) {
  SetBoundaries(*problem, {0.0, 1.5, 4.0, 7.0});
  problem->General.NN = 30;
  SetLayerEverywhere(*problem, 0, Soil(16, 20, 2, 0.5, 10, 5, 0.3, 3.0, 0.5, 0.02));
  SetLayerEverywhere(*problem, 1, Soil(17, 20, 2, 0, 0, 0, 0.3, 3.0, 0.5, 0.02));
  SetLayerEverywhere(*problem, 2, Soil(18, 21, 2, 0, 0, 0, 0.3, 3.0, 0.5, 0.03));
  problem->Anchors[1][1] = AnchorRecord{5, 80, -0.01};
  problem->Anchors[1][0] = AnchorRecord{-12, 0, 1};
  problem->Anchors[1][3] = AnchorRecord{3, 0, 1};
  problem->Axial[1] = AxialRecord{-40, -90, 7};
  PlaceNodes(*problem, *engine);
  for (int i = 0; i <= 30; ++i) engine->Nodes.w[i] = 0.002 * std::sin(i * 0.4);
  Linearise(1);
  AssembleSystem(*problem, *engine, 1);

  const int n = 2 * 31;
  std::vector<std::vector<long double>> A(n, std::vector<long double>(n + 1, 0.0L));
  for (int r = 0; r <= 30; ++r) {
    const BlockRow& row = engine->Rows[r];
    for (int pos = 0; pos <= row.count; ++pos) {
      for (int e = 0; e < 2; ++e) {
        for (int v = 0; v < 2; ++v) A[2 * r + e][2 * row.columns[pos] + v] = row.blocks[pos][e][v];
      }
    }
    A[2 * r][n] = row.rhs[0];
    A[2 * r + 1][n] = row.rhs[1];
  }
  for (int k = 0; k < n; ++k) {
    int pivot = k;
    for (int i = k + 1; i < n; ++i) {
      if (std::fabs(A[i][k]) > std::fabs(A[pivot][k])) pivot = i;
    }
    std::swap(A[k], A[pivot]);
    for (int i = 0; i < n; ++i) {
      if (i == k) continue;
      const long double f = A[i][k] / A[k][k];
      for (int j = k; j <= n; ++j) A[i][j] -= f * A[k][j];
    }
  }

  SolveSystem(*problem, *engine);
  double largestW = 0.0;
  double largestM = 0.0;
  for (int r = 0; r <= 30; ++r) {
    largestM = std::max(largestM, std::fabs(engine->Rows[r].rhs[0]));
    largestW = std::max(largestW, std::fabs(engine->Rows[r].rhs[1]));
  }
  ASSERT_GT(largestW, 1e-4);
  for (int r = 0; r <= 30; ++r) {
    EXPECT_NEAR(engine->Rows[r].rhs[0], static_cast<double>(A[2 * r][n] / A[2 * r][2 * r]),
                1e-9 * largestM)
        << "M at node " << r;
    EXPECT_NEAR(engine->Rows[r].rhs[1],
                static_cast<double>(A[2 * r + 1][n] / A[2 * r + 1][2 * r + 1]), 1e-9 * largestW)
        << "W at node " << r;
  }
  // After the elimination every row keeps only its coupling to the node above.
  EXPECT_EQ(engine->Rows[0].count, 0);
  for (int r = 1; r <= 30; ++r) {
    EXPECT_EQ(engine->Rows[r].count, 1);
    EXPECT_EQ(engine->Rows[r].columns[1], r - 1);
  }
  EXPECT_EQ(engine->Rows[0].rhs[0], -7.0);  // M[0] = -MA
  EXPECT_EQ(engine->Rows[30].rhs[0], 0.0);  // M[NN] = 0
}

// A wall in submerged cohesive soil, loaded at the top and at the toe:
// equilibrium closes the shear force at the toe.
TEST_F(BeamTest, ShearForcesStartAtZeroAndCloseAtTheToe) {
  SetBoundaries(*problem, {0.0, 5.0, 10.0});
  problem->General.NN = 100;
  problem->Catalogue[0].EI = 25.0;
  SetLayerEverywhere(*problem, 0, Soil(10, 10, 0, 0, 0, 50, 1, 1, 1, 1));
  SetLayerEverywhere(*problem, 1, Soil(10, 10, 0, 0, 0, 50, 1, 1, 1, 1));
  problem->Anchors[1][0] = AnchorRecord{10, 0, 1};
  problem->Anchors[1][1] = AnchorRecord{-2, 30, 0.01};
  problem->Anchors[1][2] = AnchorRecord{4, 0, 1};
  PlaceNodes(*problem, *engine);
  Linearise(1);
  for (int pass = 0; pass < 25; ++pass) {
    SolveAndCopy(1);
    engine->StateChanges = 0;
    Linearise(1);
    if (engine->StateChanges == 0) break;
  }
  ASSERT_EQ(engine->StateChanges, 0);
  ComputeShear(*problem, *engine);
  const auto& Qm = engine->Nodes.Qminus;
  const auto& Qp = engine->Nodes.Qplus;
  EXPECT_EQ(Qm[0], 0.0);
  EXPECT_EQ(Qp[0], 10.0);
  EXPECT_EQ(engine->F[100], 4.0);
  EXPECT_EQ(engine->F[50], AnchorForceAt(*problem, *engine, 1, 1) - 2.0);
  EXPECT_EQ(engine->Nodes.M[100], 0.0);
  EXPECT_NEAR(Qp[100], 0.0, 1e-9);
  for (int i = 1; i <= 100; ++i) EXPECT_EQ(Qp[i] - Qm[i], engine->F[i]);
}

TEST_F(BeamTest, ToePlasticOnBothSidesIsAZeroPivot) {
  SetBoundaries(*problem, {0.0, 4.0});
  problem->General.NN = 4;
  PlaceNodes(*problem, *engine);
  engine->ke = {};
  engine->fe = {};
  for (int e = 0; e < 3; ++e) engine->ke[e] = 100.0;
  AssembleSystem(*problem, *engine, 1);
  try {
    SolveSystem(*problem, *engine);
    FAIL() << "no fault";
  } catch (const FloatingPointFaultError& fault) {
    EXPECT_EQ(fault.Fault(), ComputationFault::DivisionByZero);
  }
  // An axial force at the toe keeps the pivot away from zero.
  problem->Axial[1].NB = -5.0;
  AssembleSystem(*problem, *engine, 1);
  EXPECT_NO_THROW(SolveSystem(*problem, *engine));
}

TEST_F(BeamTest, StiffnessCheck) {
  SetBoundaries(*problem, {0.0, 4.0});
  problem->General.NN = 4;
  problem->Catalogue[0].EI = 25.0;
  PlaceNodes(*problem, *engine);
  engine->ke = {};
  EXPECT_FALSE(CheckStiffness(*problem, *engine));    // no soil stiffness
  for (int e = 0; e < 4; ++e) engine->ke[e] = 100.0;  // lambda * L = 1 exactly
  EXPECT_TRUE(CheckStiffness(*problem, *engine));
  engine->ke[2] = 99.0;
  EXPECT_FALSE(CheckStiffness(*problem, *engine));
}

TEST_F(BeamTest, WallStiffnessFromTheChosenProfile) {
  problem->General.NP = 11;
  EXPECT_EQ(WallStiffness(*problem), 112778.4);
  problem->General.NP = 21;
  EXPECT_EQ(WallStiffness(*problem), 0.0);
}

}  // namespace
}  // namespace korvanu
