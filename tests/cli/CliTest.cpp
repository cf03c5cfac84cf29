// korvanu-cli as a user runs it: usage, new, compute on datafiles in temporary
// folders, the exit codes, the step files beside the datafile, the messages.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/Datafile.h"
#include "results/StepOutputReader.h"
#include "tests/cli/ExampleProblems.h"

namespace korvanu {
namespace {

namespace fs = std::filesystem;

struct RunResult {
  int Code = -1;
  std::string Out;
  std::string Err;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              (std::string("korvanu-cli-") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    if (getenv("KORVANU_KEEP") == nullptr) fs::remove_all(folder_);
  }

  // Runs korvanu-cli with `arguments` (shell words) in `cwd`.
  RunResult Run(const std::string& arguments, const fs::path& cwd = {},
                const std::string& environment = {}) {
    const fs::path out = folder_ / "stdout.txt";
    const fs::path err = folder_ / "stderr.txt";
    const std::string command = "cd '" + (cwd.empty() ? folder_ : cwd).string() + "' && " +
                                environment + "'" + KORVANU_CLI + "' " + arguments + " >'" +
                                out.string() + "' 2>'" + err.string() + "' </dev/null";
    const int status = std::system(command.c_str());
    RunResult result;
    result.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.Out = ReadFile(out);
    result.Err = ReadFile(err);
    fs::remove(out);
    fs::remove(err);
    return result;
  }

  void WriteProblem(const std::string& name, const ProblemData& problem) {
    WriteFile(folder_ / name, WriteDatafile(problem));
  }

  fs::path folder_;
};

TEST_F(CliTest, UsageHelpAndVersion) {
  RunResult r = Run("--help");
  EXPECT_EQ(r.Code, 0);
  EXPECT_NE(r.Out.find("korvanu-cli compute FILE.krv"), std::string::npos);
  r = Run("--version");
  EXPECT_EQ(r.Code, 0);
  EXPECT_EQ(r.Out, std::string("korvanu-cli ") + KORVANU_VERSION + "\n");

  for (const char* wrong :
       {"", "frobnicate x.krv", "compute", "compute a.krv b.krv", "new", "--verbose"}) {
    r = Run(wrong);
    EXPECT_EQ(r.Code, 2) << wrong;
    EXPECT_NE(r.Err.find("Usage:"), std::string::npos) << wrong;
    EXPECT_TRUE(r.Out.empty()) << wrong;
  }
}

TEST_F(CliTest, NewWritesTheDefaultProblemUnderItsOwnName) {
  fs::create_directories(folder_ / "sub");
  RunResult r = Run("new sub/Quay.krv");
  ASSERT_EQ(r.Code, 0) << r.Err;
  ProblemData expected = StartUpProblem();
  expected.General.FileName = "Quay.krv";
  EXPECT_EQ(ReadFile(folder_ / "sub" / "Quay.krv"), WriteDatafile(expected));

  // Written again over an existing file, as Save does.
  r = Run("new sub/Quay.krv");
  EXPECT_EQ(r.Code, 0);

  r = Run("new New.krv");
  EXPECT_EQ(r.Code, 2);
  EXPECT_NE(r.Err.find("Filename 'New.krv' reserved"), std::string::npos);
  EXPECT_FALSE(fs::exists(folder_ / "New.krv"));

  r = Run("new missing/Wall.krv");
  EXPECT_EQ(r.Code, 2);
  EXPECT_NE(r.Err.find("Datafile not saved"), std::string::npos);

  r = Run("new " + std::string(41, 'x') + ".krv");
  EXPECT_EQ(r.Code, 2);
  r = Run("new 'a,b.krv'");
  EXPECT_EQ(r.Code, 2);
}

TEST_F(CliTest, ComputeWritesStepFilesBesideTheDatafile) {
  fs::create_directories(folder_ / "walls");
  ProblemData problem = StartUpProblem();
  problem.General.FileName = "Quay.krv";
  problem.General.NT = 2;
  WriteProblem("walls/Stored.krv", problem);

  // Run from elsewhere: the step files follow the datafile, named from its FileName.
  const RunResult r = Run("compute walls/Stored.krv");
  EXPECT_EQ(r.Code, 0) << r.Out << r.Err;
  EXPECT_TRUE(r.Err.empty()) << r.Err;
  EXPECT_TRUE(fs::exists(folder_ / "walls" / "Quay.1"));
  EXPECT_TRUE(fs::exists(folder_ / "walls" / "Quay.2"));
  EXPECT_FALSE(fs::exists(folder_ / "walls" / "Quay.0"));
  EXPECT_FALSE(fs::exists(folder_ / "Quay.1"));
  EXPECT_NE(r.Out.find("Step files: Quay.1 Quay.2"), std::string::npos) << r.Out;
  // One row per step 0..NT under the captions.
  EXPECT_NE(r.Out.find("Step Passes Converged Plastic"), std::string::npos) << r.Out;
  EXPECT_NE(r.Out.find("\n   0 "), std::string::npos) << r.Out;
  EXPECT_NE(r.Out.find("\n   2 "), std::string::npos) << r.Out;
  // The default anchor at point 1 is reported in steps 1 and 2.
  EXPECT_NE(r.Out.find(" 1: "), std::string::npos) << r.Out;

  // The step file is one the reader takes whole.
  NodeResults nodes{};
  const StepReadOutcome read =
      ReadStepOutput((folder_ / "walls" / "Quay.2").string(), problem.General.NN, nodes);
  EXPECT_TRUE(read.Ok);
  EXPECT_FALSE(read.EndedEarly);
  EXPECT_DOUBLE_EQ(nodes.z[problem.General.NN], 4.0);
}

TEST_F(CliTest, AFolderInTheStoredFileNameStaysBesideTheDatafile) {
  fs::create_directories(folder_ / "walls");
  ProblemData problem = StartUpProblem();
  problem.General.FileName = "../Escape.krv";
  WriteProblem("walls/Wall.krv", problem);
  const RunResult r = Run("compute walls/Wall.krv");
  EXPECT_EQ(r.Code, 0) << r.Out << r.Err;
  EXPECT_TRUE(fs::exists(folder_ / "walls" / "Escape.1"));
  EXPECT_FALSE(fs::exists(folder_ / "Escape.1"));
}

TEST_F(CliTest, DatafilesThatCannotBeUsedAreRefused) {
  RunResult r = Run("compute Absent.krv");
  EXPECT_EQ(r.Code, 2);
  EXPECT_NE(r.Err.find("Absent.krv"), std::string::npos);

  fs::create_directories(folder_ / "Folder.krv");
  r = Run("compute Folder.krv");
  EXPECT_EQ(r.Code, 2);

  WriteFile(folder_ / "Empty.krv", "");
  r = Run("compute Empty.krv");
  EXPECT_EQ(r.Code, 2);
  EXPECT_NE(r.Err.find("Empty.krv"), std::string::npos) << r.Err;

  // Cut off in the middle of the layer tables.
  const std::string whole = WriteDatafile(StartUpProblem());
  WriteFile(folder_ / "Cut.krv", whole.substr(0, whole.size() / 3));
  r = Run("compute Cut.krv");
  EXPECT_EQ(r.Code, 2);
  EXPECT_NE(r.Err.find("line"), std::string::npos) << r.Err;
  EXPECT_TRUE(r.Out.empty());
}

TEST_F(CliTest, AFloatingPointFaultEndsTheRun) {
  ProblemData problem = StartUpProblem();
  problem.General.FileName = "NoStroke.krv";
  for (int s = 0; s <= problem.General.NT; ++s) {
    problem.Layer(2, s, Side::Left).Dw = 0.0;  // a layer of soil without a stroke
    problem.Layer(2, s, Side::Right).Dw = 0.0;
  }
  WriteProblem("NoStroke.krv", problem);
  const RunResult r = Run("compute NoStroke.krv");
  EXPECT_EQ(r.Code, 3) << r.Out << r.Err;
  EXPECT_EQ(r.Err, "Floating point division by zero.\n");
  EXPECT_NE(r.Out.find("fault     Floating point division by zero."), std::string::npos) << r.Out;
  EXPECT_FALSE(fs::exists(folder_ / "NoStroke.1"));
}

// An anchor at the top that flips between slack and plastic keeps step 2 from
// settling; the run reports it and goes on with step 3.
TEST_F(CliTest, AStepWithoutConvergenceGivesExitCode1) {
  ProblemData problem = StartUpProblem();
  problem.General.FileName = "Osc.krv";
  problem.General.NN = 10;
  problem.General.NL = 1;
  problem.General.NT = 3;
  problem.Z[1] = 5.0;
  problem.H[0] = 5.0;
  problem.General.Length = 5.0;
  problem.Catalogue[0].EI = 60000.0;
  const LayerProperties sand{16, 20, 100, 0, 0, 0, 0.33, 3, 0.5, 0.019};
  const AnchorRecord top[4] = {
      {-280, 10, 0.006}, {220, 105, 0.003}, {37, 70, -0.01}, {-7, 160, 0.008}};
  for (int s = 0; s <= 3; ++s) {
    problem.Layer(0, s, Side::Left) = problem.Layer(0, s, Side::Right) = sand;
    problem.Anchors[s][0] = top[s];
    problem.Anchors[s][1] = AnchorRecord{0.0, 0.0, 1.0};
  }
  WriteProblem("Osc.krv", problem);
  const RunResult r = Run("compute Osc.krv");
  EXPECT_EQ(r.Code, 1) << r.Out << r.Err;
  EXPECT_TRUE(r.Err.empty()) << r.Err;
  EXPECT_NE(r.Out.find("\n   2     25 no "), std::string::npos) << r.Out;
  EXPECT_NE(r.Out.find("  step 2: After 25 iterations no convergence has been reached.\n\n"
                       "          This suggests that equilibrium is not possible in this case.\n"),
            std::string::npos)
      << r.Out;
  EXPECT_NE(r.Out.find("Step files: Osc.1 Osc.3\n"), std::string::npos) << r.Out;
  EXPECT_FALSE(fs::exists(folder_ / "Osc.2"));
}

TEST_F(CliTest, AStepFileThatCannotBeWrittenIsReported) {
  ProblemData problem = StartUpProblem();
  problem.General.FileName = "Blocked.krv";
  problem.General.NT = 2;
  WriteProblem("Blocked.krv", problem);
  fs::create_directories(folder_ / "Blocked.1");  // takes the name of the first step file
  const RunResult r = Run("compute Blocked.krv");
  EXPECT_EQ(r.Code, 1) << r.Out << r.Err;
  EXPECT_NE(r.Out.find("  step 1: Unable to write datafile."), std::string::npos) << r.Out;
  EXPECT_NE(r.Out.find("Step files: Blocked.2\n"), std::string::npos) << r.Out;
  EXPECT_TRUE(fs::exists(folder_ / "Blocked.2"));
}

#ifdef KORVANU_REPORT
// The report is made headless, by the program's own print job, and the Qt-free
// commands keep working where Qt's platform plugins cannot be loaded.
TEST_F(CliTest, ReportWritesThePrintedReportAsAPdf) {
  ProblemData problem = StartUpProblem();
  problem.General.FileName = "Quay.krv";
  problem.General.NT = 2;
  WriteProblem("Quay.krv", problem);
  fs::create_directories(folder_ / "out");
  RunResult r = Run("report Quay.krv -o out/all.pdf");
  ASSERT_EQ(r.Code, 0) << r.Out << r.Err;
  EXPECT_TRUE(r.Err.empty()) << r.Err;
  EXPECT_TRUE(fs::exists(folder_ / "Quay.2"));
  const std::string all = ReadFile(folder_ / "out" / "all.pdf");
  EXPECT_EQ(all.rfind("%PDF", 0), 0u);
  EXPECT_NE(r.Out.find("Wrote the report to out/all.pdf ("), std::string::npos) << r.Out;

  r = Run("report Quay.krv --only tables,graphs --colors -o only.pdf");
  ASSERT_EQ(r.Code, 0) << r.Err;
  ASSERT_EQ(std::system(("pdftotext '" + (folder_ / "only.pdf").string() + "' '" +
                         (folder_ / "only.txt").string() + "'")
                            .c_str()),
            0);
  const std::string text = ReadFile(folder_ / "only.txt");
  EXPECT_EQ(text.find("General Data"), std::string::npos);
  EXPECT_NE(text.find("Results after Step 2 :"), std::string::npos);
  EXPECT_NE(text.find("Maxima :"), std::string::npos);

  for (const char* wrong :
       {"report Quay.krv", "report -o x.pdf", "report Quay.krv -o x.pdf --only walls"}) {
    r = Run(wrong);
    EXPECT_EQ(r.Code, 2) << wrong;
  }
  r = Run("report Missing.krv -o x.pdf");
  EXPECT_EQ(r.Code, 2);
  EXPECT_FALSE(fs::exists(folder_ / "x.pdf"));

  r = Run("compute Quay.krv", {}, "QT_QPA_PLATFORM=nowhere QT_PLUGIN_PATH=/nonexistent ");
  EXPECT_EQ(r.Code, 0) << r.Err;
}
#endif

}  // namespace
}  // namespace korvanu
