// The common scales and value grids of the output graphs: maxima over all
// steps, the grid unit and count, the half-unit lines, the outer labels, the
// metre lines, and the guards for zero and huge results.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

#include "core/TextFormat.h"
#include "results/GraphScales.h"
#include "results/ValueGrid.h"

namespace korvanu {
namespace {

namespace fs = std::filesystem;

// Scales of a 700 x 420 window and an A4 page at 600 dpi whose largest values
// are `w` and `m` (Q and f as M).
GraphScales Scales(double w, double m) {
  GraphMaxima maxima;
  maxima[GraphQuantity::W] = w;
  maxima[GraphQuantity::M] = maxima[GraphQuantity::Q] = maxima[GraphQuantity::F] = m;
  GraphSizes sizes;
  sizes.PageWidth = 4960;
  sizes.PageHeight = 7016;
  return ComputeGraphScales(maxima, 6.9, sizes);
}

// The grid lines as signed multiples of the unit from the axis.
std::set<double> Units(const ValueGrid& grid, const GraphScale& scale, double perValue, int axis) {
  std::set<double> units;
  for (const int x : grid.Lines)
    units.insert(std::round(2.0 * (x - axis) / (scale.Unit * perValue)) / 2.0);
  return units;
}

TEST(GraphScales, LargestValueLiesATenthOfTheWidthFromTheAxis) {
  const GraphScales scales = Scales(0.042, 150.0 / 1.1);
  const GraphScale& w = scales[GraphQuantity::W];
  EXPECT_DOUBLE_EQ(w.Screen, 70 / 0.042);
  EXPECT_DOUBLE_EQ(w.Print, 496 / 0.042);
  EXPECT_DOUBLE_EQ(w.Maximum, 1.1 * 0.042);
  // Depth: the window height less a fifteenth at the foot and a fifteenth
  // plus the panel at the top; a fifth of the page.
  EXPECT_DOUBLE_EQ(scales.ScreenZ, (420 - 28 - 58) / 6.9);
  EXPECT_DOUBLE_EQ(scales.PrintZ, 1403 / 6.9);
}

TEST(ValueGrid, UnitsBelowTheMaximumWithTheOuterLabels) {
  const GraphScales scales = Scales(0.042, 150.0 / 1.1);
  const GraphScale& w = scales[GraphQuantity::W];
  EXPECT_NEAR(w.Unit, 0.01, 1e-15);
  const ValueGrid gridW = MakeValueGrid(GraphQuantity::W, w, w.Screen, 87);
  EXPECT_EQ(gridW.Count, 4);
  EXPECT_EQ(Units(gridW, w, w.Screen, 87), (std::set<double>{-4, -3, -2, -1, 1, 2, 3, 4}));
  EXPECT_EQ(gridW.RightLabel, "0.040");
  EXPECT_EQ(gridW.LeftLabel, "-0.040");
  EXPECT_EQ(gridW.Right, static_cast<int>(87 + 4 * w.Unit * w.Screen));

  // 1.1 times the largest moment is 150: one unit of 100 fits, so the half
  // units are drawn too.
  const GraphScale& m = scales[GraphQuantity::M];
  EXPECT_NEAR(m.Unit, 100.0, 1e-12);
  const ValueGrid gridM = MakeValueGrid(GraphQuantity::M, m, m.Print, 1000);
  EXPECT_EQ(gridM.Count, 1);
  EXPECT_EQ(Units(gridM, m, m.Print, 1000), (std::set<double>{-1, -0.5, 0.5, 1}));
  EXPECT_EQ(gridM.RightLabel, "100.0");
  EXPECT_EQ(gridM.LeftLabel, "-100.0");
}

TEST(ValueGrid, ZeroResultsAndExactPowersOfTen) {
  const GraphScales zero = Scales(0.0, 0.0);
  for (const GraphQuantity q :
       {GraphQuantity::W, GraphQuantity::M, GraphQuantity::Q, GraphQuantity::F}) {
    const GraphScale& s = zero[q];
    EXPECT_NEAR(s.Unit, 1e-6, 1e-20);
    EXPECT_TRUE(std::isfinite(s.Screen) && std::isfinite(s.Print));
    const ValueGrid grid = MakeValueGrid(q, s, s.Screen, 300);
    EXPECT_EQ(Units(grid, s, s.Screen, 300), (std::set<double>{-1, -0.5, 0.5, 1}));
    EXPECT_EQ(grid.RightLabel, q == GraphQuantity::W ? "0.000" : "0.0");
    EXPECT_EQ(grid.LeftLabel, q == GraphQuantity::W ? "-0.000" : "-0.0");
  }
  // 1.1 times the largest value is exactly one unit: no unit lies below it,
  // and the outer lines are drawn at one unit.
  GraphScale exact{100.0, 100.0, 1.0, 1.0};
  const ValueGrid grid = MakeValueGrid(GraphQuantity::Q, exact, 1.0, 500);
  EXPECT_EQ(grid.Count, 1);
  EXPECT_EQ(grid.Right, 600);
  EXPECT_EQ(grid.Left, 400);
  EXPECT_EQ(grid.RightLabel, "100.0");
}

TEST(ValueGrid, MetreLinesTopAndBottom) {
  // A 6.9 m wall: lines at 1..6 m, then the top and the bottom of the graph.
  const std::vector<int> lines = DepthGridLines(6.9, 50.0, 40);
  EXPECT_EQ(lines, (std::vector<int>{90, 140, 190, 240, 290, 340, 40, 385}));
  EXPECT_EQ(Format("%5.3f", 6.9) + " m", "6.900 m");
  // No length and an unreadable one draw only the top and bottom lines.
  EXPECT_EQ(DepthGridLines(0.0, 50.0, 40), (std::vector<int>{40, 40}));
  EXPECT_EQ(DepthGridLines(NAN, 50.0, 40).size(), 2u);
}

TEST(GraphScales, HugeValuesAndAWallOfNoLengthStayDrawable) {
  GraphMaxima maxima;
  NodeResults results{};
  results.w[3] = 1e308;
  results.M[2] = NAN;
  RaiseGraphMaxima(maxima, results, 10);
  EXPECT_TRUE(std::isfinite(1.1 * maxima[GraphQuantity::W]));
  EXPECT_EQ(maxima[GraphQuantity::M], 0.0);
  const GraphScales scales = ComputeGraphScales(maxima, 0.0, GraphSizes{});
  EXPECT_EQ(scales.ScreenZ, 0.0);
  const GraphScale& w = scales[GraphQuantity::W];
  const ValueGrid grid = MakeValueGrid(GraphQuantity::W, w, w.Screen, 87);
  for (const int x : grid.Lines) EXPECT_LT(std::abs(x - 87), 100);
}

TEST(GraphScales, MaximaComeFromEveryStepFile) {
  const fs::path folder = fs::temp_directory_path() / "korvanu-graph-scales";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path previous = fs::current_path();
  fs::current_path(folder);  // step files are read from the current folder
  ProblemData problem;
  problem.General.FileName = "Wall.krv";
  problem.General.NN = 2;
  problem.General.NT = 3;
  // Step 1 has the largest |w|, step 3 the largest |M|, |Q-| and |f|; step 2
  // is missing.
  const char* const steps[] = {
      "0, 0.0, -0.5, 1.0, 0.0, 2.0\n1, 1.0, 0.1, 2.0, 2.0, -9.0\n2, 2.0, 0.0, 0.0, 1.0, 1.0\n",
      nullptr,
      "0, 0.0, 0.0, -4.0, 0.0, 0.0\n1, 1.0, 0.2, 0.0, 0.0, 0.0\n2, 2.0, 0.0, 0.0, 12.0, 0.0\n",
  };
  for (int k = 1; k <= 3; ++k) {
    if (steps[k - 1] == nullptr) continue;
    std::ofstream("Wall." + std::to_string(k)) << steps[k - 1];
  }
  auto results = std::make_unique<NodeResults>();
  int reports = 0;
  const GraphMaxima maxima =
      ReadGraphMaxima(problem, *results, [&reports](const std::string& message) {
        EXPECT_EQ(message, "Unable to read datafile.\n");
        ++reports;
      });
  EXPECT_EQ(reports, 1);
  EXPECT_DOUBLE_EQ(maxima[GraphQuantity::W], 0.5);
  EXPECT_DOUBLE_EQ(maxima[GraphQuantity::M], 4.0);
  EXPECT_DOUBLE_EQ(maxima[GraphQuantity::Q], 12.0);
  // f of step 1 reaches (1 - -9) / 1 m, that of step 3 (12 - 0) / 1 m.
  EXPECT_DOUBLE_EQ(maxima[GraphQuantity::F], 12.0);
  fs::current_path(previous);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace korvanu
