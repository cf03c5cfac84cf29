// The strength lines of the datafile: a problem saved and opened again keeps
// them, a file without them is as before, and a line that cannot be read
// refuses the file naming the line.
#include <gtest/gtest.h>

#include "core/Datafile.h"
#include "core/DatafileStrength.h"
#include "tests/core/TestSupport.h"

namespace korvanu {
namespace {

TEST(DatafileStrength, SavedAndOpenedAgainKeepsThem) {
  ProblemData original = test::StartupProblem();
  SoilStrength a;
  a.Phi = 32.5;
  a.Delta = 2.0 / 3.0;
  a.DeltaUnit = WallFrictionUnit::Ratio;
  a.Cohesion = 4.2;
  a.OCR = 1.5;
  a.Kh = 12000;
  a.Method = EarthPressureMethod::Curved;
  SoilStrength b;
  b.Phi = 28;
  b.Delta = 15;
  b.Beta = -10;
  b.Method = EarthPressureMethod::Coulomb;
  original.Strength(3, 1, Side::Right) = a;
  original.Strength(0, 0, Side::Left) = b;
  original.Strength(3, 2, Side::Left) = a;  // beyond NT: not written, kept on reading

  const std::string file = WriteDatafile(original);
  const std::string lines = WriteStrengthLines(original);
  EXPECT_EQ(lines,
            "#strength 1 0 left phi=28 delta=15 beta=-10 c=0 method=coulomb\r\n"
            "#strength 4 1 right phi=32.5 delta/phi=0.6666666666666666 beta=0 c=4.2 ocr=1.5 "
            "kh=12000 method=curved\r\n");
  EXPECT_EQ(file.substr(file.size() - lines.size()), lines);  // after the known lines

  // Read over a problem that has other strengths in the same places.
  ProblemData p = test::StartupProblem();
  p.Strength(1, 0, Side::Left) = b;
  p.Strength(3, 2, Side::Left) = a;
  ASSERT_FALSE(ReadDatafile(file, p));
  EXPECT_EQ(p.StrengthTable, original.StrengthTable);
  EXPECT_EQ(WriteDatafile(p), file);
}

TEST(DatafileStrength, FileWithoutThemReadsAsBeforeAndClearsThem) {
  const std::string file = test::ReadBytes(test::Fixture("default.krv"));
  ProblemData p = test::StartupProblem();
  p.Strength(2, 1, Side::Left) = SoilStrength{};
  ASSERT_FALSE(ReadDatafile(file, p));
  EXPECT_FALSE(p.Strength(2, 1, Side::Left));
  EXPECT_EQ(WriteDatafile(p), file);
}

TEST(DatafileStrength, OtherCommentsAreSkippedAndBadLinesNamed) {
  const std::string file = test::ReadBytes(test::Fixture("default.krv"));
  const int lastLine = 97;
  ProblemData p = test::StartupProblem();
  // Other kinds of additions, and ours in any order of its pairs.
  ASSERT_FALSE(ReadDatafile(file + "#designer's note\r\n#strengthen\r\n"
                                   "#strength 2 1 right method=rankine c=1 delta=0 phi=30\r\n",
                            p));
  ASSERT_TRUE(p.Strength(1, 1, Side::Right));
  EXPECT_EQ(p.Strength(1, 1, Side::Right)->Cohesion, 1.0);

  struct Case {
    const char* line;
    const char* what;
  };
  for (const Case& c : {
           Case{"#strength 5 0 left phi=30 delta=0 method=rankine", "the layer '5'"},
           Case{"#strength 1 2 left phi=30 delta=0 method=rankine", "the loading step '2'"},
           Case{"#strength 1 0 up phi=30 delta=0 method=rankine", "the side 'up'"},
           Case{"#strength 1 0 left phi=3O delta=0 method=rankine", "'phi=3O' is not"},
           Case{"#strength 1 0 left phi=30 delta=0 method=plane", "the method 'plane'"},
           Case{"#strength 1 0 left phi=30 delta=0 psi=3 method=rankine", "'psi' is not"},
           Case{"#strength 1 0 left phi=30 method=rankine", "gives phi, delta"},
           Case{"#strength 1 0 left phi=60 delta=0 method=rankine", "φ' 60 is outside"},
           Case{"#strength 1 0 left phi=30 delta=0 kh=nan method=rankine", "k_h nan"},
           // A carriage return inside the line shows as such.
           Case{"#strength 1 0 left phi=30 delta=0 method=rankine\r", "method 'rankine\\r' is not"},
       }) {
    ProblemData q = test::StartupProblem();
    const ProblemData before = q;
    const auto error = ReadDatafile(file + "#design x\r\n" + c.line + "\r\n", q);
    ASSERT_TRUE(error) << c.line;
    EXPECT_EQ(error->Line, lastLine + 2) << c.line;
    EXPECT_NE(error->What.find(c.what), std::string::npos) << error->What;
    EXPECT_TRUE(test::SameProblem(q, before));
  }
}

}  // namespace
}  // namespace korvanu
