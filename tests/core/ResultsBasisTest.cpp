// When the results of a computation hold: whenever the problem is the one
// computed, in the folder of its step files; otherwise a change that computes
// alike keeps them as they were, and any other puts them out of date.
#include <gtest/gtest.h>

#include "core/ResultsBasis.h"
#include "tests/core/TestSupport.h"

namespace korvanu {
namespace {

TEST(ResultsBasis, OnlyAChangeOfTheComputationMovesTheResults) {
  const ProblemData computed = test::StartupProblem();
  ProblemData edited = computed;
  edited.Layer(1, 0, Side::Left).Wd = 17.0;
  ProblemData judged = computed;
  judged.Design.Fy = 355.0;

  ResultsBasis basis;
  // Nothing computed: a refused or unchanged edit and a design setting keep
  // whatever held; a change never makes results valid.
  EXPECT_TRUE(basis.ValidAfter(true, computed, computed, "/w"));
  EXPECT_TRUE(basis.ValidAfter(true, computed, judged, "/w"));
  EXPECT_FALSE(basis.ValidAfter(true, computed, edited, "/w"));

  basis.Record(computed, "/w");
  EXPECT_FALSE(basis.ValidAfter(true, computed, edited, "/w"));
  // Back at the problem computed (its design settings aside), in its folder.
  EXPECT_TRUE(basis.ValidAfter(false, edited, computed, "/w"));
  EXPECT_TRUE(basis.ValidAfter(false, edited, judged, "/w"));
  EXPECT_FALSE(basis.ValidAfter(false, edited, computed, "/elsewhere"));
  // A change that computes alike, away from the problem computed, keeps
  // them as they were.
  EXPECT_FALSE(basis.ValidAfter(false, edited, edited, "/w"));
  ProblemData editedJudged = edited;
  editedJudged.Design.Fy = 355.0;
  EXPECT_TRUE(basis.ValidAfter(true, edited, editedJudged, "/w"));

  basis.Clear();
  EXPECT_FALSE(basis.ValidAfter(false, edited, computed, "/w"));
}

}  // namespace
}  // namespace korvanu
