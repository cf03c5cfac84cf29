// The datafile reader on usable files: round trip with the file's rounding,
// separators, placement by the leading number, clamps, texts.
#include <gtest/gtest.h>

#include <cfloat>

#include "core/Datafile.h"
#include "core/TextFormat.h"
#include "tests/core/TestSupport.h"

namespace korvanu {
namespace {

std::string DefaultFile() {
  return test::ReadBytes(test::Fixture("default.krv"));
}

// Replaces the one occurrence of `from` in `text`.
std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  EXPECT_EQ(text.find(from, at + 1), std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// A small file with NL = 1, NT = 0, every value given, ready to be edited.
std::string SmallFile(const std::string& layerLine, const std::string& catalogueName = "Steel,") {
  std::string f =
      "#\nuser,\nsmall.krv,\nSmall,\n 2.5, 10, 1, 0, 1, 2006,\n 0, 0.0,\n 1, 2.5,\n#\n" +
      layerLine +
      "\n 1, 16, 20, 1, 0, 0, 0, 0.3, 3, 1, 0.02\n 0, 1, 2, 3,\n 1, 4, 5, 6,\n 0, 7, 8, 9,\n";
  for (int n = 1; n <= 20; ++n) {
    f += Format(" %d, 0.01, 78, 210, 0.2, 0.08, 13000, %s\n", n, catalogueName.c_str());
  }
  return f;
}

TEST(DatafileReader, RoundTripGivesTheWrittenRounding) {
  const ProblemData original = test::StartupProblem();
  ProblemData p = original;
  ASSERT_FALSE(ReadDatafile(WriteDatafile(original), p));
  EXPECT_EQ(p.Layer(0, 0, Side::Left).Ka, 0.333);
  EXPECT_EQ(p.Catalogue[0].i, 0.0808);
  EXPECT_EQ(p.Catalogue[19].i, 0.14);
  // Everything else comes back unchanged.
  ProblemData expected = original;
  for (int j = 0; j < 4; ++j) {  // only the layers and steps in use are in the file
    for (int s = 0; s <= 1; ++s) {
      for (Side side : {Side::Left, Side::Right}) {
        LayerProperties& l = expected.Layer(j, s, side);
        if (l.Ka == 1.0 / 3.0) l.Ka = 0.333;
      }
    }
  }
  for (Profile& e : expected.Catalogue) e.i = e.Name == "Larssen 20" ? 0.0808 : 0.14;
  EXPECT_TRUE(test::SameProblem(p, expected));
  // A second round changes nothing more.
  EXPECT_EQ(WriteDatafile(p), WriteDatafile(original));
}

TEST(DatafileReader, AcceptsLfAndCrLfAlike) {
  std::string lf = DefaultFile();
  for (size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.erase(at, 1);
  ProblemData a = test::StartupProblem();
  ProblemData b = test::StartupProblem();
  ASSERT_FALSE(ReadDatafile(DefaultFile(), a));
  ASSERT_FALSE(ReadDatafile(lf, b));
  EXPECT_TRUE(test::SameProblem(a, b));
}

TEST(DatafileReader, SkipsAUtf8MarkBeforeTheFirstLine) {
  ProblemData a = test::StartupProblem();
  ProblemData b = test::StartupProblem();
  a.General.FileName = b.General.FileName = "changed";
  ASSERT_FALSE(ReadDatafile(DefaultFile(), a));
  ASSERT_FALSE(ReadDatafile("\xEF\xBB\xBF" + DefaultFile(), b));
  EXPECT_TRUE(test::SameProblem(a, b));
}

TEST(DatafileReader, TakesTheWrittenLengthAndNotTheLicensedUser) {
  std::string f = Replace(DefaultFile(), "Students of Geotechnics,", "Someone Else,");
  f = Replace(f, "       4.000,     100,       4,       1,       1,    2006,",
              "       7.500,     100,       4,       1,       1,    1999,");
  ProblemData p = test::StartupProblem();
  p.General.LicensedUser = "Current User";
  ASSERT_FALSE(ReadDatafile(f, p));
  EXPECT_EQ(p.General.LicensedUser, "Current User");
  EXPECT_EQ(p.General.Length, 7.5);
  EXPECT_EQ(p.General.Version, 2006);
  EXPECT_NE(WriteDatafile(p).find("Current User,"), std::string::npos);
}

TEST(DatafileReader, SemicolonsAndBlanksSeparateNumbersButTabsDoNot) {
  ProblemData commas = test::StartupProblem();
  ProblemData others = test::StartupProblem();
  ASSERT_FALSE(ReadDatafile(SmallFile(" 1, 16, 20, 1, 0.5, 10, 5, 0.3, 3, 1, 0.02"), commas));
  ASSERT_FALSE(ReadDatafile(SmallFile("1;16;20;1;0.5;10;5;0.3;3;1;0.02"), others));
  EXPECT_TRUE(test::SameProblem(commas, others));
  ASSERT_FALSE(ReadDatafile(SmallFile("  1   16 20 1 0.5 ;; 10 5, 0.3 3 1 0.02  "), others));
  EXPECT_TRUE(test::SameProblem(commas, others));
  EXPECT_EQ(commas.Layer(0, 0, Side::Left).c, 5.0);

  // "16\t20" is one field: 16, and every later field shifts by one.
  ASSERT_FALSE(ReadDatafile(SmallFile(" 1, 16\t20, 1, 0.5, 10, 5, 0.3, 3, 1, 0.02"), others));
  EXPECT_EQ(others.Layer(0, 0, Side::Left).Wd, 16.0);
  EXPECT_EQ(others.Layer(0, 0, Side::Left).Ws, 1.0);
}

TEST(DatafileReader, NonNumbersReadAsZero) {
  ProblemData p = test::StartupProblem();
  ASSERT_FALSE(ReadDatafile(SmallFile(" 1, abc, 20x, 1e, .5, -, +3, 0.3, 3, 1"), p));
  const LayerProperties& l = p.Layer(0, 0, Side::Left);
  EXPECT_EQ(l.Wd, 0.0);
  EXPECT_EQ(l.Ws, 20.0);
  EXPECT_EQ(l.Zw, 1.0);
  EXPECT_EQ(l.Cap, 0.5);
  EXPECT_EQ(l.q, 0.0);
  EXPECT_EQ(l.c, 3.0);
  EXPECT_EQ(l.Dw, 0.0);  // missing at the end of the line
}

TEST(DatafileReader, LinesPlacedByTheirLeadingNumber) {
  // Geometry and anchors in reverse order, the axial lines swapped.
  std::string f = DefaultFile();
  const std::string geometry =
      "     0,       0.000,\r\n     1,       1.000,\r\n     2,       2.000,\r\n"
      "     3,       3.000,\r\n     4,       4.000,\r\n";
  f = Replace(f, geometry,
              "     4,       4.500,\r\n     3,       3.000,\r\n     2,       2.000,\r\n"
              "     1,       1.000,\r\n     0,       0.000,\r\n");
  f = Replace(f,
              "      0,       0.000,       0.000,       0.000,\r\n"
              "      1,       0.000,       0.000,       0.000,\r\n",
              "      1,       5.000,       6.000,       7.000,\r\n"
              "      0,       1.000,       2.000,       3.000,\r\n");
  ProblemData p = test::StartupProblem();
  p.Z[5] = 9.0;
  ASSERT_FALSE(ReadDatafile(f, p));
  EXPECT_EQ(p.Z[4], 4.5);
  EXPECT_EQ(p.H[3], 1.5);
  EXPECT_EQ(p.H[0], 1.0);
  EXPECT_EQ(p.Z[5], 9.0);            // not in the file: unchanged
  EXPECT_EQ(p.General.Length, 4.0);  // taken as written, not from Z
  EXPECT_EQ(p.Axial[0], (AxialRecord{1, 2, 3}));
  EXPECT_EQ(p.Axial[1], (AxialRecord{5, 6, 7}));
}

TEST(DatafileReader, LayerCoefficientsKeptInOrder) {
  ProblemData p = test::StartupProblem();
  ASSERT_FALSE(ReadDatafile(SmallFile(" 1, 16, 20, 1, 0, 0, 0, 0.5, 0.2, 0.4, 0.02"), p));
  const LayerProperties& low = p.Layer(0, 0, Side::Left);
  EXPECT_EQ(low.Kp, 0.5);  // raised to Ka
  EXPECT_EQ(low.Kn, 0.5);  // raised to Ka
  ASSERT_FALSE(ReadDatafile(SmallFile(" 1, 16, 20, 1, 0, 0, 0, 0.3, 3, 5, 0.02"), p));
  EXPECT_EQ(p.Layer(0, 0, Side::Left).Kn, 3.0);  // lowered to Kp
  EXPECT_EQ(p.Layer(0, 0, Side::Right).Kn, 1.0);
}

TEST(DatafileReader, TextsCutToFortyAndFreeOfLineBreaks) {
  std::string f = Replace(DefaultFile(), "New Problem,", std::string(50, 'p') + ",");
  // A text line without its closing comma must not keep the line break.
  f = Replace(f, "\r\nNew.krv,\r\n", "\r\nwall.krv\r\n");
  f = Replace(f, "13847.2,Larssen 20,\r\n      2,",
              "13847.2, Larssen 20 extra long name that goes on,\r\n      2,");
  ProblemData p = test::StartupProblem();
  ASSERT_FALSE(ReadDatafile(f, p));
  EXPECT_EQ(p.General.ProblemName, std::string(40, 'p'));
  EXPECT_EQ(p.General.FileName, "wall.krv");
  // After EI only commas are skipped: the blank belongs to the name.
  EXPECT_EQ(p.Catalogue[0].Name, " Larssen 20 extra long name that goes on");
  EXPECT_EQ(p.Catalogue[0].Name.size(), 40u);
  EXPECT_EQ(p.Catalogue[1].Name, "Larssen 20");
}

TEST(DatafileReader, StepsBeyondTheFileKeepTheirValues) {
  ProblemData p = test::StartupProblem();
  p.General.NT = 5;
  for (int s = 2; s <= 5; ++s) {
    p.Layer(2, s, Side::Right).q = 10.0 * s;
    p.Anchors[s][3].Fx = s;
    p.Axial[s].NA = -s;
  }
  const ProblemData before = p;
  ASSERT_FALSE(ReadDatafile(DefaultFile(), p));  // NT = 1
  EXPECT_EQ(p.General.NT, 1);
  for (int s = 2; s <= 5; ++s) {
    EXPECT_EQ(p.Layer(2, s, Side::Right), before.Layer(2, s, Side::Right));
    EXPECT_EQ(p.Anchors[s], before.Anchors[s]);
    EXPECT_EQ(p.Axial[s], before.Axial[s]);
  }
  EXPECT_EQ(p.LayerName, before.LayerName);
}

TEST(DatafileReader, HugeValuesRoundTripWithoutShiftingLines) {
  ProblemData p = test::StartupProblem();
  p.Layer(1, 1, Side::Right) = {1e300, -1e300, DBL_MAX, -DBL_MAX, 5, 6, 0.1, 1e300, 1e299, 7};
  p.Catalogue[4].EI = 3e250;
  p.Anchors[0][0].Fw = -4.5e17;
  ProblemData back = test::StartupProblem();
  ASSERT_FALSE(ReadDatafile(WriteDatafile(p), back));
  const LayerProperties& l = back.Layer(1, 1, Side::Right);
  EXPECT_EQ(l.Wd, 1e300);
  EXPECT_EQ(l.Ws, -1e300);
  EXPECT_GT(l.Zw, 1.79e308);
  EXPECT_LT(l.Cap, -1.79e308);
  EXPECT_EQ(l.q, 5.0);
  EXPECT_EQ(l.Dw, 7.0);
  EXPECT_EQ(back.Catalogue[4].EI, 3e250);
  EXPECT_EQ(back.Anchors[0][0].Fw, -4.5e17);
  EXPECT_EQ(back.Catalogue[5].EI, p.Catalogue[5].EI);
  EXPECT_EQ(back.Catalogue[5].Name, "Larssen 20");
  // A value beyond the range of a double reads as the largest one.
  ASSERT_FALSE(ReadDatafile(SmallFile(" 1, 1e999, -1e999, 1, 0, 0, 0, 0.3, 3, 1, 0.02"), back));
  EXPECT_EQ(back.Layer(0, 0, Side::Left).Wd, DBL_MAX);
  EXPECT_EQ(back.Layer(0, 0, Side::Left).Ws, -DBL_MAX);
}

TEST(DatafileReader, TextsInUtf8OrWindows1252ShowAsWritten) {
  const std::string shown =
      "Baugrube S\xC3\xBC"
      "d \xE2\x80\x93 Stufe 1";
  // The same name as a UTF-8 editor and as a Windows-1252 editor write it.
  for (const std::string& written : {shown, std::string("Baugrube S\xFC"
                                                        "d \x96 Stufe 1")}) {
    ProblemData p = test::StartupProblem();
    ASSERT_FALSE(
        ReadDatafile(Replace(SmallFile(" 1, 16, 20, 1, 0, 0, 0, 0.3, 3, 1, 0.02", written + ","),
                             "Small,", written + ","),
                     p));
    EXPECT_EQ(p.General.ProblemName, shown);
    EXPECT_EQ(p.Catalogue[7].Name, " " + shown);
  }
  // Forty characters of Windows-1252 are forty characters, whatever their bytes.
  ProblemData p = test::StartupProblem();
  ASSERT_FALSE(
      ReadDatafile(Replace(DefaultFile(), "New Problem,", std::string(45, '\xE4') + ","), p));
  std::string forty;
  for (int k = 0; k < 40; ++k) forty += "\xC3\xA4";
  EXPECT_EQ(p.General.ProblemName, forty);
}

}  // namespace
}  // namespace korvanu
