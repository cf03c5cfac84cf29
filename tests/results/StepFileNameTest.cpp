// The reader finds the step files under the names the computation writes.
#include <gtest/gtest.h>

#include "results/StepOutputReader.h"

namespace korvanu {
namespace {

TEST(StepOutputFileNameTest, NamedFromTheBaseOfFileName) {
  ProblemData problem;
  problem.General.FileName = "Wall.krv";
  EXPECT_EQ(StepOutputFileName(problem, 1), "Wall.1");
  EXPECT_EQ(StepOutputFileName(problem, 12), "Wall.12");
  problem.General.FileName = "A.B.krv";
  EXPECT_EQ(StepOutputFileName(problem, 2), "A.2");
  problem.General.FileName = "abcdefghijklmnopqrstuvwxyz1234";
  EXPECT_EQ(StepOutputFileName(problem, 3), "abcdefghijklmnopqrstuvwx.3");
  // A folder part never leads the step files out of the current folder.
  problem.General.FileName = "../other/Wall.krv";
  EXPECT_EQ(StepOutputFileName(problem, 1), "Wall.1");
  problem.General.FileName = "C:\\walls\\Quay.krv";
  EXPECT_EQ(StepOutputFileName(problem, 4), "Quay.4");
}

}  // namespace
}  // namespace korvanu
