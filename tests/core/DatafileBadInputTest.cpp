// Files the reader must refuse or survive: empty, cut short anywhere, lines
// too long, numbers outside the tables, NUL and random bytes, huge files.
// A refused file leaves the problem exactly as it was.
#include <gtest/gtest.h>

#include <random>

#include "core/Datafile.h"
#include "core/DatafileCommands.h"
#include "core/TextFormat.h"
#include "tests/core/TestSupport.h"

namespace korvanu {
namespace {

std::string DefaultFile() {
  return test::ReadBytes(test::Fixture("default.krv"));
}

// A problem that differs from every file used here, so a partial read shows.
ProblemData Sentinel() {
  ProblemData p = test::StartupProblem();
  p.General.FileName = "sentinel.krv";
  p.General.NT = 3;
  p.Z[2] = 2.25;
  p.Layer(1, 0, Side::Right).c = 99.0;
  p.Anchors[0][1].Fx = 17.0;
  p.Catalogue[19].Name = "Sentinel";
  return p;
}

std::optional<DatafileError> Read(const std::string& text, ProblemData& p) {
  return ReadDatafile(text, p);
}

// Expects a refusal that leaves the problem unchanged; returns the error.
DatafileError ExpectRefused(const std::string& text) {
  ProblemData p = Sentinel();
  const auto error = Read(text, p);
  EXPECT_TRUE(error.has_value());
  EXPECT_TRUE(test::SameProblem(p, Sentinel()));
  return error.value_or(DatafileError{-1, "read"});
}

std::string ReplaceLine(const std::string& file, int number, const std::string& line) {
  size_t start = 0;
  for (int k = 1; k < number; ++k) start = file.find('\n', start) + 1;
  const size_t end = file.find("\r\n", start);
  return file.substr(0, start) + line + file.substr(end);
}

TEST(DatafileBadInput, EmptyOrOnlyComments) {
  DatafileError e = ExpectRefused("");
  EXPECT_EQ(e.Line, 0);
  EXPECT_EQ(e.What, "the file is empty.");
  e = ExpectRefused("# nothing\r\n# here\r\n");
  EXPECT_EQ(e.Line, 2);
  EXPECT_EQ(e.What, "the file ends before the licensed user line.");
}

TEST(DatafileBadInput, CutShortAnywhere) {
  const std::string file = DefaultFile();
  // The last catalogue line must at least begin for the file to be complete.
  const size_t lastEntry = file.find("     20,  0.027400");
  ASSERT_NE(lastEntry, std::string::npos);
  for (size_t cut = 0; cut < file.size(); ++cut) {
    ProblemData p = Sentinel();
    const auto error = Read(file.substr(0, cut), p);
    if (cut <= lastEntry) {
      ASSERT_TRUE(error.has_value()) << "cut at " << cut;
    }
    if (error) {
      ASSERT_TRUE(test::SameProblem(p, Sentinel())) << "cut at " << cut;
      // Cut at a line end, the file simply ends early; cut inside a line, the
      // piece left may also hold a number outside its table.
      if (cut > 0 && file[cut - 1] == '\n') {
        ASSERT_NE(error->What.find("ends before"), std::string::npos) << error->What;
      }
    }
  }
}

TEST(DatafileBadInput, EarlyEndNamesTheLastLineAndTheSection) {
  const std::string file = DefaultFile();
  auto firstLines = [&](int n) {
    size_t end = 0;
    for (int k = 0; k < n; ++k) end = file.find('\n', end) + 1;
    return file.substr(0, end);
  };
  DatafileError e = ExpectRefused(firstLines(20));
  EXPECT_EQ(e.Line, 20);
  EXPECT_EQ(e.What, "the file ends before the geometry of the layers is complete.");
  e = ExpectRefused(firstLines(50));
  EXPECT_EQ(e.What, "the file ends before the anchors and lateral forces are complete.");
  e = ExpectRefused(firstLines(95));
  EXPECT_EQ(e.Line, 95);
  EXPECT_EQ(e.What, "the file ends before the catalogue of profiles is complete.");
}

TEST(DatafileBadInput, CountsAndNumbersOutsideTheTables) {
  const std::string file = DefaultFile();
  const std::string general = "       4.000,     %d,       %d,       %d,       %d,    2006,";
  struct Case {
    int nn, nl, nt, np;
    const char* what;
  } cases[] = {
      {0, 4, 1, 1, "the number of elements 0 is outside 1..1000."},
      {1001, 4, 1, 1, "the number of elements 1001 is outside 1..1000."},
      {100, 0, 1, 1, "the number of layers 0 is outside 1..20."},
      {100, 25, 1, 1, "the number of layers 25 is outside 1..20."},
      {100, 4, -1, 1, "the number of loading steps -1 is outside 0..20."},
      {100, 4, 21, 1, "the number of loading steps 21 is outside 0..20."},
      {100, 4, 1, 0, "the profile number 0 is outside 1..20."},
      {100, 4, 1, 21, "the profile number 21 is outside 1..20."},
  };
  for (const Case& c : cases) {
    DatafileError e =
        ExpectRefused(ReplaceLine(file, 13, Format(general.c_str(), c.nn, c.nl, c.nt, c.np)));
    EXPECT_EQ(e.Line, 13);
    EXPECT_EQ(e.What, c.what);
  }

  struct Row {
    int line;
    const char* text;
    const char* what;
  } rows[] = {
      {19, "    21,       1.000,", "the point number 21 is outside 0..20."},
      {18, "    -1,       0.000,", "the point number -1 is outside 0..20."},
      {28, "      0,    16.000", "the layer number 0 is outside 1..20."},
      {47, "     21,    16.000", "the layer number 21 is outside 1..20."},
      {61, "     99,       0.000,       0.000,       1.000,",
       "the point number 99 is outside 0..20."},
      {72, "     21,       0.000,       0.000,       0.000,",
       "the loading step number 21 is outside 0..20."},
      {96, "      0,  0.027400,", "the profile number 0 is outside 1..20."},
      {77, "     21,  0.010100,", "the profile number 21 is outside 1..20."},
  };
  for (const Row& r : rows) {
    DatafileError e = ExpectRefused(ReplaceLine(file, r.line, r.text));
    EXPECT_EQ(e.Line, r.line) << r.text;
    EXPECT_EQ(e.What, r.what);
  }
  // A point beyond NL but inside the table is stored where it says.
  ProblemData p = Sentinel();
  ASSERT_FALSE(Read(ReplaceLine(file, 19, "    20,       7.000,"), p));
  EXPECT_EQ(p.Z[20], 7.0);
}

TEST(DatafileBadInput, BlankLineIsADataLine) {
  // An inserted blank line shifts the layer lines: layer number 0 is refused.
  std::string file = DefaultFile();
  file.insert(file.find("#  Properties"), "\r\n");
  DatafileError e = ExpectRefused(file);
  EXPECT_EQ(e.What, "the layer number 0 is outside 1..20.");
}

TEST(DatafileBadInput, LinesLongerThanOnePiece) {
  const std::string file = DefaultFile();
  // 138 characters and the line break are one piece: read as usual.
  const std::string point1 = "     1,       1.000,";
  std::string padded = point1 + std::string(138 - point1.size(), ' ');
  ProblemData p = Sentinel();
  EXPECT_FALSE(Read(ReplaceLine(file, 19, padded), p));
  EXPECT_EQ(p.Z[1], 1.0);
  // One more and the rest of the line would be the next data line: refused.
  DatafileError e = ExpectRefused(ReplaceLine(file, 19, padded + " "));
  EXPECT_EQ(e.Line, 19);
  EXPECT_EQ(
      e.What,
      "the line is longer than 138 characters; its rest would be read as the next data line.");
  e = ExpectRefused(ReplaceLine(file, 9, std::string(500, 'n') + ","));
  EXPECT_EQ(e.Line, 9);
  // A long comment is skipped whole, however long.
  p = Sentinel();
  EXPECT_FALSE(Read(ReplaceLine(file, 2, "#" + std::string(1000, '=')), p));
  EXPECT_EQ(p.General.FileName, "New.krv");
  // The last line read may be long: what follows it is never read.
  p = Sentinel();
  EXPECT_FALSE(Read(ReplaceLine(file, 96,
                                "     20,  0.027400,    78.000,   210.000,  0.340000,  0.140000,"
                                "  112778.4,Hoesch 215," +
                                    std::string(200, 'x')),
                    p));
  EXPECT_EQ(p.Catalogue[19].Name, "Hoesch 215");
}

TEST(DatafileBadInput, NulBytesEndTheLineTheyAreIn) {
  std::string file = DefaultFile();
  file.replace(file.find("New Problem"), 11, std::string("New\0Problem", 11));
  ProblemData p = Sentinel();
  ASSERT_FALSE(Read(file, p));
  EXPECT_EQ(p.General.ProblemName, "New");
  ExpectRefused(std::string(1000, '\0'));
}

TEST(DatafileBadInput, RandomBytesNeverCrashOrHalfLoad) {
  std::mt19937 random(20061);
  const std::string alphabet = "0123456789 ,;.-+e#\r\n\t\0abcXYZ";
  int refused = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string text(random() % 2000, ' ');
    const bool anyByte = round % 3 == 0;
    for (char& c : text) {
      c = anyByte ? static_cast<char>(random() & 0xFF) : alphabet[random() % alphabet.size()];
    }
    ProblemData p = Sentinel();
    if (Read(text, p)) {
      ++refused;
      ASSERT_TRUE(test::SameProblem(p, Sentinel())) << "round " << round;
    }
  }
  EXPECT_GT(refused, 2900);
}

// Random damage to a valid file: a read that succeeds gives a problem the
// writer and reader agree on; a refused one changes nothing.
TEST(DatafileBadInput, DamagedFilesReadConsistently) {
  const std::string file = DefaultFile();
  std::mt19937 random(7);
  const std::string alphabet = "0123456789 ,;.-#\r\nx";
  int read = 0;
  for (int round = 0; round < 2000; ++round) {
    std::string text = file;
    for (int k = random() % 4 + 1; k > 0; --k) {
      text[random() % text.size()] = alphabet[random() % alphabet.size()];
    }
    ProblemData p = Sentinel();
    if (Read(text, p)) {
      ASSERT_TRUE(test::SameProblem(p, Sentinel())) << "round " << round;
      continue;
    }
    ++read;
    const std::string once = WriteDatafile(p);
    ProblemData q = p;
    ASSERT_FALSE(Read(once, q)) << "round " << round;
    ASSERT_EQ(WriteDatafile(q), once) << "round " << round;
    for (const std::string& name : {p.General.FileName, p.General.ProblemName}) {
      ASSERT_EQ(name.find_first_of("\r\n"), std::string::npos);
      ASSERT_LE(name.size(), 40u);
    }
  }
  EXPECT_GT(read, 100);
}

TEST(DatafileBadInput, LargeFilesAreReadOrRefusedQuickly) {
  // Ten megabytes of comment before a valid file: read.
  std::string big;
  while (big.size() < 10'000'000) big += "# padding padding padding padding padding padding\r\n";
  ProblemData p = Sentinel();
  EXPECT_FALSE(Read(big + DefaultFile(), p));
  EXPECT_EQ(p.General.FileName, "New.krv");
  // Ten megabytes after the catalogue are never looked at.
  p = Sentinel();
  EXPECT_FALSE(Read(DefaultFile() + big + std::string(1'000'000, 'x'), p));
  // Ten megabytes of one long line: refused at its second piece.
  ExpectRefused(std::string(10'000'000, '7'));
  // Ten megabytes of one long comment line, then the file: skipped in one go.
  p = Sentinel();
  EXPECT_FALSE(Read("#" + std::string(10'000'000, '=') + "\r\n" + DefaultFile(), p));
}

TEST(DatafileBadInput, OpenRefusesAFileFarTooLargeWithoutReadingIt) {
  test::ScratchFolder dir;
  const std::string path = dir / "huge.krv";
  test::WriteBytes(path, "");
  std::filesystem::resize_file(path, 100ull * 1024 * 1024);  // sparse
  ProblemData p = Sentinel();
  ViewState v;
  OpenOutcome out = OpenProblem(p, v, path);
  EXPECT_FALSE(out.Loaded);
  ASSERT_EQ(out.Messages.size(), 1u);
  EXPECT_NE(out.Messages[0].find("too large"), std::string::npos);
  EXPECT_TRUE(test::SameProblem(p, Sentinel()));
}

}  // namespace
}  // namespace korvanu
