// The step file reader: record splitting, skipped and counted lines, long
// records, damaged and missing files, and the derived F and f.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/TextFormat.h"
#include "results/ResultQuantities.h"
#include "results/StepOutputReader.h"

namespace korvanu {
namespace {

namespace fs = std::filesystem;

const char* const Header =
    "########################\n"
    "#  Korvanu : Output Data\n"
    "########################\n"
    "#    I      Z            W            M            Q-           Q+           F            f\n"
    "########################\n";

std::string Record(int i, double z, double w, double m, double qm, double qp) {
  return Format("%6d,%12.6f,%12.6f,%12.6f,%12.6f,%12.6f,%12.6f,%12.6f,\n", i, z, w, m, qm, qp,
                qp - qm, 0.0);
}

class StepOutputReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() /
        ("korvanu-reader-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    // Marks every entry so that untouched nodes can be told from stored ones.
    for (int i = 0; i < MaxNodes; ++i) {
      results_.z[i] = results_.w[i] = results_.M[i] = -7.0;
      results_.Qminus[i] = results_.Qplus[i] = -7.0;
    }
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Write(const std::string& content, const std::string& name = "Wall.1") {
    const fs::path path = folder_ / name;
    std::ofstream out(path, std::ios::binary);
    out << content;
    return path.string();
  }

  fs::path folder_;
  NodeResults results_{};
};

TEST_F(StepOutputReaderTest, ReadsEveryNodeOfAWrittenFile) {
  std::string text = Header;
  for (int i = 0; i <= 10; ++i) {
    text += Record(i, 0.4 * i, 0.012345 - 0.001 * i, -1.5 * i, 2.0 * i, 2.0 * i + 0.5);
  }
  const StepReadOutcome outcome = ReadStepOutput(Write(text), 10, results_);
  EXPECT_TRUE(outcome.Ok);
  EXPECT_EQ(outcome.Records, 11);
  EXPECT_FALSE(outcome.EndedEarly);
  EXPECT_TRUE(outcome.Message.empty());
  EXPECT_DOUBLE_EQ(results_.z[10], 4.0);
  EXPECT_DOUBLE_EQ(results_.w[0], 0.012345);
  EXPECT_DOUBLE_EQ(results_.M[10], -15.0);
  EXPECT_DOUBLE_EQ(results_.Qminus[7], 14.0);
  EXPECT_DOUBLE_EQ(results_.Qplus[7], 14.5);
  EXPECT_EQ(results_.z[11], -7.0);  // beyond NN: not touched
}

TEST_F(StepOutputReaderTest, SplitsFieldsAtRunsOfBlanksCommasAndSemicolons) {
  const StepRecord r = ParseStepRecord("  3 ; 1.5,0.01  2.0;;-4 5");
  EXPECT_EQ(r.Index, 3);
  EXPECT_DOUBLE_EQ(r.Values[0], 1.5);
  EXPECT_DOUBLE_EQ(r.Values[1], 0.01);
  EXPECT_DOUBLE_EQ(r.Values[2], 2.0);
  EXPECT_DOUBLE_EQ(r.Values[3], -4.0);
  EXPECT_DOUBLE_EQ(r.Values[4], 5.0);

  // Tab and CR are not separators: they stay in the field they touch, and the
  // number conversion stops at them.
  const StepRecord tabbed = ParseStepRecord("2\t9,1.25\t7,3\r");
  EXPECT_EQ(tabbed.Index, 2);
  EXPECT_DOUBLE_EQ(tabbed.Values[0], 1.25);
  EXPECT_DOUBLE_EQ(tabbed.Values[1], 3.0);
  EXPECT_DOUBLE_EQ(tabbed.Values[2], 0.0);

  // Fields after the sixth (the written F and f) are never read.
  const StepRecord full = ParseStepRecord("1,2,3,4,5,6,99,98");
  EXPECT_DOUBLE_EQ(full.Values[4], 6.0);

  const StepRecord words = ParseStepRecord("x,abc,,1e2");
  EXPECT_EQ(words.Index, 0);
  EXPECT_DOUBLE_EQ(words.Values[0], 0.0);
  EXPECT_DOUBLE_EQ(words.Values[1], 100.0);
}

TEST_F(StepOutputReaderTest, ShortRecordsCommentsAndBlankLines) {
  // Node 1 has three fields only; comment lines between records do not count;
  // the blank line is a record of its own (node 0, all values 0).
  const std::string text = std::string(Header) + "1, 2.5, 0.75\n" + "# a remark\n" + "#\n" +
                           "2,5.0,0.1,0.2,0.3,0.4\r\n" + "\n";
  const StepReadOutcome outcome = ReadStepOutput(Write(text), 2, results_);
  EXPECT_TRUE(outcome.Ok);
  EXPECT_EQ(outcome.Records, 3);
  EXPECT_DOUBLE_EQ(results_.z[1], 2.5);
  EXPECT_DOUBLE_EQ(results_.w[1], 0.75);
  EXPECT_EQ(results_.M[1], 0.0);
  EXPECT_EQ(results_.Qminus[1], 0.0);
  EXPECT_EQ(results_.Qplus[1], 0.0);
  EXPECT_DOUBLE_EQ(results_.Qplus[2], 0.4);
  EXPECT_EQ(results_.z[0], 0.0);
  EXPECT_EQ(results_.Qplus[0], 0.0);
}

TEST_F(StepOutputReaderTest, ALongRecordStaysOneRecord) {
  // Very large numbers widen the fixed fields far past 139 characters.
  std::string text = Header;
  text += "#" + std::string(300, '-') + "\n";  // a long comment is skipped whole
  text += Record(0, 0.0, 1e150, -2e200, 3e100, 4e250);
  text += Record(1, 1.0, 0.5, 0.25, 0.125, 0.0625);
  ASSERT_GT(Record(0, 0.0, 1e150, -2e200, 3e100, 4e250).size(), 500u);
  const StepReadOutcome outcome = ReadStepOutput(Write(text), 1, results_);
  EXPECT_TRUE(outcome.Ok);
  EXPECT_EQ(outcome.Records, 2);
  EXPECT_FALSE(outcome.EndedEarly);
  EXPECT_NEAR(results_.w[0] / 1e150, 1.0, 1e-12);
  EXPECT_NEAR(results_.M[0] / -2e200, 1.0, 1e-12);
  EXPECT_NEAR(results_.Qplus[0] / 4e250, 1.0, 1e-12);
  EXPECT_DOUBLE_EQ(results_.z[1], 1.0);
  EXPECT_DOUBLE_EQ(results_.Qplus[1], 0.0625);
}

TEST_F(StepOutputReaderTest, AMissingOrUnreadableFileLeavesTheArrays) {
  const NodeResults before = results_;
  StepReadOutcome outcome = ReadStepOutput((folder_ / "Nothing.1").string(), 10, results_);
  EXPECT_FALSE(outcome.Ok);
  EXPECT_EQ(outcome.Message, "Unable to read datafile.\n");
  EXPECT_EQ(results_.z, before.z);

  fs::create_directories(folder_ / "Folder.1");  // opens, but cannot be read
  outcome = ReadStepOutput((folder_ / "Folder.1").string(), 10, results_);
  EXPECT_FALSE(outcome.Ok);
  EXPECT_EQ(outcome.Message, "Unable to read datafile.\n");
  EXPECT_EQ(results_.w, before.w);
}

TEST_F(StepOutputReaderTest, AFileEndingEarlyStopsThere) {
  std::string text = Header;
  text += Record(0, 0.0, 0.1, 0.0, 0.0, 1.0);
  text += "1,0.5,0.2";  // the last line has no line feed
  const StepReadOutcome outcome = ReadStepOutput(Write(text), 1000, results_);
  EXPECT_TRUE(outcome.Ok);
  EXPECT_TRUE(outcome.EndedEarly);
  EXPECT_EQ(outcome.Records, 2);
  EXPECT_DOUBLE_EQ(results_.w[1], 0.2);
  EXPECT_EQ(results_.w[2], -7.0);  // unread nodes keep their values

  const StepReadOutcome empty = ReadStepOutput(Write("", "Empty.1"), 10, results_);
  EXPECT_TRUE(empty.Ok);
  EXPECT_TRUE(empty.EndedEarly);
  EXPECT_EQ(empty.Records, 0);
}

TEST_F(StepOutputReaderTest, IndicesOutsideTheArraysAreSkipped) {
  const std::string text =
      "-1,9,9,9,9,9\n1001,9,9,9,9,9\n99999999999,9,9,9,9,9\n"
      "1000,4.5,1,2,3,4\n";
  const StepReadOutcome outcome = ReadStepOutput(Write(text), 3, results_);
  EXPECT_TRUE(outcome.Ok);
  EXPECT_EQ(outcome.Records, 4);
  EXPECT_EQ(outcome.Skipped, 3);
  EXPECT_DOUBLE_EQ(results_.z[1000], 4.5);  // the last entry of the arrays is in range
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(results_.z[i], -7.0) << i;
}

TEST_F(StepOutputReaderTest, RandomBytesNeverCrashOrLoop) {
  std::mt19937 random(20061);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(static_cast<size_t>(random() % 4000), '\0');
    for (char& c : bytes) {
      // Lean towards the characters that matter to the reader.
      const unsigned pick = random() % 10;
      c = pick < 3 ? "0123456789.,;# \n\r\t-e"[random() % 21] : static_cast<char>(random() % 256);
    }
    const StepReadOutcome outcome =
        ReadStepOutput(Write(bytes, "Noise." + std::to_string(round)), 1000, results_);
    ASSERT_TRUE(outcome.Ok);
    ASSERT_LE(outcome.Records, 1001);
  }
  for (int i = 0; i < MaxNodes; ++i) {
    ASSERT_TRUE(std::isfinite(results_.z[i]) && std::isfinite(results_.w[i]) &&
                std::isfinite(results_.M[i]) && std::isfinite(results_.Qminus[i]) &&
                std::isfinite(results_.Qplus[i]))
        << i;
    ASSERT_TRUE(std::isfinite(ConcentratedForce(results_, i)));
    ASSERT_TRUE(std::isfinite(DistributedLoad(results_, i)));
  }
}

TEST(ResultQuantitiesTest, ForceAndLoadFromTheShearForces) {
  NodeResults r{};
  r.z[0] = 0.0, r.z[1] = 0.5, r.z[2] = 1.0, r.z[3] = 1.0;
  r.Qminus[0] = 0.0, r.Qplus[0] = 10.0;   // a force of 10 at the top
  r.Qminus[1] = 12.0, r.Qplus[1] = 12.0;  // 2 kN/m over 0.5 m
  r.Qminus[2] = 11.0, r.Qplus[2] = 51.0;  // -1 over 0.5 m, then an anchor of 40
  r.Qminus[3] = 60.0, r.Qplus[3] = 60.0;  // an element of zero length
  EXPECT_DOUBLE_EQ(ConcentratedForce(r, 0), 10.0);
  EXPECT_DOUBLE_EQ(ConcentratedForce(r, 2), 40.0);
  EXPECT_EQ(DistributedLoad(r, 0), 0.0);
  EXPECT_DOUBLE_EQ(DistributedLoad(r, 1), 4.0);
  EXPECT_DOUBLE_EQ(DistributedLoad(r, 2), -2.0);
  EXPECT_EQ(DistributedLoad(r, 3), 0.0);

  r.z[1] = 1e-300;
  r.Qplus[0] = -DBL_MAX;
  r.Qminus[1] = DBL_MAX;
  EXPECT_EQ(ConcentratedForce(r, 0), -DBL_MAX);
  EXPECT_EQ(DistributedLoad(r, 1), DBL_MAX);
}

}  // namespace
}  // namespace korvanu
