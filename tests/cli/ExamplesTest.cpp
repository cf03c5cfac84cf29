// The problems of examples/: the committed datafiles are the ones the writer
// makes, korvanu-cli computes each without a message, the validation problems
// to their known solutions and the design examples to the README's table.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "core/Datafile.h"
#include "engine/StepOutput.h"
#include "results/ResultQuantities.h"
#include "results/StepOutputReader.h"
#include "tests/cli/ExampleProblems.h"

namespace korvanu {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class ExamplesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // One folder per process: ctest runs the cases of this suite side by side.
    folder_ = new fs::path(fs::temp_directory_path() /
                           ("korvanu-examples-" + std::to_string(::getpid())));
    fs::remove_all(*folder_);
    fs::create_directories(*folder_);
    codes_ = new std::map<std::string, int>;
    for (const ExampleProblem& example : ExampleProblems()) {
      const std::string& name = example.FileName;
      std::error_code ec;
      fs::copy_file(fs::path(KORVANU_EXAMPLES) / name, *folder_ / name, ec);
      if (ec) continue;  // the case that needs it fails on the missing step file
      const std::string command = "cd '" + folder_->string() + "' && '" + KORVANU_CLI +
                                  "' compute " + name + " >" + name + ".out 2>&1";
      const int status = std::system(command.c_str());
      (*codes_)[name] = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
  }
  static void TearDownTestSuite() {
    fs::remove_all(*folder_);
    delete folder_;
    delete codes_;
  }

  // The results of a step as the reader takes them from its step file.
  static NodeResults StepOf(const std::string& base, int step, int NN = 200) {
    NodeResults nodes{};
    const StepReadOutcome read =
        ReadStepOutput((*folder_ / (base + "." + std::to_string(step))).string(), NN, nodes);
    EXPECT_TRUE(read.Ok && !read.EndedEarly) << base << "." << step;
    return nodes;
  }
  static NodeResults Step1(int n) { return StepOf("Test" + std::to_string(n), 1); }
  static std::string Output(const std::string& datafile) {
    return ReadFile(*folder_ / (datafile + ".out"));
  }
  static std::string Output(int n) { return Output("Test" + std::to_string(n) + ".krv"); }

  static fs::path* folder_;
  static std::map<std::string, int>* codes_;
};

fs::path* ExamplesTest::folder_ = nullptr;
std::map<std::string, int>* ExamplesTest::codes_ = nullptr;

TEST_F(ExamplesTest, CommittedDatafilesAreTheWritersOwn) {
  for (const ExampleProblem& example : ExampleProblems()) {
    const std::string text = ReadFile(fs::path(KORVANU_EXAMPLES) / example.FileName);
    EXPECT_EQ(text, WriteDatafile(example.Problem))
        << example.FileName << ": regenerate with korvanu_write_examples";
    // The name reads back whole: a comma in it would end the field.
    ProblemData read = StartUpProblem();
    EXPECT_FALSE(ReadDatafile(text, read));
    EXPECT_EQ(read.General.ProblemName, example.Problem.General.ProblemName);
  }
}

TEST_F(ExamplesTest, EveryExampleComputesWithoutAMessage) {
  for (const ExampleProblem& example : ExampleProblems()) {
    const std::string out = Output(example.FileName);
    EXPECT_EQ((*codes_)[example.FileName], 0) << example.FileName << "\n" << out;
    EXPECT_EQ(out.find("Messages:"), std::string::npos) << example.FileName << "\n" << out;
  }
}

// One row of the README's table of examples: the datafile in backquotes in
// the first cell, then the problem, the steps, and the largest |M| (kNm/m),
// |w| (mm) and anchor force (kN/m) over all steps, "-" where there is none.
struct ReadmeRow {
  std::string Datafile;
  double M = 0.0, w = 0.0, Anchor = -1.0;
  int Decimals[3] = {0, 0, 0};  // printed decimals of M, w and the anchor force
};

std::vector<ReadmeRow> ReadmeExamples() {
  std::vector<ReadmeRow> rows;
  std::istringstream readme(ReadFile(fs::path(KORVANU_EXAMPLES).parent_path() / "README.md"));
  std::string line;
  while (std::getline(readme, line)) {
    if (line.rfind("| `Ex", 0) != 0) continue;
    std::vector<std::string> cells;
    std::istringstream split(line.substr(1));
    for (std::string cell; std::getline(split, cell, '|');) {
      cell.erase(0, cell.find_first_not_of(' '));
      cell.erase(cell.find_last_not_of(' ') + 1);
      cells.push_back(cell);
    }
    EXPECT_EQ(cells.size(), 6u) << line;
    if (cells.size() != 6) continue;
    ReadmeRow row;
    row.Datafile = cells[0].substr(1, cells[0].size() - 2);
    double* values[3] = {&row.M, &row.w, &row.Anchor};
    for (int k = 0; k < 3; ++k) {
      const std::string& cell = cells[3 + k];
      if (cell == "-") continue;
      *values[k] = std::strtod(cell.c_str(), nullptr);
      const std::size_t point = cell.find('.');
      row.Decimals[k] = point == std::string::npos ? 0 : static_cast<int>(cell.size() - point - 1);
    }
    rows.push_back(row);
  }
  return rows;
}

TEST_F(ExamplesTest, DesignExamplesGiveTheValuesOfTheReadmeTable) {
  const std::vector<ReadmeRow> rows = ReadmeExamples();
  int checked = 0;
  for (const ExampleProblem& example : ExampleProblems()) {
    const ProblemData& p = example.Problem;
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const ReadmeRow& r) {
      return r.Datafile == example.FileName;
    });
    if (example.FileName.rfind("Ex", 0) != 0) continue;
    ASSERT_NE(row, rows.end()) << example.FileName << " has no row in the README";
    double M = 0.0, w = 0.0, anchor = -1.0;
    for (int s = 1; s <= p.General.NT; ++s) {
      const NodeResults r = StepOf(StepBaseName(p), s, p.General.NN);
      for (int i = 0; i <= p.General.NN; ++i) {
        M = std::max(M, std::fabs(r.M[i]));
        w = std::max(w, 1000.0 * std::fabs(r.w[i]));
      }
      for (int point = 0; point <= p.General.NL; ++point) {
        if (p.Anchors[s][point].Fa < StressTolerance) continue;
        for (int i = 0; i <= p.General.NN; ++i) {
          if (std::fabs(r.z[i] - p.Z[point]) > 1e-9) continue;
          anchor = std::max(anchor, std::fabs(ConcentratedForce(r, i)));
        }
      }
    }
    const double found[3] = {M, w, anchor};
    const double shown[3] = {row->M, row->w, row->Anchor};
    for (int k = 0; k < 3; ++k) {
      const double half = 0.5 * std::pow(10.0, -row->Decimals[k]) + 1e-6;
      EXPECT_NEAR(shown[k], found[k], half)
          << example.FileName << " column " << k << ": computed " << found[k];
    }
    ++checked;
  }
  EXPECT_EQ(checked, 4);
}

TEST_F(ExamplesTest, Test1ForceOnAnElasticFoundation) {
  // w = (F L^3 / 2EI) exp(-x) cos x and M = F L exp(-x) sin x, x = z / L, L = 1 m.
  const NodeResults r = Step1(1);
  EXPECT_NEAR(r.w[0], 0.2, 0.002);
  double largestM = 0.0;
  int at = 0;
  for (int i = 0; i <= 200; ++i) {
    if (std::fabs(r.M[i]) > std::fabs(largestM)) largestM = r.M[i], at = i;
  }
  const double sign = std::sin(r.z[at]) >= 0.0 ? (largestM >= 0.0 ? 1.0 : -1.0) : 0.0;
  ASSERT_NE(sign, 0.0);
  for (int i = 0; i <= 200; ++i) {
    const double x = r.z[i];
    EXPECT_NEAR(r.w[i], 0.2 * std::exp(-x) * std::cos(x), 0.02 * 0.2) << "z = " << x;
    EXPECT_NEAR(r.M[i], sign * 10.0 * std::exp(-x) * std::sin(x), 0.02 * std::fabs(largestM))
        << "z = " << x;
  }
  EXPECT_NEAR(ConcentratedForce(r, 0), 10.0, 1e-6);
  EXPECT_NEAR(r.Qplus[200], 0.0, 0.01);
}

TEST_F(ExamplesTest, Test2MomentOnAnElasticFoundation) {
  const NodeResults r = Step1(2);
  EXPECT_NEAR(r.w[0], 0.2, 0.002);
  EXPECT_NEAR(r.M[0], -10.0, 1e-6);
  EXPECT_NEAR(r.M[200], 0.0, 1e-6);
}

TEST_F(ExamplesTest, Test3And4AnchoredWallMirrored) {
  const NodeResults left = Step1(3);
  const NodeResults right = Step1(4);
  // The anchor at point 1 lies at the node of depth 1 m.
  int node = -1;
  for (int i = 0; i <= 200; ++i) {
    if (std::fabs(left.z[i] - 1.0) < 1e-9) node = i;
  }
  ASSERT_GE(node, 0);
  const double force = ConcentratedForce(left, node);
  EXPECT_GE(force, 40.0);
  EXPECT_LE(force, 42.5);
  // The table of korvanu-cli shows the same force in the row of step 1.
  const std::string out = Output(3);
  const size_t row = out.find("\n   1 ");
  const size_t anchor = out.find(" 1: ", row);
  ASSERT_TRUE(row != std::string::npos && anchor != std::string::npos) << out;
  EXPECT_NEAR(std::strtod(out.c_str() + anchor + 4, nullptr), force, 0.0006) << out;

  // The mirror image: the same force from the other side, w and M mirrored.
  EXPECT_NEAR(ConcentratedForce(right, node), -force, 1e-5);
  double largestW = 0.0;
  double largestM = 0.0;
  for (int i = 0; i <= 200; ++i) {
    largestW = std::max(largestW, std::fabs(left.w[i]));
    largestM = std::max(largestM, std::fabs(left.M[i]));
  }
  for (int i = 0; i <= 200; ++i) {
    EXPECT_EQ(right.z[i], left.z[i]);
    EXPECT_NEAR(right.w[i], -left.w[i], 1e-5 * largestW) << i;
    EXPECT_NEAR(right.M[i], -left.M[i], 1e-5 * largestM) << i;
  }
}

}  // namespace
}  // namespace korvanu
