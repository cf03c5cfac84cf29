// Step file names and records: the base name rules, the exact header and
// record layout, write failures and values that must never reach a file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cfloat>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>

#include "engine/BeamEquations.h"
#include "engine/FloatingPointFault.h"
#include "engine/StepOutput.h"
#include "tests/engine/EngineTestSupport.h"

namespace korvanu {
namespace {

TEST(StepFileNameTest, BaseNameBeforeTheFirstDotAtMost24Characters) {
  EXPECT_EQ(StepBaseName("Wall.krv"), "Wall");
  EXPECT_EQ(StepBaseName("A.B.krv"), "A");
  EXPECT_EQ(StepBaseName("NoExtension"), "NoExtension");
  EXPECT_EQ(StepBaseName("abcdefghijklmnopqrstuvwxyz0123"), "abcdefghijklmnopqrstuvwx");
  // 24 characters, not 24 bytes: "ü" is two bytes of UTF-8.
  EXPECT_EQ(StepBaseName("S\xC3\xBC"
                         "dabcdefghijklmnopqrstuvwxyz.krv"),
            "S\xC3\xBC"
            "dabcdefghijklmnopqrstu");
  EXPECT_EQ(StepOutputFileName("Wall.krv", 1), "Wall.1");
  EXPECT_EQ(StepOutputFileName("Wall.krv", 12), "Wall.12");
  EXPECT_EQ(StepOutputFileName("A.B.krv", 2), "A.2");
}

TEST(StepFileNameTest, FolderPartsAreDropped) {
  EXPECT_EQ(StepBaseName("../up/Wall.krv"), "Wall");
  EXPECT_EQ(StepBaseName("/etc/cron.d/job"), "job");
  EXPECT_EQ(StepBaseName("C:\\data\\Wall.krv"), "Wall");
  EXPECT_EQ(StepBaseName("sub/..\\..\\x.krv"), "x");
  EXPECT_EQ(StepOutputFileName("..", 1), ".1");
  EXPECT_EQ(StepOutputFileName("dir/", 3), ".3");
}

TEST(StepFileNameTest, FromTheProblem) {
  auto problem = test::DefaultProblem();
  problem->General.FileName = "Quay.krv";
  EXPECT_EQ(StepBaseName(*problem), "Quay");
  EXPECT_EQ(StepOutputFileName(*problem, 4), "Quay.4");
}

class StepFileTest : public test::ScratchFolder {
 protected:
  void SetUp() override {
    test::ScratchFolder::SetUp();
    ClearFloatingPointFlags();
    problem = test::DefaultProblem();
    problem->General.NN = 10;
    test::SetBoundaries(*problem, {0.0, 5.0});
    engine = std::make_unique<EngineState>();
    PlaceNodes(*problem, *engine);
  }
  std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
      const std::size_t end = text.find('\n', start);
      lines.push_back(text.substr(start, end - start));
      start = end + 1;
    }
    return lines;
  }
  std::unique_ptr<ProblemData> problem;
  std::unique_ptr<EngineState> engine;
};

TEST_F(StepFileTest, HeaderAndOneRecordPerNode) {
  auto& r = engine->Nodes;
  r.w[3] = 0.012345;
  r.M[3] = -1.5;
  r.Qminus[3] = 2.0;
  r.Qplus[3] = 5.0;
  r.Qplus[2] = 1.0;
  r.Qplus[0] = 7.0;
  ASSERT_TRUE(WriteStepOutput(*problem, *engine, "Wall.1"));
  const std::string text = ReadFile("Wall.1");
  EXPECT_EQ(text.find('\r'), std::string::npos);
  ASSERT_EQ(text.back(), '\n');
  const auto lines = Lines(text);
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[0], "########################");
  EXPECT_EQ(lines[1], "#  Korvanu : Output Data");
  EXPECT_EQ(lines[2], "########################");
  EXPECT_EQ(lines[3],
            "#    I      Z            W            M            Q-           Q+           F    "
            "        f");
  EXPECT_EQ(lines[4], "########################");
  for (std::size_t i = 5; i < lines.size(); ++i) EXPECT_EQ(lines[i].size(), 98u) << lines[i];
  // Node 0: f = 0 and F = Q+ - Q-.
  EXPECT_EQ(lines[5],
            "     0,    0.000000,    0.000000,    0.000000,    0.000000,    7.000000,    "
            "7.000000,    0.000000,");
  // Node 3 at 1.5 m: F = 3, f = (2 - 1) / 0.5.
  EXPECT_EQ(lines[8],
            "     3,    1.500000,    0.012345,   -1.500000,    2.000000,    5.000000,    "
            "3.000000,    2.000000,");
  EXPECT_EQ(lines[15].substr(0, 19), "    10,    5.000000");
}

// The fields must carry exactly the digits printf gives, ties and signs included.
TEST_F(StepFileTest, FieldsMatchPrintfForAwkwardValues) {
  const double values[] = {1.0 / 128,      -1.0 / 128,  0.0000005, -0.0000004, -0.0,      2.5e-7,
                           123456.7890125, -98765.4321, 1e7,       -3.3e11,    0.1 + 0.2, 1e-300};
  problem->General.NN = 11;
  PlaceNodes(*problem, *engine);
  for (int i = 0; i <= 11; ++i) {
    engine->Nodes.w[i] = values[i];
    engine->Nodes.M[i] = -values[11 - i];
  }
  ASSERT_TRUE(WriteStepOutput(*problem, *engine, "Odd.1"));
  const auto lines = Lines(ReadFile("Odd.1"));
  ASSERT_EQ(lines.size(), 17u);
  for (int i = 0; i <= 11; ++i) {
    const auto& r = engine->Nodes;
    const double f = i == 0 ? 0.0 : (r.Qminus[i] - r.Qplus[i - 1]) / (r.z[i] - r.z[i - 1]);
    char expected[512];
    std::snprintf(expected, sizeof expected,
                  "%6d,%12.6f,%12.6f,%12.6f,%12.6f,%12.6f,%12.6f,%12.6f,", i, r.z[i], r.w[i],
                  r.M[i], r.Qminus[i], r.Qplus[i], r.Qplus[i] - r.Qminus[i], f);
    EXPECT_EQ(lines[5 + i], expected);
  }
}

TEST_F(StepFileTest, AnExistingFileIsReplaced) {
  {
    std::FILE* f = std::fopen("Wall.2", "w");
    std::fputs(std::string(5000, 'x').c_str(), f);
    std::fclose(f);
  }
  ASSERT_TRUE(WriteStepOutput(*problem, *engine, "Wall.2"));
  EXPECT_EQ(ReadFile("Wall.2").size(), std::strlen(StepFileHeader) + 11 * 99);
}

TEST_F(StepFileTest, FileThatCannotBeCreatedIsReported) {
  std::filesystem::create_directory("Wall.1");
  EXPECT_FALSE(WriteStepOutput(*problem, *engine, "Wall.1"));
  EXPECT_FALSE(WriteStepOutput(*problem, *engine, "missing-folder/Wall.1"));
}

TEST_F(StepFileTest, WriteFailureAfterOpeningIsReported) {
  struct stat info;
  if (stat("/dev/full", &info) != 0) GTEST_SKIP() << "no /dev/full here";
  EXPECT_FALSE(WriteStepOutput(*problem, *engine, "/dev/full"));
  EXPECT_EQ(stat("/dev/full", &info), 0);  // the device is left alone
}

TEST_F(StepFileTest, OverflowWhileWritingLeavesNoFile) {
  engine->Nodes.Qminus[4] = -DBL_MAX;
  engine->Nodes.Qplus[4] = DBL_MAX;
  try {
    WriteStepOutput(*problem, *engine, "Wall.3");
    FAIL() << "no fault";
  } catch (const FloatingPointFaultError& fault) {
    EXPECT_EQ(fault.Fault(), ComputationFault::Overflow);
  }
  ClearFloatingPointFlags();
  EXPECT_FALSE(std::filesystem::exists("Wall.3"));
}

TEST_F(StepFileTest, ZeroLengthElementIsAFaultNotAnInfinity) {
  engine->Nodes.z[6] = engine->Nodes.z[5];
  engine->Nodes.Qminus[6] = 1.0;
  try {
    WriteStepOutput(*problem, *engine, "Wall.4");
    FAIL() << "no fault";
  } catch (const FloatingPointFaultError& fault) {
    EXPECT_EQ(fault.Fault(), ComputationFault::DivisionByZero);
  }
  EXPECT_FALSE(std::filesystem::exists("Wall.4"));
}

TEST_F(StepFileTest, WideNumbersWidenTheirField) {
  engine->Nodes.M[2] = -1.0e9;
  engine->Nodes.w[3] = -DBL_MAX;
  ASSERT_TRUE(WriteStepOutput(*problem, *engine, "Wide.1"));
  const auto lines = Lines(ReadFile("Wide.1"));
  EXPECT_NE(lines[7].find(",-1000000000.000000,"), std::string::npos) << lines[7];
  char widest[400];
  std::snprintf(widest, sizeof widest, ",%12.6f,", -DBL_MAX);
  EXPECT_NE(lines[8].find(widest), std::string::npos);
}

}  // namespace
}  // namespace korvanu
