// The datafile writer: the default problem byte for byte, and values that do
// not fit the fixed formats.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "core/Datafile.h"
#include "core/TextFormat.h"
#include "tests/core/TestSupport.h"

namespace korvanu {
namespace {

std::vector<std::string> Lines(const std::string& file) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < file.size()) {
    const size_t end = file.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(file.substr(start) + "<no line end>");
      break;
    }
    lines.push_back(file.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

TEST(DatafileWriter, DefaultProblemByteForByte) {
  const std::string written = WriteDatafile(test::StartupProblem());
  const std::string expected = test::ReadBytes(test::Fixture("default.krv"));
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(written, expected);

  const std::vector<std::string> lines = Lines(written);
  ASSERT_EQ(lines.size(), 97u);
  EXPECT_EQ(lines[12], "       4.000,     100,       4,       1,       1,    2006,");
  EXPECT_EQ(lines[27],
            "      1,    16.000,    20.000,     1.000,     0.000,     0.000,     0.000,     0.333,"
            "     3.000,     1.000,     0.020");
  EXPECT_EQ(
      lines[76],
      "      1,  0.010100,    78.000,   210.000,  0.220000,  0.080800,   13847.2,Larssen 20,");
  EXPECT_EQ(lines[26].size(), 119u);
  EXPECT_EQ(lines.back(), "########################");
  // Only CR LF line ends, no stray CR or LF.
  size_t lf = 0;
  for (size_t k = 0; k < written.size(); ++k) {
    if (written[k] == '\n') {
      ++lf;
      EXPECT_EQ(written[k - 1], '\r');
    }
  }
  EXPECT_EQ(lf, 97u);
}

TEST(DatafileWriter, CountsFollowLayersAndSteps) {
  ProblemData p = test::StartupProblem();
  p.General.NL = 20;
  p.General.NT = 20;
  const std::vector<std::string> lines = Lines(WriteDatafile(p));
  // 13 general + 4 + 21 geometry + 3 + 21*(2*(2+20)) layers + 3 + 21*(2+21) anchors
  // + 4 + 21 axial + 4 + 20 catalogue + 1.
  EXPECT_EQ(lines.size(), 13u + 4 + 21 + 3 + 21 * 44 + 3 + 21 * 23 + 4 + 21 + 4 + 20 + 1);
  for (const std::string& line : lines) EXPECT_LE(line.size(), 138u);
}

// The reader takes at most 139 characters of a line at once; a value too
// wide for its fixed format must not push a line past that.
TEST(DatafileWriter, HugeAndNonFiniteValuesKeepLinesReadable) {
  ProblemData p = test::StartupProblem();
  for (int j = 0; j < 4; ++j) {
    LayerProperties& l = p.Layer(j, 1, Side::Right);
    l = {-1e300, 1e300, -DBL_MAX, DBL_MAX, 123456789.0, -1e-300, 0.5, 2e9, 1e20, -7e15};
  }
  p.General.Length = std::numeric_limits<double>::infinity();
  p.Z[2] = std::numeric_limits<double>::quiet_NaN();
  p.Catalogue[3].EI = 1e300;
  p.Anchors[1][2].Fx = -1e300;
  const std::string file = WriteDatafile(p);
  EXPECT_EQ(file.find("nan"), std::string::npos);
  EXPECT_EQ(file.find("inf"), std::string::npos);
  for (const std::string& line : Lines(file)) EXPECT_LE(line.size(), 138u) << line;

  // Values below 1e8 keep the plain fixed format, wider ones exponent form.
  EXPECT_NE(file.find(",    16.000,"), std::string::npos);
  EXPECT_NE(file.find(",1.234568e+08,"), std::string::npos);
}

TEST(DatafileWriter, TextsStayOneFieldOnTheirLine) {
  ProblemData p = test::StartupProblem();
  p.General.ProblemName = "Two\r\nlines";
  p.General.FileName = "#hash.krv";
  p.General.LicensedUser = std::string(60, 'u');
  const std::vector<std::string> lines = Lines(WriteDatafile(p));
  ASSERT_EQ(lines.size(), 97u);
  EXPECT_EQ(lines[6], std::string(40, 'u') + ",");
  EXPECT_EQ(lines[8], ",#hash.krv,");  // would read as a comment line otherwise
  EXPECT_EQ(lines[10], "Twolines,");

  // Such a text reads back exactly, at its full length too.
  p.General.ProblemName = "#" + std::string(39, 'n');
  ProblemData back = test::StartupProblem();
  ASSERT_FALSE(ReadDatafile(WriteDatafile(p), back));
  EXPECT_EQ(back.General.FileName, "#hash.krv");
  EXPECT_EQ(back.General.ProblemName, p.General.ProblemName);
}

TEST(DatafileWriter, TextsInWindows1252AndBackAsTheyWere) {
  ProblemData p = test::StartupProblem();
  p.General.ProblemName = "\xC3\xA4 \xC3\xA9 \xE2\x82\xAC \xE2\x80\x93";  // ä é € –
  p.Catalogue[2].Name =
      "\xC5\x81\xC3\xB3"
      "d\xC5\xBA";                           // Łódź, from a UTF-8 file
  p.Catalogue[3].Name = "\xC3\x83\xC2\xA9";  // Ã©, whose Windows-1252 bytes are UTF-8
  p.Catalogue[4].Name = std::string(20, 'a');
  for (int k = 0; k < 20; ++k) p.Catalogue[4].Name += "\xF0\x9F\x98\x80";  // too long for its line
  const std::string file = WriteDatafile(p);
  const std::vector<std::string> lines = Lines(file);
  EXPECT_EQ(lines[10], "\xE4 \xE9 \x80 \x96,");
  EXPECT_NE(file.find(",\xC5\x81\xC3\xB3"
                      "d\xC5\xBA,"),
            std::string::npos);
  ProblemData back = test::StartupProblem();
  ASSERT_FALSE(ReadDatafile(file, back));
  EXPECT_EQ(back.General.ProblemName, p.General.ProblemName);
  EXPECT_EQ(back.Catalogue[2].Name, p.Catalogue[2].Name);
  EXPECT_EQ(back.Catalogue[3].Name, p.Catalogue[3].Name);
  // A line the reader could not take whole would refuse the file: the name
  // is cut at a whole character instead.
  EXPECT_EQ(back.Catalogue[4].Name, p.Catalogue[4].Name.substr(0, 20 + 4 * 10));
  EXPECT_EQ(WriteDatafile(back), file);
}

}  // namespace
}  // namespace korvanu
