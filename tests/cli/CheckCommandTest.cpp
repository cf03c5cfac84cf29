// korvanu-cli check on Test 3: its exit codes and the settings of the file
// against those of the command line.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "analysis/DesignChecks.h"
#include "analysis/FactorSearch.h"
#include "cli/CheckCommand.h"
#include "core/DatafileFiles.h"
#include "core/ProblemDefaults.h"
#include "results/StepOutputReader.h"

namespace korvanu {
namespace {

namespace fs = std::filesystem;

int Check(const Arguments& arguments, std::string& out) {
  std::ostringstream o, e;
  const int code = CheckCommand(arguments, o, e);
  out = o.str() + e.str();
  return code;
}

TEST(CheckCommandTest, ExitCodeFourWhenACheckFallsShort) {
  const fs::path folder = fs::temp_directory_path() / "korvanu-check-test";
  fs::create_directories(folder);
  const std::string test3 = std::string(KORVANU_EXAMPLES) + "/Test3.krv";
  std::string out;

  EXPECT_EQ(Check({test3, "--grade", "S240GP", "--gamma-m0", "1.1"}, out), ExitDone) << out;
  EXPECT_NE(out.find("Steel utilisation  0.485 (σ 105.8 N/mm², S240GP, γM0 1.100)"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("Every check holds."), std::string::npos);

  const std::string csv = (folder / "t3.csv").string();
  EXPECT_EQ(Check({test3, "--max-w", "0.02", "--csv", csv}, out), ExitFallsShort);
  EXPECT_NE(out.find("falls short"), std::string::npos);
  std::ifstream table(csv);
  std::string caption, step, all;
  std::getline(table, caption);
  std::getline(table, step);
  std::getline(table, all);
  EXPECT_EQ(step.substr(0, 9), "1,0.0279,");
  EXPECT_EQ(all.substr(0, 4), "all,");

  // The file's own requirement, and the command line's over it.
  std::ifstream in(test3, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf() << "#design min_fp=1.2\r\n";
  const std::string demanding = (folder / "Test3.krv").string();
  std::ofstream(demanding, std::ios::binary) << text.str();
  EXPECT_EQ(Check({demanding}, out), ExitFallsShort);
  EXPECT_NE(out.find("at least 1.200  falls short"), std::string::npos) << out;
  EXPECT_EQ(Check({demanding, "--require-fp", "1.0"}, out), ExitDone);

  EXPECT_EQ(Check({test3, "--grade", "S999"}, out), ExitRefused);
  EXPECT_EQ(Check({test3, "--fy", "355", "--grade", "S355GP"}, out), ExitRefused);
  fs::remove_all(folder);
}

// Requirements are echoed as given; one the search can never meet, and a
// repeated option, are refused; a limit on |w| that reads as millimetres is
// questioned.
TEST(CheckCommandTest, RequirementsAsGiven) {
  const std::string test3 = std::string(KORVANU_EXAMPLES) + "/Test3.krv";
  std::string out;
  EXPECT_EQ(Check({test3, "--require-fp", "1.2645"}, out), ExitFallsShort) << out;
  EXPECT_NE(out.find("at least 1.2645  falls short"), std::string::npos) << out;
  EXPECT_EQ(Check({test3, "--require-fs", "12"}, out), ExitRefused);
  EXPECT_NE(out.find("--require-fs 12.000 can never hold: the search stops at 10"),
            std::string::npos)
      << out;
  EXPECT_EQ(Check({test3, "--max-w", "0.02", "--max-w", "0.03"}, out), ExitRefused);
  EXPECT_NE(out.find("--max-w is given twice"), std::string::npos) << out;
  EXPECT_EQ(Check({test3, "--max-w", "25"}, out), ExitDone);
  EXPECT_NE(out.find("note: --max-w is in metres: 25.0000 m"), std::string::npos) << out;
}

// The anchor force of the checks is the jump of the shear force at the
// anchor's node in the step file that compute writes.
TEST(CheckCommandTest, AnchorForceAsTheStepFileHasIt) {
  const fs::path folder = fs::temp_directory_path() / "korvanu-check-anchor";
  fs::remove_all(folder);
  fs::create_directories(folder);
  auto problem = std::make_unique<ProblemData>();
  StartUpProblem(*problem);
  ASSERT_FALSE(LoadDatafile(std::string(KORVANU_EXAMPLES) + "/Ex2.krv", *problem));
  const DesignSummary summary = SummariseDesign(*problem, problem->Design);
  ASSERT_EQ(summary.Steps.size(), 4u);
  const AnchorCheck& last = summary.Steps[3].Anchors.at(0);

  fs::copy_file(std::string(KORVANU_EXAMPLES) + "/Ex2.krv", folder / "Ex2.krv");
  const std::string command =
      "cd '" + folder.string() + "' && '" + KORVANU_CLI + "' compute --quiet Ex2.krv >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  auto nodes = std::make_unique<NodeResults>();
  ASSERT_TRUE(ReadStepOutput((folder / "Ex2.4").string(), problem->General.NN, *nodes).Ok);
  int node = 0;
  while (node < problem->General.NN && std::fabs(nodes->z[node] - problem->Z[1]) > 1e-9) ++node;
  ASSERT_NEAR(nodes->z[node], problem->Z[1], 1e-9);
  EXPECT_NEAR(last.Force, nodes->Qplus[node] - nodes->Qminus[node], 1e-5);
  fs::remove_all(folder);
}

// Ex1 lengthened to 12 m with phi' 30 in every soil record: a stiff toe layer
// (k_h 450000, a stroke of 0.001 m) keeps about the strength factor of the
// same soil with its stroke of 0.02 m, as the factored coefficients are kept
// whatever stroke k_h gives.
TEST(CheckCommandTest, FsOfAStiffToeLayerAsWithoutKh) {
  const auto ex1 = [](std::optional<double> kh) {
    auto problem = std::make_unique<ProblemData>();
    StartUpProblem(*problem);
    EXPECT_FALSE(LoadDatafile(std::string(KORVANU_EXAMPLES) + "/Ex1.krv", *problem));
    SetWallLength(*problem, 12.0);
    SoilStrength sand;
    sand.Phi = 30;
    sand.Method = EarthPressureMethod::Rankine;
    for (int j = 0; j < problem->General.NL; ++j) {
      sand.Kh = j == problem->General.NL - 1 ? kh : std::nullopt;
      for (int s = 0; s <= problem->General.NT; ++s) {
        for (Side side : {Side::Left, Side::Right}) {
          if (problem->Layer(j, s, side).Wd >= 0.001) problem->Strength(j, s, side) = sand;
        }
      }
    }
    return problem;
  };
  const FactorSearch plain = SearchStrengthFactor(*ex1(std::nullopt));
  const FactorSearch stiff = SearchStrengthFactor(*ex1(450000.0));
  ASSERT_EQ(plain.Whole.Outcome, FactorOutcome::Found);
  ASSERT_EQ(stiff.Whole.Outcome, FactorOutcome::Found);
  EXPECT_NEAR(stiff.Whole.Value, plain.Whole.Value, 0.03 * plain.Whole.Value);
}

}  // namespace
}  // namespace korvanu
