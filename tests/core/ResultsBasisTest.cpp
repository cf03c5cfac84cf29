// When the results of a computation hold: a change that every computation
// reads alike keeps them as they were, any other holds them exactly when it
// brings back the problem computed, in the folder of its step files.
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
  // A setting changed while out of date leaves them out of date.
  EXPECT_FALSE(basis.ValidAfter(false, computed, judged, "/w"));

  basis.Clear();
  EXPECT_FALSE(basis.ValidAfter(false, edited, computed, "/w"));
}

}  // namespace
}  // namespace korvanu
