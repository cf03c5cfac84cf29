// korvanu-cli as a user runs it: usage, new, compute on datafiles in temporary
// folders, the exit codes, the step files beside the datafile, the messages.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/Datafile.h"
#include "core/TextFormat.h"
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
  EXPECT_NE(r.Out.find("korvanu-cli compute "), std::string::npos);
  r = Run("--version");
  EXPECT_EQ(r.Code, 0);
  EXPECT_EQ(r.Out, std::string("korvanu-cli ") + KORVANU_VERSION + "\n");

  for (const char* wrong : {"", "frobnicate x.krv", "compute", "new", "--verbose"}) {
    r = Run(wrong);
    EXPECT_EQ(r.Code, 2) << wrong;
    EXPECT_NE(r.Err.find("Usage:"), std::string::npos) << wrong;
    EXPECT_TRUE(r.Out.empty()) << wrong;
  }
  for (const char* wrong :
       {"new a.krv b.krv", "compute --csv", "compute --frobnicate a.krv", "min-length",
        "min-length a.krv b.krv", "min-length a.krv --tol x", "min-length a.krv --tol 0.0001",
        "min-length a.krv --step 1.5", "min-length a.krv -o New.krv"}) {
    r = Run(wrong);
    EXPECT_EQ(r.Code, 2) << wrong;
    EXPECT_NE(r.Err.find("korvanu-cli"), std::string::npos) << wrong;
    EXPECT_TRUE(r.Out.empty()) << wrong;
  }

  // Every command explains itself and the exit codes.
  for (const char* command : {"compute", "min-length", "new"}) {
    r = Run(std::string(command) + " --help");
    EXPECT_EQ(r.Code, 0) << command;
    EXPECT_EQ(r.Out.find(std::string("Usage: korvanu-cli ") + command), 0u) << r.Out;
    EXPECT_NE(r.Out.find("Exit codes:"), std::string::npos) << command;
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
  EXPECT_EQ(r.Err, "korvanu-cli: NoStroke.krv: Floating point division by zero. (step 0)\n");
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

// The default problem under its own name, NT steps; a few fast elements.
ProblemData Default(const std::string& fileName, int NT) {
  ProblemData problem = StartUpProblem();
  problem.General.FileName = fileName;
  problem.General.NT = NT;
  return problem;
}

std::vector<std::string> Lines(const std::string& text, const std::string& end) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(end, start)) != std::string::npos; start = at + end.size()) {
    lines.push_back(text.substr(start, at - start));
  }
  EXPECT_EQ(start, text.size()) << "the last line has no line end";
  return lines;
}

TEST_F(CliTest, MinLengthOfTheAnchoredWallWritesOnlyTheDatafileAskedFor) {
  fs::copy_file(fs::path(KORVANU_EXAMPLES) / "Test3.krv", folder_ / "Test3.krv");
  RunResult r = Run("min-length Test3.krv -o Short.krv");
  ASSERT_EQ(r.Code, 0) << r.Out << r.Err;
  EXPECT_NE(r.Out.find("Minimum length 6.899 m: it stands, 6.898 m fails"), std::string::npos)
      << r.Out;
  // The table at that length, with the anchor force of step 1.
  EXPECT_NE(r.Out.find("\n   1 "), std::string::npos) << r.Out;
  EXPECT_NE(r.Out.find(" 1: 41."), std::string::npos) << r.Out;
  std::vector<std::string> entries;
  for (const auto& entry : fs::directory_iterator(folder_)) {
    entries.push_back(entry.path().filename().string());
  }
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{"Short.krv", "Test3.krv"}));

  ProblemData written = StartUpProblem();
  ASSERT_FALSE(ReadDatafile(ReadFile(folder_ / "Short.krv"), written));
  EXPECT_EQ(written.General.FileName, "Short.krv");
  EXPECT_DOUBLE_EQ(written.Z[3], 6.899);
  EXPECT_DOUBLE_EQ(written.General.Length, 6.899);
  EXPECT_EQ(Run("compute Short.krv").Code, 0);

  r = Run("min-length Test3.krv --step 2");
  EXPECT_EQ(r.Code, 2);
  EXPECT_NE(r.Err.find("Test3.krv"), std::string::npos) << r.Err;
}

TEST_F(CliTest, MinLengthSaysSoWhenEvenAVeryShortWallStands) {
  // Nothing excavated and no load: the wall never moves, whatever its length.
  ProblemData problem = Default("Still.krv", 1);
  for (int j = 0; j < problem.General.NL; ++j) {
    problem.Layer(j, 1, Side::Left) = problem.Layer(j, 0, Side::Left);
  }
  problem.Anchors[1][1] = AnchorRecord{0.0, 0.0, 1.0};
  WriteProblem("Still.krv", problem);
  const RunResult r = Run("min-length Still.krv -o Out.krv");
  EXPECT_EQ(r.Code, 1) << r.Out << r.Err;
  EXPECT_NE(r.Out.find("No failing length: even a wall of 3.031 m"), std::string::npos) << r.Out;
  EXPECT_NE(r.Err.find("Still.krv"), std::string::npos) << r.Err;
  EXPECT_FALSE(fs::exists(folder_ / "Out.krv"));
}

TEST_F(CliTest, CsvFilesCarryTheStepFilesNumbersAtFullPrecision) {
  WriteProblem("Wall.krv", Default("Wall.krv", 2));
  const RunResult r = Run("compute Wall.krv --csv out");
  ASSERT_EQ(r.Code, 0) << r.Out << r.Err;
  EXPECT_NE(r.Out.find("CSV files in out: Wall.1.csv Wall.2.csv"), std::string::npos) << r.Out;
  for (int step = 1; step <= 2; ++step) {
    const std::string name = "Wall." + std::to_string(step);
    const std::vector<std::string> csv = Lines(ReadFile(folder_ / "out" / (name + ".csv")), "\r\n");
    const std::vector<std::string> records = Lines(ReadFile(folder_ / name), "\n");
    ASSERT_EQ(csv.size(), 102u);
    ASSERT_EQ(records.size(), 106u);
    EXPECT_EQ(csv[0],
              "node,z_m,w_m,M_kNm_per_m,Qminus_kN_per_m,Qplus_kN_per_m,F_kN_per_m,"
              "f_kN_per_m2");
    for (int i = 0; i <= 100; ++i) {
      // Printed as the step file prints, each CSV number gives its field.
      std::istringstream fields(csv[i + 1]);
      std::string field;
      std::getline(fields, field, ',');
      std::string printed = Format("%6d,", std::stoi(field));
      int count = 0;
      while (std::getline(fields, field, ',')) {
        printed += Format("%12.6f,", std::strtod(field.c_str(), nullptr));
        ++count;
      }
      EXPECT_EQ(count, 7) << csv[i + 1];
      EXPECT_EQ(printed, records[i + 5]) << name << " node " << i;
    }
  }
}

TEST_F(CliTest, ABatchGoesOnPastAFaultAndEndsWithTheWorstCode) {
  WriteProblem("A.krv", Default("A.krv", 1));
  ProblemData faulty = Default("B.krv", 1);
  faulty.Layer(3, 0, Side::Left).Dw = 0.0;
  WriteProblem("B.krv", faulty);
  fs::create_directories(folder_ / "sub");
  WriteProblem("sub/C.krv", Default("C.krv", 2));
  RunResult r = Run("compute A.krv B.krv sub/C.krv");
  EXPECT_EQ(r.Code, 3) << r.Out << r.Err;
  EXPECT_EQ(r.Err, "korvanu-cli: B.krv: Floating point division by zero. (step 0)\n");
  EXPECT_TRUE(fs::exists(folder_ / "A.1"));
  EXPECT_TRUE(fs::exists(folder_ / "sub" / "C.2"));
  EXPECT_FALSE(fs::exists(folder_ / "C.1"));
  const std::string summary =
      "Summary (exit code, datafile, outcome):\n"
      "  0  A.krv: steps 0 to 1 converged, 1 step file\n"
      "  3  B.krv: Floating point division by zero. (step 0)\n"
      "  0  sub/C.krv: steps 0 to 2 converged, 2 step files\n";
  EXPECT_NE(r.Out.find("Problem  "), std::string::npos);
  EXPECT_EQ(r.Out.substr(r.Out.size() - std::min(r.Out.size(), summary.size())), summary);

  // Only the summaries; a datafile whose results would overwrite another's is refused.
  WriteProblem("Twin.krv", Default("A.krv", 1));
  r = Run("compute --quiet A.krv Twin.krv Absent.krv");
  EXPECT_EQ(r.Code, 2) << r.Out << r.Err;
  EXPECT_EQ(r.Out.find("Summary"), 0u) << r.Out;
  EXPECT_NE(r.Out.find("  0  A.krv: steps 0 to 1 converged"), std::string::npos) << r.Out;
  EXPECT_NE(r.Out.find("  2  Twin.krv: its results, named A.*"), std::string::npos) << r.Out;
  EXPECT_NE(r.Out.find("  2  Absent.krv: Unable to load datafile Absent.krv"), std::string::npos)
      << r.Out;
  EXPECT_NE(r.Err.find("Twin.krv"), std::string::npos) << r.Err;
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
  // A folder that is not there: the tool's message alone, before computing.
  fs::remove(folder_ / "Quay.1");
  r = Run("report Quay.krv -o missing/r.pdf");
  EXPECT_EQ(r.Code, 2);
  EXPECT_EQ(r.Err,
            "korvanu-cli: missing/r.pdf: the report could not be written: No such file or "
            "directory\n");
  EXPECT_FALSE(fs::exists(folder_ / "Quay.1"));

  r = Run("compute Quay.krv", {}, "QT_QPA_PLATFORM=nowhere QT_PLUGIN_PATH=/nonexistent ");
  EXPECT_EQ(r.Code, 0) << r.Err;

  // The tool itself links no Qt library: the printing runs in korvanu-print.
  const std::string libraries = (folder_ / "needed.txt").string();
  ASSERT_EQ(
      std::system(("objdump -p '" KORVANU_CLI "' | grep NEEDED >'" + libraries + "'").c_str()), 0);
  const std::string needed = ReadFile(libraries);
  EXPECT_NE(needed.find("libc.so"), std::string::npos) << needed;
  EXPECT_EQ(needed.find("Qt"), std::string::npos) << needed;
}

// The printed design summary carries the numbers of the check command, line
// by line (compared word by word, as the PDF's spacing differs).
TEST_F(CliTest, ReportPrintsTheDesignSummaryOfTheCheckCommand) {
  fs::copy_file(fs::path(KORVANU_EXAMPLES) / "Test3.krv", folder_ / "Test3.krv");
  const RunResult check = Run("check Test3.krv");
  ASSERT_EQ(check.Code, 0) << check.Err;
  RunResult r = Run("report Test3.krv --only design -o design.pdf");
  ASSERT_EQ(r.Code, 0) << r.Err;
  ASSERT_EQ(std::system(("pdftotext -layout '" + (folder_ / "design.pdf").string() + "' '" +
                         (folder_ / "design.txt").string() + "'")
                            .c_str()),
            0);
  const auto words = [](const std::string& text) {
    std::istringstream in(text);
    std::string all, word;
    while (in >> word) all += word + " ";
    return all;
  };
  const std::string printed = words(ReadFile(folder_ / "design.txt"));
  EXPECT_NE(printed.find("Design Summary"), std::string::npos);
  EXPECT_EQ(printed.find("Results after Step"), std::string::npos);
  std::istringstream lines(check.Out);
  std::string line;
  int compared = 0;
  while (std::getline(lines, line)) {
    // The file line names the datafile as given; the report prints the problem.
    if (line.rfind("File", 0) == 0 || words(line).empty()) continue;
    EXPECT_NE(printed.find(words(line)), std::string::npos) << line;
    ++compared;
  }
  EXPECT_GT(compared, 15);
}

// The manual prints headless too: the nine pages of the manual window's print.
TEST_F(CliTest, ManualWritesThePrintedManualAsAPdf) {
  RunResult r = Run("manual -o manual.pdf");
  ASSERT_EQ(r.Code, 0) << r.Err;
  EXPECT_NE(r.Out.find("Wrote the manual to manual.pdf (9 pages)"), std::string::npos) << r.Out;
  EXPECT_EQ(ReadFile(folder_ / "manual.pdf").rfind("%PDF", 0), 0u);
  for (const char* wrong : {"manual", "manual -o", "manual -o a.pdf b.pdf"}) {
    EXPECT_EQ(Run(wrong).Code, 2) << wrong;
  }
  // A folder that is not there: the tool's message alone, and no file.
  r = Run("manual -o missing/manual.pdf");
  EXPECT_EQ(r.Code, 2);
  EXPECT_EQ(r.Err,
            "korvanu-cli: missing/manual.pdf: the manual could not be written: No such file or "
            "directory\n");
  EXPECT_FALSE(fs::exists(folder_ / "missing"));
}

// The study's plot: the report's page frame over the charts, one page per
// input of a sweep, histograms and tornado charts of a sample.
TEST_F(CliTest, StudyPlotsArePrintedPages) {
  const std::string test3 = std::string(KORVANU_EXAMPLES) + "/Test3.krv";
  RunResult r = Run("study '" + test3 +
                    "' --vary layers.Kp=2.8:3.2:5 --vary layers.Dw=0.015:0.025:3 --min-length "
                    "-o sweep.csv --plot sweep.pdf");
  ASSERT_EQ(r.Code, 0) << r.Err;
  EXPECT_NE(r.Out.find("Wrote the plot to sweep.pdf (2 pages)"), std::string::npos) << r.Out;
  r = Run("study '" + test3 +
          "' --vary layers.Kp=lognormal:3.3:0.3 --samples 50 --limit M=63 -o sample.csv "
          "--plot sample.pdf");
  ASSERT_EQ(r.Code, 0) << r.Err;
  for (const char* pdf : {"sweep", "sample"}) {
    const std::string base = (folder_ / pdf).string();
    ASSERT_EQ(std::system(("pdftotext '" + base + ".pdf' '" + base + ".txt'").c_str()), 0);
  }
  const std::string sweep = ReadFile(folder_ / "sweep.txt");
  EXPECT_NE(sweep.find("Korvanu - Sheet Pile Wall"), std::string::npos);
  EXPECT_NE(sweep.find("Outputs against layers.Kp"), std::string::npos);
  EXPECT_NE(sweep.find("Outputs against layers.Dw"), std::string::npos);
  EXPECT_NE(sweep.find("min length m"), std::string::npos);
  EXPECT_NE(sweep.find("datafile 6.901"), std::string::npos);
  const std::string sample = ReadFile(folder_ / "sample.txt");
  EXPECT_NE(sample.find("Histograms of the outputs"), std::string::npos);
  EXPECT_NE(sample.find("Rank correlations of the inputs with each output"), std::string::npos);
  EXPECT_NE(sample.find("limit"), std::string::npos);

  r = Run("study '" + test3 + "' --vary layers.Kp=3:3.2:2 -o s.csv --plot missing/s.pdf");
  EXPECT_EQ(r.Code, 2);
  EXPECT_EQ(r.Err,
            "korvanu-cli study: --plot missing/s.pdf: the plot could not be written: No such file "
            "or directory\n");
  EXPECT_FALSE(fs::exists(folder_ / "s.csv"));
}
#endif

TEST_F(CliTest, CoefficientsFromTheStrength) {
  RunResult r = Run("coefficients --phi 30 --delta 20");
  EXPECT_EQ(r.Code, 0) << r.Err;
  EXPECT_EQ(r.Out, "Ka 0.279\nKn 0.500\nKp 5.737\n");
  r =
      Run("coefficients --phi 30 --delta-ratio 0.6666667 --method curved --ocr 2 --kh 10000 "
          "--sigma-v 31");
  EXPECT_EQ(r.Code, 0) << r.Err;
  EXPECT_EQ(r.Out, "Ka 0.279\nKn 0.707\nKp 4.633\nDw 0.0135\n");
  for (const char* refused :
       {"coefficients --phi 60", "coefficients --delta 10", "coefficients --phi 30 --kh 1000",
        "coefficients --phi x", "coefficients --phi 30 --method plane"}) {
    r = Run(refused);
    EXPECT_EQ(r.Code, 2) << refused;
    EXPECT_TRUE(r.Out.empty()) << refused;
  }
  EXPECT_NE(r.Err.find("--method plane"), std::string::npos) << r.Err;
  EXPECT_NE(Run("coefficients --phi 60").Err.find("φ' 60 is outside its range 0..50"),
            std::string::npos);
  // Each refusal in its own words.
  for (const auto& [words, why] : std::vector<std::pair<const char*, const char*>>{
           {"coefficients --kh 1e-300 --sigma-v 50 --phi 30", "k_h 1e-300 is outside its range"},
           {"coefficients --phi 30 --kh 1000 --sigma-v 0", "--sigma-v 0.000: the vertical"},
           {"coefficients --phi 30 --kh 1000 --sigma-v -5", "--sigma-v -5.000: the vertical"},
           {"coefficients 30 --phi 30", "unexpected argument 30"},
           {"coefficients --phi 30 --phi 35", "--phi is given twice"},
           {"coefficients --phi 0x1e", "--phi 0x1e is not a number"},
           {"coefficients --phi --delta 5", "--phi needs a value"}}) {
    r = Run(words);
    EXPECT_EQ(r.Code, 2) << words;
    EXPECT_NE(r.Err.find(why), std::string::npos) << words << ": " << r.Err;
  }
  // What is not used, or was capped, is said.
  r = Run("coefficients --phi 30 --delta 20 --method rankine");
  EXPECT_EQ(r.Code, 0);
  EXPECT_NE(r.Err.find("no wall friction; --delta is not used"), std::string::npos) << r.Err;
  r = Run("coefficients --phi 30 --ocr 1e300");
  EXPECT_EQ(r.Out, "Ka 0.333\nKn 3.000\nKp 3.000\n");
  EXPECT_NE(r.Err.find("is above Kp: Kn is taken as Kp"), std::string::npos) << r.Err;
}

}  // namespace
}  // namespace korvanu
