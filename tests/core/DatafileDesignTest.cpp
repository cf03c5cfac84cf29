// The design settings in the datafile's "#design" line.
#include <gtest/gtest.h>

#include "core/Datafile.h"
#include "core/DesignSettings.h"
#include "tests/core/TestSupport.h"

namespace korvanu {
namespace {

TEST(DatafileDesignTest, SettingsComeBackAfterTheLinesOfTheFormat) {
  ProblemData problem = test::StartupProblem();
  const std::string plain = WriteDatafile(problem);
  problem.Design.Fy = *GradeStrength("s355gp");
  problem.Design.GammaM0 = 1.1;
  problem.Design.MinFp = 1.5;
  problem.Design.MaxW = 0.05;
  problem.Design.NoAnchorYield = false;
  const std::string text = WriteDatafile(problem);
  EXPECT_EQ(text, plain +
                      "#design fy=355.000 gamma_m0=1.100 min_fp=1.500 max_w=0.050 "
                      "anchors_may_yield\r\n");

  ProblemData read = test::StartupProblem();
  ASSERT_FALSE(ReadDatafile(text, read));
  EXPECT_EQ(WriteDatafile(read), text);
  EXPECT_EQ(read.Design, problem.Design);

  // A limit typed to the tenth of a millimetre is kept as typed.
  problem.Design.MaxW = 0.0255;
  ASSERT_FALSE(ReadDatafile(WriteDatafile(problem), read));
  EXPECT_EQ(read.Design.MaxW, 0.0255);

  // A file without the line has the default settings, whatever was open before.
  ASSERT_FALSE(ReadDatafile(plain, read));
  EXPECT_EQ(read.Design, DesignSettings{});
}

TEST(DatafileDesignTest, ALineThatCannotBeReadIsRefusedByItsNumber) {
  ProblemData problem = test::StartupProblem();
  const std::string plain = WriteDatafile(problem);
  const int lines = static_cast<int>(std::count(plain.begin(), plain.end(), '\n'));
  for (const char* line :
       {"#design fy=abc", "#design min_fp=-1", "#design colour=red", "#design fy=0x163"}) {
    ProblemData read = problem;
    const auto error = ReadDatafile(plain + line + "\r\n", read);
    ASSERT_TRUE(error) << line;
    EXPECT_EQ(error->Line, lines + 1);
  }
  ProblemData read = problem;
  EXPECT_FALSE(ReadDatafile(plain + "#designer's note\r\n", read));
}

}  // namespace
}  // namespace korvanu
