// The length search as a later command calls it: from several threads at
// once, each with its own problem, writing nothing into the current folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "core/DatafileFiles.h"
#include "analysis/MinimumLength.h"

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

}  // namespace
}  // namespace korvanu
