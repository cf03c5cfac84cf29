// The statistics of a study against values computed independently, and the
// precision a varied EI is given with.
#include <gtest/gtest.h>

#include "analysis/StudyField.h"
#include "analysis/StudyStatistics.h"
#include "core/DatafileFiles.h"

namespace korvanu {
namespace {

TEST(StudyStatisticsTest, NormalQuantileMatchesTheTable) {
  EXPECT_NEAR(NormalQuantile(0.975), 1.959963985, 1e-9);
  EXPECT_NEAR(NormalQuantile(0.025), -1.959963985, 1e-9);
  EXPECT_EQ(NormalQuantile(0.5), 0.0);
}

TEST(StudyStatisticsTest, TiesShareTheirMeanRank) {
  // The two 7s take rank 3.5 each; ranked first-come they would give 0.8.
  const auto rho = RankCorrelation({1, 2, 3, 4, 5}, {5, 6, 7, 8, 7});
  ASSERT_TRUE(rho.has_value());
  EXPECT_NEAR(*rho, 0.820783, 1e-6);
  const auto reversed = RankCorrelation({1, 2, 3, 4, 5}, {7, 8, 7, 6, 5});
  ASSERT_TRUE(reversed.has_value());
  EXPECT_NEAR(*reversed, -0.820783, 1e-6);
}

TEST(StudyStatisticsTest, WilsonIntervalIsTheNinetyFivePercentOne) {
  const ShareInterval none = WilsonInterval(0, 10);
  EXPECT_NEAR(none.Low, 0.0, 1e-12);
  EXPECT_NEAR(none.High, 0.277533, 1e-6);
  const ShareInterval half = WilsonInterval(5, 10);
  EXPECT_NEAR(half.Low, 0.236593, 1e-6);
  EXPECT_NEAR(half.High, 0.763407, 1e-6);
}

TEST(StudyStatisticsTest, AVariedEiKeepsOneDecimalAsADatafileDoes) {
  ProblemData problem;
  StartUpProblem(problem);
  std::string why;
  const auto ei = StudyField::Parse("profile1.EI", problem, why);
  ASSERT_TRUE(ei.has_value()) << why;
  EXPECT_EQ(ei->Rounded(12345.678), 12345.7);
  const auto kp = StudyField::Parse("layer1.Kp", problem, why);
  ASSERT_TRUE(kp.has_value()) << why;
  EXPECT_EQ(kp->Rounded(3.14159), 3.142);
}

}  // namespace
}  // namespace korvanu
