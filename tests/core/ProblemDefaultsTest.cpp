// The default problem of start-up and New, and the editors' start values.
#include <gtest/gtest.h>

#include "core/ProblemDefaults.h"
#include "core/TextFormat.h"

using namespace korvanu;

TEST(ProblemDefaults, GeneralDataAfterStart) {
  ProblemData p;
  ViewState v;
  v.ResultsValid = true;
  v.PageOffset = 7;
  InitialiseProblem(p, v);
  EXPECT_EQ(p.General.LicensedUser, "Students of Geotechnics");
  EXPECT_EQ(p.General.FileName, "New.krv");
  EXPECT_EQ(p.General.ProblemName, "New Problem");
  EXPECT_EQ(Format("%12.3f", p.General.Length), "       4.000");
  EXPECT_EQ(p.General.NN, 100);
  EXPECT_EQ(p.General.NL, 4);
  EXPECT_EQ(p.General.NT, 1);
  EXPECT_EQ(p.General.NP, 1);
  EXPECT_EQ(p.General.Version, 2006);
  EXPECT_FALSE(v.ResultsValid);
  EXPECT_EQ(v.PageOffset, 0);
  EXPECT_EQ(v.CurrentCol, 1);
  EXPECT_EQ(v.CurrentRow, 0);
}

TEST(ProblemDefaults, StepZeroSymmetricStepOneExcavatesTwoLayersOnTheLeft) {
  ProblemData p;
  ViewState v;
  InitialiseProblem(p, v);
  for (int j = 0; j < MaxLayers; ++j) {
    EXPECT_EQ(p.Layer(j, 0, Side::Left), p.Layer(j, 0, Side::Right));
    EXPECT_EQ(p.Layer(j, 1, Side::Right), p.Layer(j, 0, Side::Right));
    if (j >= 2) {
      EXPECT_EQ(p.Layer(j, 1, Side::Left), p.Layer(j, 0, Side::Left));
    }
  }
  const LayerProperties& dug = p.Layer(1, 1, Side::Left);
  EXPECT_EQ(dug.Wd, 0.0);
  EXPECT_EQ(dug.Ws, 10.0);
  EXPECT_EQ(dug.Zw, 1.0);
  EXPECT_EQ(dug.Ka, 1.0);
  EXPECT_EQ(dug.Kp, 1.0);
  EXPECT_EQ(dug.Kn, 1.0);
  EXPECT_EQ(dug.Dw, 1.0);
  EXPECT_EQ(p.Layer(0, 0, Side::Left).Ka, 1.0 / 3.0);
}

TEST(ProblemDefaults, CatalogueRadiusOfInertiaAndPatterns) {
  ProblemData p;
  ViewState v;
  InitialiseProblem(p, v);
  EXPECT_EQ(Format("%10.6f", p.Catalogue[0].i), "  0.080800");
  EXPECT_EQ(Format("%10.6f", p.Catalogue[19].i), "  0.140000");
  EXPECT_EQ(p.Catalogue[9].Name, "Larssen 20");
  EXPECT_EQ(p.Catalogue[10].Name, "Hoesch 215");
  EXPECT_EQ(p.LayerPattern[0], 4);
  EXPECT_EQ(p.LayerPattern[11], 7);
  EXPECT_EQ(p.LayerPattern[12], 4);
  EXPECT_EQ(p.LayerPattern[19], 11);
  EXPECT_EQ(p.LayerName[19], "Soil 20");
}

TEST(ProblemDefaults, NewKeepsAnchorsAndAxialForces) {
  ProblemData p;
  ViewState v;
  InitialiseProblem(p, v);
  SetAnchorStartValues(p);
  SetAxialStartValues(p);
  EXPECT_EQ(p.Anchors[0][1], (AnchorRecord{0.0, 0.0, 1.0}));
  EXPECT_EQ(p.Anchors[1][1], (AnchorRecord{0.0, 50.0, -0.02}));
  EXPECT_EQ(p.Anchors[20][1], (AnchorRecord{0.0, 50.0, -0.02}));
  p.Anchors[2][3].Fx = 12.5;
  p.Axial[1].MA = 4.0;
  p.General.ProblemName = "Changed";
  InitialiseProblem(p, v);
  EXPECT_EQ(p.Anchors[2][3].Fx, 12.5);
  EXPECT_EQ(p.Axial[1].MA, 4.0);
  EXPECT_EQ(p.General.ProblemName, "New Problem");
}
