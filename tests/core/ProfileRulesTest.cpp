// The profile catalogue's rules: which value recomputes which of EI and i,
// the refusal of negative values, and profiles without stiffness that must
// not divide by zero.
#include <gtest/gtest.h>

#include "core/ProfileRules.h"
#include "tests/core/TestSupport.h"

namespace korvanu {
namespace {

class ProfileRules : public ::testing::Test {
 protected:
  ProfileRules() : problem_(test::StartupProblem()) {
    Profile& p = problem_.Catalogue[4];
    p.E = 210.0;
    p.Area = 0.01;
  }

  CellCommit Commit(ProfileColumn column, std::string_view typed) {
    view_.ResultsValid = true;
    CellCommit commit = CommitProfileCell(problem_, view_, column, 4, typed);
    EXPECT_FALSE(view_.ResultsValid);
    return commit;
  }
  std::string Shown(ProfileColumn column) { return ProfileCellText(problem_, column, 4); }

  ProblemData problem_;
  ViewState view_;
};

TEST_F(ProfileRules, RadiusAndModulusRecomputeEIAndEIRecomputesTheRadius) {
  EXPECT_EQ(Commit(ProfileColumn::i, "0.1").Shown, " 0.100000");
  EXPECT_EQ(Shown(ProfileColumn::EI), "  21000.0");
  EXPECT_EQ(Commit(ProfileColumn::EI, "42000").Shown, "  42000.0");
  EXPECT_EQ(Shown(ProfileColumn::i), " 0.141421");
  Commit(ProfileColumn::E, "105");
  EXPECT_EQ(Shown(ProfileColumn::EI), "  21000.0");
}

TEST_F(ProfileRules, AreaWaitsForTheNextDerivationWhichKeepsEI) {
  Commit(ProfileColumn::i, "0.1");
  Commit(ProfileColumn::Area, "0.02");
  EXPECT_EQ(Shown(ProfileColumn::i), " 0.100000");
  EXPECT_EQ(Shown(ProfileColumn::EI), "  21000.0");
  DeriveRadiiOfInertia(problem_);
  EXPECT_EQ(Shown(ProfileColumn::i), " 0.070711");
  EXPECT_EQ(Shown(ProfileColumn::EI), "  21000.0");
  EXPECT_EQ(ProfileCellText(problem_, ProfileColumn::i, 0), " 0.080800");
  EXPECT_EQ(ProfileCellText(problem_, ProfileColumn::i, 19), " 0.140000");
}

TEST_F(ProfileRules, NoStiffnessShowsNoRadiusAndKeepsEI) {
  Commit(ProfileColumn::EI, "21000");
  Commit(ProfileColumn::Area, "0");
  DeriveRadiiOfInertia(problem_);
  EXPECT_EQ(Shown(ProfileColumn::i), " 0.000000");
  EXPECT_EQ(Shown(ProfileColumn::EI), "  21000.0");
  EXPECT_EQ(Commit(ProfileColumn::EI, "30000").Shown, "  30000.0");
  EXPECT_EQ(Shown(ProfileColumn::i), " 0.000000");
  Commit(ProfileColumn::Area, "0.01");
  DeriveRadiiOfInertia(problem_);
  EXPECT_EQ(Shown(ProfileColumn::i), " 0.119523");
}

TEST_F(ProfileRules, NegativeValuesAreRefusedInTheColumnsFormat) {
  const Profile before = problem_.Catalogue[4];
  const struct {
    ProfileColumn Column;
    const char* Shown;
  } cases[] = {{ProfileColumn::Area, " 1.000000"}, {ProfileColumn::Weight, "    1.000"},
               {ProfileColumn::E, "    1.000"},    {ProfileColumn::h, " 1.000000"},
               {ProfileColumn::i, " 1.000000"},    {ProfileColumn::EI, " 1.000000"}};
  for (const auto& c : cases) {
    const CellCommit commit = Commit(c.Column, "-1");
    EXPECT_FALSE(commit.Accepted);
    EXPECT_EQ(commit.Message, "Enter positive integer number");
    EXPECT_EQ(commit.Shown, c.Shown);
  }
  EXPECT_EQ(problem_.Catalogue[4], before);
}

TEST_F(ProfileRules, NamesAreCutToTwentyCharacters) {
  EXPECT_EQ(Commit(ProfileColumn::Name, "Larssen 603 K - heavy section").Shown,
            "Larssen 603 K - heav");
  EXPECT_EQ(problem_.Catalogue[4].Name, "Larssen 603 K - heav");
}

TEST_F(ProfileRules, NamesTheDatafileWouldNotGiveBackAreRefused) {
  const std::string before = problem_.Catalogue[4].Name;
  for (const char* typed : {"AZ 18, 700",
                            "\xC5\x81"
                            "abe"}) {
    const CellCommit commit = Commit(ProfileColumn::Name, typed);
    EXPECT_FALSE(commit.Accepted) << typed;
    EXPECT_NE(commit.Message.find("A profile name cannot hold"), std::string::npos) << typed;
    EXPECT_EQ(commit.Shown, before);
    EXPECT_EQ(problem_.Catalogue[4].Name, before);
  }
}

}  // namespace
}  // namespace korvanu
