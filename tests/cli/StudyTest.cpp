// The study command on examples/Test3.krv: its runs against compute of
// datafiles edited by hand, a grid, the samples, a known share of failures,
// and the names and values it refuses.
#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "analysis/MinimumLength.h"
#include "cli/StudyCommand.h"
#include "core/Datafile.h"
#include "core/DatafileFiles.h"
#include "core/TextFormat.h"
#include "engine/StrengthCoefficients.h"

namespace korvanu {
namespace {

namespace fs = std::filesystem;

const std::string Test3 = std::string(KORVANU_EXAMPLES) + "/Test3.krv";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

double Read(const std::string& text) {
  double value = std::nan("");
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// The records of a CSV file without quoted fields, by column name.
using Record = std::map<std::string, std::string>;
std::vector<Record> ReadCsv(const fs::path& path) {
  std::istringstream lines(ReadFile(path));
  std::vector<std::string> header;
  std::vector<Record> records;
  std::string line;
  while (std::getline(lines, line)) {
    EXPECT_EQ(line.back(), '\r');
    line.pop_back();
    std::vector<std::string> fields;
    std::stringstream split(line);
    std::string field;
    while (std::getline(split, field, ',')) fields.push_back(field);
    if (line.back() == ',') fields.emplace_back();
    if (header.empty()) {
      header = fields;
      continue;
    }
    EXPECT_EQ(fields.size(), header.size()) << line;
    Record record;
    for (std::size_t k = 0; k < std::min(fields.size(), header.size()); ++k) {
      record[header[k]] = fields[k];
    }
    records.push_back(record);
  }
  return records;
}

class StudyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              (std::string("korvanu-study-") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    StartUpProblem(test3_);
    ASSERT_FALSE(LoadDatafile(Test3, test3_));
  }
  void TearDown() override { fs::remove_all(folder_); }

  // The study of Test 3 (or `file`) with `words` and -o study.csv in the
  // test's folder.
  int Study(const std::string& words, const std::string& file = Test3) {
    Arguments arguments{file};
    std::istringstream split(words);
    for (std::string word; split >> word;) arguments.push_back(word);
    arguments.push_back("-o");
    arguments.push_back((folder_ / "study.csv").string());
    out_.str("");
    err_.str("");
    return RunStudyCommand(arguments, out_, err_, nullptr);
  }

  fs::path folder_;
  ProblemData test3_;
  std::ostringstream out_;
  std::ostringstream err_;
};

// The largest |value| of a step CSV column and its depth, the upper node on a tie.
std::pair<double, double> Largest(const std::vector<Record>& nodes, const std::string& column) {
  std::pair<double, double> best{-1.0, 0.0};
  for (const Record& node : nodes) {
    const double value = std::fabs(Read(node.at(column)));
    if (value > best.first) best = {value, Read(node.at("z_m"))};
  }
  return best;
}

TEST_F(StudyTest, SweepRunsEqualComputeOfDatafilesEditedByHand) {
  ASSERT_EQ(Study("--vary layers.Kp=2.9:3.1:3 --vary anchor1.Fa=60:100:2 --min-length "
                  "--keep-runs " +
                  (folder_ / "kept").string()),
            0)
      << err_.str();
  const std::vector<Record> runs = ReadCsv(folder_ / "study.csv");
  ASSERT_EQ(runs.size(), 5u);

  int standing = 0;
  for (std::size_t r = 0; r < runs.size(); ++r) {
    const Record& run = runs[r];
    // The edit an engineer would make: Kp of every layer in every step on
    // both sides, but not in the excavated pit; Fa where the anchor stands.
    ProblemData edited = test3_;
    const double kp = Read(run.at("layers.Kp"));
    const double fa = Read(run.at("anchor1.Fa"));
    for (int j = 0; j < edited.General.NL; ++j) {
      for (int s = 0; s <= edited.General.NT; ++s) {
        for (Side side : {Side::Left, Side::Right}) {
          LayerProperties& l = edited.Layer(j, s, side);
          if (l.Wd > 0.0) l.Kp = kp;
        }
      }
    }
    for (int s = 1; s <= edited.General.NT; ++s) edited.Anchors[s][1].Fa = fa;
    EXPECT_EQ(run.at("varied"), r < 3 ? "layers.Kp" : "anchor1.Fa");
    EXPECT_EQ(kp, (std::array{2.9, 3.0, 3.1, 3.0, 3.0}[r]));
    EXPECT_EQ(fa, (std::array{100.0, 100.0, 100.0, 60.0, 100.0}[r]));

    const std::string name = Format("run%04d.krv", static_cast<int>(r) + 1);
    edited.General.FileName = name;
    const std::string datafile = (folder_ / name).string();
    ASSERT_FALSE(SaveDatafile(datafile, edited));
    EXPECT_EQ(ReadFile(datafile), ReadFile(folder_ / "kept" / name)) << name;

    std::ostringstream out, err;
    const int code = ComputeCommand({"--csv", (folder_ / "csv").string(), datafile}, out, err);
    EXPECT_EQ(code == 0, run.at("stands") == "1") << name << err.str();
    EXPECT_EQ(run.at("fails"), run.at("stands") == "1" ? "0" : "1");
    if (code != 0) {
      EXPECT_EQ(err.str(), "korvanu-cli: " + datafile + ": " + run.at("outcome") + "\n");
      EXPECT_EQ(run.at("w_max_m"), "");
      // Its minimum length lies above the given one: the wall stands there
      // and fails a millimetre shorter.
      const double shortest = Read(run.at("min_length_m"));
      EXPECT_GT(shortest, 6.901);
      for (const double length : {shortest, shortest - 0.001}) {
        SetWallLength(edited, length);
        ASSERT_FALSE(SaveDatafile(datafile, edited));
        EXPECT_EQ(ComputeCommand({"--quiet", datafile}, out, err) == 0, length == shortest);
      }
      continue;
    }
    ++standing;
    EXPECT_EQ(run.at("outcome"), "stands");
    const std::vector<Record> nodes =
        ReadCsv(folder_ / "csv" / Format("run%04d.1.csv", static_cast<int>(r) + 1));
    const auto [w, zw] = Largest(nodes, "w_m");
    const auto [M, zM] = Largest(nodes, "M_kNm_per_m");
    EXPECT_EQ(Read(run.at("step1_w_max_m")), w) << name;
    EXPECT_EQ(Read(run.at("step1_w_max_z_m")), zw) << name;
    EXPECT_EQ(Read(run.at("step1_M_max_kNm_per_m")), M) << name;
    EXPECT_EQ(Read(run.at("step1_M_max_z_m")), zM) << name;
    EXPECT_EQ(run.at("M_max_kNm_per_m"), run.at("step1_M_max_kNm_per_m"));
    // The anchor force as compute's table prints it.
    const std::string force = FixedText(Read(run.at("step1_anchor1_kN_per_m")), 3);
    EXPECT_NE(out.str().find(" 1: " + force + "\n"), std::string::npos) << out.str();
  }
  // Kp 2.9 is too little for the wall as given, the others stand.
  EXPECT_EQ(standing, 4);
  EXPECT_EQ(runs[0].at("outcome"), "Floating point division by zero. (step 1)");
  // A weaker anchor is a softer one: the wall moves further.
  EXPECT_GT(Read(runs[3].at("w_max_m")), Read(runs[4].at("w_max_m")));
  EXPECT_NE(out_.str().find("Runs     4 stand, 1 find no equilibrium"), std::string::npos)
      << out_.str();
}

TEST_F(StudyTest, PhiRunsDeriveTheCoefficientsOfTheLayerAnew) {
  // Layer 3 keeps the strength its coefficients came from, with k_h, a wall
  // friction as a ratio and curved surfaces.
  ProblemData given = test3_;
  SoilStrength strength;
  strength.Delta = 2.0 / 3.0;
  strength.DeltaUnit = WallFrictionUnit::Ratio;
  strength.Method = EarthPressureMethod::Curved;
  strength.Kh = 20000.0;
  for (int s = 0; s <= given.General.NT; ++s) {
    for (Side side : {Side::Left, Side::Right}) given.Strength(2, s, side) = strength;
  }
  given.General.FileName = "given.krv";
  const std::string file = (folder_ / "given.krv").string();
  ASSERT_FALSE(SaveDatafile(file, given));

  ASSERT_EQ(Study("--vary layer3.phi=28:34:3 --keep-runs " + (folder_ / "kept").string(), file), 0)
      << err_.str();
  const std::vector<Record> runs = ReadCsv(folder_ / "study.csv");
  ASSERT_EQ(runs.size(), 3u);
  std::set<std::string> moments;
  for (std::size_t r = 0; r < runs.size(); ++r) {
    // The coefficients worked out by hand for that phi', as the datafile
    // keeps them.
    ProblemData edited = given;
    for (int s = 0; s <= edited.General.NT; ++s) {
      for (Side side : {Side::Left, Side::Right}) {
        SoilStrength& kept = *edited.Strength(2, s, side);
        kept.Phi = Read(runs[r].at("layer3.phi"));
        const EarthPressureCoefficients k = LayerCoefficients(edited, 2, side, kept);
        LayerProperties& l = edited.Layer(2, s, side);
        l.Ka = Read(FixedText(k.Ka, 3));
        l.Kn = Read(FixedText(k.Kn, 3));
        l.Kp = Read(FixedText(k.Kp, 3));
        l.Dw = Read(FixedText(*k.Dw, 3));
      }
    }
    EXPECT_EQ(edited.Strength(2, 0, Side::Left)->Phi, (std::array{28.0, 31.0, 34.0}[r]));
    const std::string name = Format("run%04d.krv", static_cast<int>(r) + 1);
    edited.General.FileName = name;
    const std::string datafile = (folder_ / name).string();
    ASSERT_FALSE(SaveDatafile(datafile, edited));
    EXPECT_EQ(ReadFile(datafile), ReadFile(folder_ / "kept" / name)) << name;
    moments.insert(runs[r].at("M_max_kNm_per_m"));
  }
  EXPECT_EQ(moments.size(), 3u);

  // Layers without a strength are not reached; a phi' the strength cannot
  // take is refused before any run.
  EXPECT_EQ(Study("--vary layer1.phi=28:34:3", file), ExitRefused);
  EXPECT_NE(err_.str().find("no record it names keeps the strength"), std::string::npos);
  EXPECT_EQ(Study("--vary layers.phi=40:60:3", file), ExitRefused);
  EXPECT_NE(err_.str().find("run 3: layers.phi = 60: "), std::string::npos) << err_.str();
  EXPECT_EQ(Study("--vary layer3.phi=28:34:3 --vary layer3.left.Kp=3:4:2", file), ExitRefused);
  EXPECT_NE(err_.str().find("set the same value"), std::string::npos) << err_.str();

  // A stiff subgrade whose stroke at some phi' the table cannot hold runs
  // with the smallest stroke it holds.
  for (int s = 0; s <= given.General.NT; ++s) {
    for (Side side : {Side::Left, Side::Right}) given.Strength(2, s, side)->Kh = 2.0e6;
  }
  ASSERT_FALSE(SaveDatafile(file, given));
  ASSERT_EQ(Study("--vary layer3.phi=20:34:3", file), 0) << err_.str();
}

TEST_F(StudyTest, AGridCombinesEveryValueOfTwoRanges) {
  ASSERT_EQ(Study("--grid --vary layers.Kp=3:3.2:2 --vary anchor1.step1.Fa=60:100:3 --min-length"),
            0)
      << err_.str();
  const std::vector<Record> runs = ReadCsv(folder_ / "study.csv");
  ASSERT_EQ(runs.size(), 6u);
  std::set<std::pair<double, double>> pairs;
  for (std::size_t r = 0; r < runs.size(); ++r) {
    const double kp = Read(runs[r].at("layers.Kp"));
    const double fa = Read(runs[r].at("anchor1.step1.Fa"));
    pairs.insert({kp, fa});
    // The last range changes fastest.
    EXPECT_EQ(kp, r < 3 ? 3.0 : 3.2) << r;
    EXPECT_EQ(fa, 60.0 + 20.0 * static_cast<double>(r % 3)) << r;
    EXPECT_EQ(runs[r].at("stands"), "1");
    EXPECT_EQ(runs[r].at("min_length_search"), "found");
    EXPECT_EQ(runs[r].count("varied"), 0u);
  }
  EXPECT_EQ(pairs.size(), 6u);
  // The datafile's own values (Kp 3, Fa 100) find the length min-length finds.
  EXPECT_EQ(runs[2].at("min_length_m"), "6.899");
  // More passive resistance, a shorter wall.
  EXPECT_LT(Read(runs[5].at("min_length_m")), 6.899);
}

TEST_F(StudyTest, SamplesFollowTheirDistributionsAndTheSeed) {
  const auto design = [&](std::uint64_t seed) {
    std::vector<StudyInput> inputs;
    std::string why;
    for (const auto& [name, variation] :
         {std::pair{"layers.Kp", "normal:3:0.3"}, std::pair{"layers.Dw", "lognormal:0.02:0.005"},
          std::pair{"anchor1.Fa", "uniform:80:120"}}) {
      inputs.push_back({*StudyField::Parse(name, test3_, why), *ParseVariation(variation, why)});
    }
    return StudyDesign::Make(DesignKind::Sampling, inputs, test3_, 2000, seed, why);
  };
  const auto first = design(11);
  ASSERT_TRUE(first);
  const double expected[3][2] = {{3.0, 0.3}, {0.02, 0.005}, {100.0, 40.0 / std::sqrt(12.0)}};
  for (int k = 0; k < 3; ++k) {
    double sum = 0.0, squares = 0.0, least = HUGE_VAL;
    for (int r = 0; r < first->Runs(); ++r) {
      const double v = *first->Value(r, k);
      sum += v;
      squares += v * v;
      least = std::min(least, v);
    }
    const double mean = sum / first->Runs();
    const double sd = std::sqrt(squares / first->Runs() - mean * mean);
    EXPECT_NEAR(mean, expected[k][0], 0.01 * expected[k][0]) << k;
    EXPECT_NEAR(sd, expected[k][1], 0.03 * expected[k][1]) << k;
    if (k > 0) {
      EXPECT_GT(least, k == 1 ? 0.0 : 80.0 - 0.001) << k;
    }
  }
  const auto again = design(11);
  const auto other = design(12);
  int same = 0;
  for (int r = 0; r < first->Runs(); ++r) {
    bool all = true;
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(first->Value(r, k), again->Value(r, k));
      all = all && first->Value(r, k) == other->Value(r, k);
    }
    same += all;
  }
  EXPECT_LT(same, 3);
}

// Test 3 stands from 6.899 m on and fails below: a toe drawn uniformly from
// 6.5 to 7.3 m fails in the samples below 6.8985 m, about half of them.
TEST_F(StudyTest, TheFailureProbabilityIsTheShareThatCannotStand) {
  ASSERT_EQ(Study("--vary toe=uniform:6.5:7.3 --samples 400 --seed 3 --jobs 2"), 0) << err_.str();
  const std::string summary = out_.str();
  const std::string csv = ReadFile(folder_ / "study.csv");
  const std::vector<Record> runs = ReadCsv(folder_ / "study.csv");
  ASSERT_EQ(runs.size(), 400u);
  int below = 0;
  for (const Record& run : runs) {
    const double toe = Read(run.at("toe"));
    EXPECT_EQ(run.at("fails"), toe < 6.899 ? "1" : "0") << toe;
    below += toe < 6.899;
  }
  EXPECT_GE(below, 198);
  EXPECT_LE(below, 201);
  EXPECT_NE(summary.find(Format("(%d of 400 runs), 95 %% interval", below)), std::string::npos)
      << summary;
  EXPECT_NE(summary.find("Reliability index beta  0.0"), std::string::npos) << summary;

  // The threads change nothing but the time.
  ASSERT_EQ(Study("--vary toe=uniform:6.5:7.3 --samples 400 --seed 3 --jobs 1"), 0);
  EXPECT_EQ(ReadFile(folder_ / "study.csv"), csv);
}

// A stiffer wall bends less: EI ranks against max |w| and the anchor force
// exactly reversed, and a limit on w fails the runs with the softer walls.
// Twenty failures in forty runs give beta 0 between the Wilson bounds.
TEST_F(StudyTest, CorrelationSignsAndTheShareOfFailuresComeOutAsKnown) {
  ASSERT_EQ(Study("--vary profile1.EI=uniform:8000:20000 --samples 40 --limit w=0.03"), 0)
      << err_.str();
  const std::string summary = out_.str();
  EXPECT_NE(summary.find("profile1.EI           -1.000       1.000      -1.000"), std::string::npos)
      << summary;
  int softer = 0;
  for (const Record& run : ReadCsv(folder_ / "study.csv")) {
    softer += Read(run.at("w_max_m")) > 0.03;
    EXPECT_EQ(run.at("fails"), Read(run.at("w_max_m")) > 0.03 ? "1" : "0");
  }
  EXPECT_NE(summary.find(Format("(%d of 40 runs)", softer)), std::string::npos) << summary;

  ASSERT_EQ(Study("--vary toe=uniform:6.5:7.3 --samples 40 --seed 3"), 0);
  EXPECT_NE(out_.str().find("Probability of failure  0.5 (20 of 40 runs), 95 % interval 0.352 to "
                            "0.648\nReliability index beta  0.000 (95 %: -0.380 to 0.380)"),
            std::string::npos)
      << out_.str();
}

TEST_F(StudyTest, NamesAndValuesThatCannotBeStudiedAreRefused) {
  const std::pair<const char*, const char*> refusals[] = {
      {"--vary layer9.Kp=1:2:3", "layer 9 is not in the problem (layers 1..3)"},
      {"--vary layers.Kq=1:2:3", "layers.Kq: no field a study can vary"},
      {"--vary layer1.middle.Kp=1:2:3", "no field a study can vary"},
      {"--vary layer1.step4.Kp=1:2:3", "step 4 is not in the problem (steps 0..1)"},
      {"--vary profile11.EI=1:2:3", "the wall is profile 1 (NP)"},
      {"--vary anchor2.Fa=1:2:3", "point 2 has an anchor in no step"},
      {"--vary layers.Kp=1:2", "'1:2' gives no values"},
      {"--vary layers.Kp=2:3:1", "COUNT must be a whole number from 2 to 10000"},
      {"--vary layers.Kp=normal:3:0 --samples 5", "SD must be above 0"},
      {"--vary layers.Kp=lognormal:-1:1 --samples 5", "the MEAN of a lognormal value"},
      {"--vary layers.Kp=uniform:3:2 --samples 5", "LOW must lie below HIGH"},
      {"--vary layers.Kp=normal:3:0.3", "a distribution is sampled with --samples N"},
      {"--vary layers.Kp=1:2:3 --samples 5", "--samples draws from distributions"},
      {"--vary layers.Dw=0:0.02:3", "run 1: layers.Dw = 0: a stroke must be above 0"},
      {"--vary layers.Kp=normal:0.5:0.5 --samples 200", "a soil value must not be negative"},
      {"--vary anchor1.Fw=-0.02:0.02:2", "Fw must keep the sign it has in the datafile"},
      {"--vary NN=5:20:2", "NN must lie between 10 and 1000"},
      {"--vary point2.Z=4:7:2", "run 2: point 3 at 6.901 m would not lie below point 2 at 7.000"},
      {"--vary layers.Kp=1:2:3 --vary layer3.Kp=1:2:3", "layer3.Kp and layers.Kp set the same"},
      {"--vary layers.Kp=1:2:3 --limit Q=3",
       "a limit is M=VALUE (kNm/m), w=VALUE (m) or one "
       "of anchor1=VALUE (kN/m)"},
      {"--vary layers.Kp=1:2:3 --plot x.pdf", "--plot draws with the program's printing"},
      {"--vary layers.Kp=1:2:3 --grid --samples 4", "--grid and --samples exclude each other"},
      {"--vary layers.Kp=1:2:3 --seed 4", "--seed belongs to --samples N"},
      {"", "nothing to vary"},
  };
  for (const auto& [words, message] : refusals) {
    EXPECT_EQ(Study(words), ExitRefused) << words;
    EXPECT_NE(err_.str().find(message), std::string::npos) << words << "\n" << err_.str();
    EXPECT_TRUE(out_.str().empty()) << words;
  }
  // A wrong name is answered with the names there are.
  Study("--vary layer9.Kp=1:2:3");
  EXPECT_NE(err_.str().find("Valid names (J a layer 1..3, S a loading step 0..1"),
            std::string::npos)
      << err_.str();
  EXPECT_FALSE(fs::exists(folder_ / "study.csv"));
}

}  // namespace
}  // namespace korvanu
