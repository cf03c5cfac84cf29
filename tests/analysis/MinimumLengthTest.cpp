// The length search as the commands and the studies call it: from several
// threads at once, writing nothing into the current folder; walls that stand
// at every length, that fail at their own, and that fail in bands.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "analysis/MinimumLength.h"
#include "core/DatafileFiles.h"

namespace korvanu {
namespace {

namespace fs = std::filesystem;

TEST(MinimumLengthTest, SearchesRunSideBySideAsTheyRunAlone) {
  std::vector<std::unique_ptr<ProblemData>> problems;
  for (const char* name : {"Test3.krv", "Test4.krv", "Ex2.krv", "Ex4.krv"}) {
    problems.push_back(std::make_unique<ProblemData>());
    StartUpProblem(*problems.back());
    ASSERT_FALSE(LoadDatafile(std::string(KORVANU_EXAMPLES) + "/" + name, *problems.back()));
  }
  std::vector<MinimumLength> alone;
  for (const auto& problem : problems) {
    alone.push_back(FindMinimumLength(*problem, problem->General.NT, 0.001));
  }
  std::vector<MinimumLength> together(problems.size());
  std::vector<std::thread> threads;
  for (std::size_t k = 0; k < problems.size(); ++k) {
    threads.emplace_back(
        [&, k] { together[k] = FindMinimumLength(*problems[k], problems[k]->General.NT, 0.001); });
  }
  for (std::thread& thread : threads) thread.join();

  for (std::size_t k = 0; k < problems.size(); ++k) {
    EXPECT_EQ(alone[k].Result, LengthSearchResult::Found) << k;
    EXPECT_EQ(together[k].Result, alone[k].Result) << k;
    EXPECT_EQ(together[k].Shortest, alone[k].Shortest) << k;
    EXPECT_EQ(together[k].Trials.size(), alone[k].Trials.size()) << k;
  }
  // Test 4 is Test 3 mirrored: the same length.
  EXPECT_EQ(alone[0].Shortest, alone[1].Shortest);
  for (const auto& entry : fs::directory_iterator(fs::current_path())) {
    EXPECT_EQ(entry.path().string().find(".csv"), std::string::npos) << entry.path();
    EXPECT_FALSE(entry.path().extension() == ".1") << entry.path();
  }
}

ProblemData Example(const char* name) {
  ProblemData problem;
  StartUpProblem(problem);
  EXPECT_FALSE(LoadDatafile(std::string(KORVANU_EXAMPLES) + "/" + name, problem));
  return problem;
}

TEST(MinimumLengthTest, AWallThatStandsAtEveryLengthTheMeshAllows) {
  ProblemData problem;
  StartUpProblem(problem);
  const MinimumLength search = FindMinimumLength(problem, problem.General.NT, 0.001);
  EXPECT_EQ(search.Result, LengthSearchResult::NoFailingLength);
  EXPECT_EQ(search.Given, 4.0);
  // The lowest layer is one element thick there; every trial stood.
  EXPECT_EQ(search.Shortest, 3.031);
  EXPECT_EQ(search.Failing, 3.031);
  for (const LengthTrial& trial : search.Trials) EXPECT_TRUE(trial.Verdict.Stands());
}

// Test 3 stands from 6.899 m on.
TEST(MinimumLengthTest, AWallThatFailsAtItsLengthIsSearchedUpwardsOnlyWhenAllowed) {
  ProblemData problem = Example("Test3.krv");
  SetWallLength(problem, 6.5);
  MinimumLength search = FindMinimumLength(problem, problem.General.NT, 0.001);
  EXPECT_EQ(search.Result, LengthSearchResult::GivenLengthFails);
  EXPECT_EQ(search.Trials.size(), 1u);

  search = FindMinimumLength(problem, problem.General.NT, 0.001, 8.0);
  EXPECT_EQ(search.Result, LengthSearchResult::Found);
  EXPECT_EQ(search.Given, 6.5);
  EXPECT_EQ(search.Shortest, 6.899);
  EXPECT_EQ(search.Failing, 6.898);
  for (const LengthTrial& trial : search.Trials) EXPECT_LE(trial.Length, 8.0);
}

// Ex 4 stands from 4.012 m on, except in narrow bands between 4.09 and
// 4.22 m. Stepping down from 4.7 m passes over them; a search that starts
// between them ends at the band below its start.
TEST(MinimumLengthTest, ANonMonotoneBandEndsTheSearchOnlyWhereItIsMet) {
  ProblemData problem = Example("Ex4.krv");
  MinimumLength search = FindMinimumLength(problem, problem.General.NT, 0.001);
  EXPECT_EQ(search.Result, LengthSearchResult::Found);
  EXPECT_EQ(search.Shortest, 4.012);
  EXPECT_EQ(search.Failing, 4.011);
  EXPECT_EQ(search.Trials.size(), 25u);

  SetWallLength(problem, 4.16);
  search = FindMinimumLength(problem, problem.General.NT, 0.001);
  EXPECT_EQ(search.Result, LengthSearchResult::Found);
  EXPECT_EQ(search.Shortest, 4.16);
  EXPECT_EQ(search.Failing, 4.159);

  SetWallLength(problem, 4.18);
  search = FindMinimumLength(problem, problem.General.NT, 0.001, 4.7);
  EXPECT_EQ(search.Result, LengthSearchResult::Found);
  EXPECT_EQ(search.Shortest, 4.181);
  EXPECT_EQ(search.Failing, 4.18);
}

// A wall a hundred kilometres long walks down in strides that grow with its
// length: some hundreds of runs, not millions, to the same limit.
TEST(MinimumLengthTest, AWallOfAnyLengthIsSearchedInAFewHundredRuns) {
  ProblemData problem = Example("Test3.krv");
  SetWallLength(problem, 1.0e5);
  const MinimumLength search = FindMinimumLength(problem, problem.General.NT, 0.001);
  ASSERT_EQ(search.Result, LengthSearchResult::Found);
  EXPECT_NEAR(search.Shortest, 6.899, 0.01);
  EXPECT_LT(search.Trials.size(), 400u);
}

}  // namespace
}  // namespace korvanu
