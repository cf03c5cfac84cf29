// The general data grid's rules: limits of NN, NL, NT and NP, the geometry
// that follows NL, the refusals and what the cell shows afterwards.
#include <gtest/gtest.h>

#include "core/GeneralDataRules.h"
#include "core/TextFormat.h"
#include "tests/core/TestSupport.h"

namespace korvanu {
namespace {

class GeneralDataRules : public ::testing::Test {
 protected:
  GeneralDataRules() : problem_(test::StartupProblem()) {}

  CellCommit Apply(GeneralField field, std::string_view typed) {
    return ApplyGeneralValue(problem_, view_, field, typed);
  }

  ProblemData problem_;
  ViewState view_;
};

TEST_F(GeneralDataRules, CaptionsAndShownFormats) {
  EXPECT_STREQ(GeneralCaption(GeneralField::LicensedUser), "Licensed User");
  EXPECT_STREQ(GeneralCaption(GeneralField::FileName), "File Name");
  EXPECT_STREQ(GeneralCaption(GeneralField::ProblemName), "Problem Name");
  EXPECT_STREQ(GeneralCaption(GeneralField::Length), "Length (m)");
  EXPECT_STREQ(GeneralCaption(GeneralField::NN), "Number of Elements");
  EXPECT_STREQ(GeneralCaption(GeneralField::NL), "Number of Layers");
  EXPECT_STREQ(GeneralCaption(GeneralField::NT), "Number of Loading Steps");
  EXPECT_STREQ(GeneralCaption(GeneralField::NP), "Profile");
  EXPECT_EQ(GeneralValueText(problem_, GeneralField::LicensedUser), "Students of Geotechnics");
  EXPECT_EQ(GeneralValueText(problem_, GeneralField::Length), "       4.000");
  EXPECT_EQ(GeneralValueText(problem_, GeneralField::NN), "     100");
  EXPECT_EQ(GeneralValueText(problem_, GeneralField::NP), "       1");
}

TEST_F(GeneralDataRules, NumberOfElementsBetweenTwiceTheLayersTenAndThousand) {
  EXPECT_EQ(Apply(GeneralField::NN, "5").Shown, "      10");  // NL 4: 2*NL = 8 < 10
  EXPECT_EQ(problem_.General.NN, 10);
  EXPECT_EQ(Apply(GeneralField::NN, "2000").Shown, "    1000");
  EXPECT_EQ(Apply(GeneralField::NN, "250").Shown, "     250");
  EXPECT_EQ(Apply(GeneralField::NL, "20").Shown, "      20");
  EXPECT_EQ(Apply(GeneralField::NN, "15").Shown, "      40");
}

TEST_F(GeneralDataRules, NumberOfLayersLimitedByTwentyAndHalfTheElements) {
  CellCommit e = Apply(GeneralField::NL, "30");
  EXPECT_TRUE(e.Accepted);
  EXPECT_TRUE(e.OthersChanged);
  EXPECT_EQ(problem_.General.NL, 20);
  EXPECT_EQ(GeneralValueText(problem_, GeneralField::Length), "      20.000");

  Apply(GeneralField::NL, "4");
  Apply(GeneralField::NN, "10");
  EXPECT_EQ(Apply(GeneralField::NL, "8").Shown, "       5");
}

TEST_F(GeneralDataRules, RaisingLayersAddsOneMetreLayersLoweringKeepsGeometry) {
  Apply(GeneralField::NL, "6");
  EXPECT_EQ(problem_.Z[5], 5.0);
  EXPECT_EQ(problem_.Z[6], 6.0);
  EXPECT_EQ(problem_.H[4], 1.0);
  EXPECT_EQ(problem_.General.Length, 6.0);

  // A deeper geometry below layer 3, then NL down to 3: layers 4-6 keep theirs.
  problem_.H[3] = 2.5;
  problem_.Z[4] = 5.5;
  problem_.Z[5] = 6.5;
  problem_.Z[6] = 7.5;
  Apply(GeneralField::NL, "3");
  EXPECT_EQ(problem_.General.Length, 3.0);
  EXPECT_EQ(problem_.H[3], 2.5);
  EXPECT_EQ(problem_.Z[6], 7.5);

  // Taken back into use they are 1 m thick again, built on the boundary above.
  Apply(GeneralField::NL, "5");
  EXPECT_EQ(problem_.H[3], 1.0);
  EXPECT_EQ(problem_.Z[4], 4.0);
  EXPECT_EQ(problem_.Z[5], 5.0);
  EXPECT_EQ(problem_.General.Length, 5.0);
}

TEST_F(GeneralDataRules, LayerKeepsItsSoilWhileOutOfUse) {
  Apply(GeneralField::NL, "6");
  problem_.Layer(5, 3, Side::Right).c = 12.5;
  problem_.LayerName[5] = "Clay";
  Apply(GeneralField::NL, "2");
  Apply(GeneralField::NL, "6");
  EXPECT_EQ(problem_.Layer(5, 3, Side::Right).c, 12.5);
  EXPECT_EQ(problem_.LayerName[5], "Clay");
}

TEST_F(GeneralDataRules, StepsAndProfileAtMostTwenty) {
  EXPECT_EQ(Apply(GeneralField::NT, "25").Shown, "      20");
  EXPECT_EQ(Apply(GeneralField::NP, "21").Shown, "      20");
  EXPECT_EQ(Apply(GeneralField::NP, "12abc").Shown, "      12");
  EXPECT_EQ(Apply(GeneralField::NT, "3.7").Shown, "       3");
}

TEST_F(GeneralDataRules, RefusedValuesKeepProblemAndView) {
  view_.ResultsValid = true;
  view_.PageOffset = 3;
  const ProblemData before = problem_;
  for (const char* typed : {"0", "abc", "-3", "", " "}) {
    CellCommit e = Apply(GeneralField::NL, typed);
    EXPECT_FALSE(e.Accepted) << typed;
    EXPECT_EQ(e.Message, "Enter positive integer number");
    EXPECT_EQ(e.Shown, "       4");
  }
  for (const char* typed : {"0", "abc", "-3", "", "-0.5", "nan", "inf"}) {
    CellCommit e = Apply(GeneralField::Length, typed);
    EXPECT_FALSE(e.Accepted) << typed;
    EXPECT_EQ(e.Message, "Enter positive number");
    EXPECT_EQ(e.Shown, "       4.000");
  }
  EXPECT_TRUE(test::SameProblem(problem_, before));
  EXPECT_TRUE(view_.ResultsValid);
  EXPECT_EQ(view_.PageOffset, 3);
}

TEST_F(GeneralDataRules, AcceptedValueClearsResultsEvenWhenUnchanged) {
  view_.ResultsValid = true;
  view_.PageOffset = 3;
  CellCommit e = Apply(GeneralField::NN, "100");
  EXPECT_TRUE(e.Accepted);
  EXPECT_TRUE(e.Message.empty());
  EXPECT_FALSE(view_.ResultsValid);
  EXPECT_EQ(view_.PageOffset, 0);

  view_.ResultsValid = true;
  EXPECT_EQ(Apply(GeneralField::Length, "7.5").Shown, "       7.500");
  EXPECT_EQ(problem_.General.Length, 7.5);
  EXPECT_FALSE(view_.ResultsValid);
  EXPECT_EQ(problem_.Z[4], 4.0);  // a typed Length leaves the geometry alone
}

TEST_F(GeneralDataRules, ATypedLengthGivesWayToTheLayersAndSaysSo) {
  Apply(GeneralField::Length, "7.5");
  EXPECT_EQ(LengthFollowsLayers(problem_),
            "Length follows the layers: change the thickness of layer 4");
  EXPECT_EQ(problem_.General.Length, 4.0);
  EXPECT_EQ(LengthFollowsLayers(problem_), "");
  // A Length that reads as the depth gives way without a word.
  problem_.General.Length = 4.0004;
  EXPECT_EQ(LengthFollowsLayers(problem_), "");
  EXPECT_EQ(problem_.General.Length, 4.0);
}

TEST_F(GeneralDataRules, TextsCutToFortyCharacters) {
  const std::string long_name(55, 'x');
  CellCommit e = Apply(GeneralField::ProblemName, long_name);
  EXPECT_TRUE(e.Accepted);
  EXPECT_EQ(e.Shown, std::string(40, 'x'));
  EXPECT_EQ(problem_.General.ProblemName, std::string(40, 'x'));
  Apply(GeneralField::FileName, "wall.krv");
  EXPECT_EQ(problem_.General.FileName, "wall.krv");
  Apply(GeneralField::ProblemName, "Quay\r\nwall");
  EXPECT_EQ(problem_.General.ProblemName, "Quaywall");
  Apply(GeneralField::LicensedUser, "");
  EXPECT_EQ(problem_.General.LicensedUser, "");
}

TEST_F(GeneralDataRules, TextsTheDatafileWouldNotGiveBackAreRefused) {
  view_.ResultsValid = true;
  const ProblemData before = problem_;
  // A comma ends the field in the datafile.
  CellCommit e = Apply(GeneralField::ProblemName, "Wall A, stage 2");
  EXPECT_FALSE(e.Accepted);
  EXPECT_NE(e.Message.find("comma"), std::string::npos);
  EXPECT_NE(e.Message.find("read back as 'Wall A'"), std::string::npos);
  EXPECT_EQ(e.Shown, "New Problem");
  // The datafile's 8-bit character set has no "Ł".
  e = Apply(GeneralField::LicensedUser,
            "\xC5\x81"
            "od\xC5\xBA");
  EXPECT_FALSE(e.Accepted);
  EXPECT_NE(e.Message.find("'\xC5\x81' (U+0141)"), std::string::npos);
  EXPECT_EQ(e.Shown, "Students of Geotechnics");
  EXPECT_TRUE(test::SameProblem(problem_, before));
  EXPECT_TRUE(view_.ResultsValid);
  // It holds these.
  const std::string held =
      "Baugrube S\xC3\xBC"
      "d \xE2\x80\x93 Stufe 1 \xE2\x82\xAC \xC3\xA9";
  EXPECT_TRUE(Apply(GeneralField::ProblemName, held).Accepted);
  EXPECT_EQ(problem_.General.ProblemName, held);
}

}  // namespace
}  // namespace korvanu
