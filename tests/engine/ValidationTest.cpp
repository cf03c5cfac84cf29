// The validation problems against closed forms and the manual's figures.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "engine/AnchorLaw.h"
#include "engine/RunComputation.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/engine/ValidationProblems.h"

namespace korvanu {
namespace {

using ValidationTest = test::EngineRun;

// Semi-infinite beam on springs with a force F at its end: with L = 1 m,
// w = (F L^3 / 2EI) e^(-x/L) cos(x/L) and, as d2w/dz2 = -M/EI,
// M = -F L e^(-x/L) sin(x/L).
TEST_F(ValidationTest, ForceAtTheTopOfABeamOnAnElasticFoundation) {
  auto problem = test::ElasticFoundation(10.0, 0.0);
  ASSERT_EQ(Run(*problem), ComputationFault::None);
  ASSERT_EQ(observer.outcomes.size(), 2u);
  ASSERT_TRUE(observer.outcomes[1].converged);
  EXPECT_TRUE(observer.messages.empty());
  const NodeResults& r = engine->Nodes;
  EXPECT_NEAR(r.w[0], 0.2, 0.002);
  const double largestM = 10.0 * std::exp(-M_PI / 4) * std::sin(M_PI / 4);
  for (int i = 0; i <= 200; ++i) {
    const double x = r.z[i];
    EXPECT_NEAR(r.w[i], 0.2 * std::exp(-x) * std::cos(x), 0.02 * 0.2) << "z = " << x;
    EXPECT_NEAR(r.M[i], -10.0 * std::exp(-x) * std::sin(x), 0.02 * largestM) << "z = " << x;
  }
  EXPECT_NEAR(r.w[20], 0.0397, 0.0002);
  EXPECT_EQ(r.M[0], 0.0);
  EXPECT_NEAR(r.Qplus[200], 0.0, 1e-9);
  EXPECT_EQ(r.Qplus[0], 10.0);
}

TEST_F(ValidationTest, MomentAtTheTopOfABeamOnAnElasticFoundation) {
  auto problem = test::ElasticFoundation(0.0, 10.0);
  ASSERT_EQ(Run(*problem), ComputationFault::None);
  ASSERT_TRUE(observer.outcomes[1].converged);
  const NodeResults& r = engine->Nodes;
  EXPECT_NEAR(r.w[0], 0.2, 0.002);
  EXPECT_EQ(r.M[0], -10.0);
  EXPECT_EQ(r.M[200], 0.0);
  // w = (2 MA / k L^2) e^(-x/L) (cos - sin), M = -MA e^(-x/L) (cos + sin).
  for (int i = 0; i <= 200; ++i) {
    const double x = r.z[i];
    const double decay = std::exp(-x);
    EXPECT_NEAR(r.w[i], 0.2 * decay * (std::cos(x) - std::sin(x)), 0.02 * 0.2) << "z = " << x;
    EXPECT_NEAR(r.M[i], -10.0 * decay * (std::cos(x) + std::sin(x)), 0.02 * 10.0) << "z = " << x;
  }
}

TEST_F(ValidationTest, AnchoredWallAtItsMinimumLength) {
  auto problem = test::AnchoredWall(6.901, Side::Left);
  ASSERT_EQ(Run(*problem), ComputationFault::None);
  ASSERT_TRUE(observer.outcomes[1].converged);
  EXPECT_TRUE(observer.messages.empty());
  ASSERT_TRUE(AnchorActs(*problem, *engine, 1, 1));
  const double force = AnchorForceAt(*problem, *engine, 1, 1);
  EXPECT_GT(force, 40.0);  // the right-hand anchor pulls to the right
  EXPECT_LT(force, 42.5);
  EXPECT_NEAR(engine->Nodes.Qplus[200], 0.0, 1e-9);
  EXPECT_TRUE(std::filesystem::exists("Test3.1"));
}

TEST_F(ValidationTest, AnchoredWallTooShortHasNoEquilibrium) {
  auto problem = test::AnchoredWall(6.898, Side::Left);
  EXPECT_EQ(Run(*problem), ComputationFault::DivisionByZero);
  EXPECT_FALSE(std::filesystem::exists("Test3.1"));
  auto mirrored = test::AnchoredWall(6.898, Side::Right);
  EXPECT_EQ(Run(*mirrored), ComputationFault::DivisionByZero);
}

TEST_F(ValidationTest, MirroredAnchoredWallGivesMirroredResults) {
  auto problem = test::AnchoredWall(6.901, Side::Left);
  ASSERT_EQ(Run(*problem), ComputationFault::None);
  const auto left = std::make_unique<EngineState>(*engine);
  const double force = AnchorForceAt(*problem, *engine, 1, 1);

  auto mirrored = test::AnchoredWall(6.901, Side::Right);
  ASSERT_EQ(Run(*mirrored), ComputationFault::None);
  ASSERT_TRUE(observer.outcomes[1].converged);
  EXPECT_NEAR(AnchorForceAt(*mirrored, *engine, 1, 1), -force, 1e-9);
  double largestW = 0.0;
  double largestM = 0.0;
  for (int i = 0; i <= 200; ++i) {
    largestW = std::max(largestW, std::fabs(left->Nodes.w[i]));
    largestM = std::max(largestM, std::fabs(left->Nodes.M[i]));
  }
  for (int i = 0; i <= 200; ++i) {
    EXPECT_EQ(engine->Nodes.z[i], left->Nodes.z[i]);
    EXPECT_NEAR(engine->Nodes.w[i], -left->Nodes.w[i], 1e-9 * largestW);
    EXPECT_NEAR(engine->Nodes.M[i], -left->Nodes.M[i], 1e-9 * largestM);
  }
  EXPECT_TRUE(std::filesystem::exists("Test4.1"));
}

}  // namespace
}  // namespace korvanu
