// The earth pressure formulas against published values, the order of the
// coefficients, the stroke from k_h, and the inputs refused.
#include <gtest/gtest.h>

#include <cmath>

#include "core/EarthPressure.h"

namespace korvanu {
namespace {

SoilStrength Strength(double phi, double delta, EarthPressureMethod method) {
  SoilStrength s;
  s.Phi = phi;
  s.Delta = delta;
  s.Method = method;
  return s;
}

TEST(EarthPressure, PublishedValues) {
  // Rankine and Jaky, phi' 30.
  EXPECT_NEAR(RankineKa(30), 1.0 / 3.0, 1e-12);
  EXPECT_NEAR(RankineKp(30), 3.0, 1e-12);
  EXPECT_NEAR(AtRestKn(30, std::nullopt), 0.5, 1e-12);
  EXPECT_NEAR(AtRestKn(30, 2.0), 0.5 * std::sqrt(2.0), 1e-12);  // OCR^sin phi'
  // Coulomb, phi' 30, delta 20, horizontal components.
  EXPECT_NEAR(CoulombKa(30, 20, 0), 0.279, 0.0005);
  EXPECT_NEAR(CoulombKp(30, 20, 0), 5.737, 0.0005);
  // Without wall friction and slope Coulomb is Rankine.
  EXPECT_NEAR(CoulombKa(30, 0, 0), 1.0 / 3.0, 1e-12);
  EXPECT_NEAR(CoulombKp(30, 0, 0), 3.0, 1e-12);
  // A surface rising away from the wall raises both (computed by hand).
  EXPECT_NEAR(CoulombKa(30, 20, 10), 0.31952, 0.00001);
  EXPECT_NEAR(CoulombKp(30, 20, 10), 10.2458, 0.0001);
  // Curved surfaces, phi' 30, delta/phi' 2/3: Lancellotta's closed form
  // evaluated independently gives 4.63271, within the 4.6 to 5.0 that curved
  // surfaces give where Coulomb's plane ones give 5.74; without wall
  // friction it is Rankine's.
  EXPECT_NEAR(CurvedKp(30, 20), 4.63271, 0.00001);
  EXPECT_NEAR(CurvedKp(35, 35 * 2.0 / 3.0), 6.51021, 0.00001);
  EXPECT_NEAR(CurvedKp(30, 0), 3.0, 1e-12);
  EXPECT_NEAR(CurvedKp(0, 0), 1.0, 1e-12);
}

TEST(EarthPressure, MethodsAndTheOrderOfTheCoefficients) {
  const EarthPressureCoefficients rankine =
      ComputeCoefficients(Strength(30, 20, EarthPressureMethod::Rankine), 0);
  ASSERT_TRUE(rankine.Ok()) << rankine.Error;
  EXPECT_NEAR(rankine.Ka, 1.0 / 3.0, 1e-12);  // delta is not used
  EXPECT_NEAR(rankine.Kp, 3.0, 1e-12);
  EXPECT_NEAR(rankine.Kn, 0.5, 1e-12);
  EXPECT_FALSE(rankine.Dw);

  SoilStrength ratio = Strength(30, 2.0 / 3.0, EarthPressureMethod::Curved);
  ratio.DeltaUnit = WallFrictionUnit::Ratio;
  const EarthPressureCoefficients curved = ComputeCoefficients(ratio, 0);
  EXPECT_NEAR(curved.Ka, CoulombKa(30, 20, 0), 1e-12);
  EXPECT_NEAR(curved.Kp, CurvedKp(30, 20), 1e-12);

  // A high OCR would put Kn above Kp; no friction puts Ka, Kn and Kp at 1.
  SoilStrength dense = Strength(20, 0, EarthPressureMethod::Rankine);
  dense.OCR = 1000;
  const EarthPressureCoefficients k = ComputeCoefficients(dense, 0);
  EXPECT_EQ(k.Kn, k.Kp);
  const EarthPressureCoefficients none =
      ComputeCoefficients(Strength(0, 0, EarthPressureMethod::Curved), 0);
  EXPECT_NEAR(none.Ka, 1.0, 1e-12);
  EXPECT_NEAR(none.Kn, 1.0, 1e-12);
  EXPECT_NEAR(none.Kp, 1.0, 1e-12);
}

TEST(EarthPressure, StrokeMakesTheSpringStiffnessKh) {
  SoilStrength s = Strength(30, 0, EarthPressureMethod::Rankine);
  s.Kh = 10000;
  EXPECT_NEAR(*ComputeCoefficients(s, 31).Dw, (3.0 - 1.0 / 3.0) * 31 / 10000, 1e-15);
  // With cohesion the spring law's limits widen (here Sa reaches 0): Sp - Sa
  // over Dw is still k_h.
  s.Cohesion = 10;
  const double sp = 3.0 * 31 + 20 * std::sqrt(3.0);
  EXPECT_NEAR(*ComputeCoefficients(s, 31).Dw, sp / 10000, 1e-15);
  s.Cohesion = 2;
  const double sa = 31.0 / 3.0 - 4 * std::sqrt(1.0 / 3.0);
  EXPECT_NEAR(*ComputeCoefficients(s, 31).Dw, (3.0 * 31 + 4 * std::sqrt(3.0) - sa) / 10000, 1e-15);
  // No stress, no cohesion: no stroke gives that stiffness, and the stress
  // is to blame, not k_h.
  s.Cohesion = 0;
  const EarthPressureCoefficients zero = ComputeCoefficients(s, 0);
  EXPECT_FALSE(zero.Ok());
  EXPECT_EQ(zero.Error.find("σ'v 0.000 kN/m²"), 0u) << zero.Error;
  // A stroke the table cannot hold, below 0.001 or beyond its ten places, is
  // refused; in memory it is used as it is, but never below 0.001.
  s.Kh = 2e5;
  EXPECT_NE(ComputeCoefficients(s, 31).Error.find("gives a stroke Dw of 0.0004133 m"),
            std::string::npos)
      << ComputeCoefficients(s, 31).Error;
  EXPECT_NEAR(*ComputeCoefficients(s, 31, StrokeRule::Unrounded).Dw, 0.001, 1e-15);
  s.Kh = 1e3;
  EXPECT_NEAR(*ComputeCoefficients(s, 31, StrokeRule::Unrounded).Dw, (3.0 - 1.0 / 3.0) * 0.031,
              1e-15);
  s.Kh = 1.0;
  EXPECT_NE(ComputeCoefficients(s, 1e6).Error.find("0.001 to 999999.999 m"), std::string::npos);
}

TEST(EarthPressure, InputsOutsideTheirRangeAreRefusedByName) {
  struct Case {
    SoilStrength strength;
    const char* message;
  };
  SoilStrength phi = Strength(55, 0, EarthPressureMethod::Coulomb);
  SoilStrength delta = Strength(30, 31, EarthPressureMethod::Coulomb);
  SoilStrength ratio = Strength(30, 1.2, EarthPressureMethod::Coulomb);
  ratio.DeltaUnit = WallFrictionUnit::Ratio;
  SoilStrength beta = Strength(30, 0, EarthPressureMethod::Coulomb);
  beta.Beta = 30;
  SoilStrength levelOnly = Strength(30, 0, EarthPressureMethod::Curved);
  levelOnly.Beta = 5;
  SoilStrength kh = Strength(30, 0, EarthPressureMethod::Coulomb);
  kh.Kh = 1e-300;
  SoilStrength ocr = Strength(30, 0, EarthPressureMethod::Coulomb);
  ocr.OCR = 0.5;
  SoilStrength nan = Strength(std::nan(""), 0, EarthPressureMethod::Coulomb);
  SoilStrength plane = Strength(50, 50, EarthPressureMethod::Coulomb);
  SoilStrength slope = Strength(50, 0, EarthPressureMethod::Coulomb);
  slope.Beta = 45;
  for (const Case& c :
       {Case{phi, "φ' 55 is outside its range 0..50 degrees."},
        Case{delta, "δ 31 is outside its range -φ'..φ' (-30..30 degrees)."},
        Case{ratio, "δ/φ' 1.2 is outside its range -1..1."},
        Case{beta, "β 30 is outside its range"},
        Case{levelOnly, "β 5: this method takes a level surface"},
        Case{kh, "k_h 1e-300 is outside its range: 1 kN/m³ or more."},
        Case{ocr, "OCR 0.5 is outside its range: 1 or more."}, Case{nan, "φ' nan is outside"},
        Case{plane, "plane sliding surfaces give no passive limit"},
        // Without wall friction only the slope can be lowered.
        Case{slope,
             "β 45: plane sliding surfaces give no passive limit with φ' 50 and δ 0; lower β."}}) {
    const EarthPressureCoefficients k = ComputeCoefficients(c.strength, 10);
    EXPECT_NE(k.Error.find(c.message), std::string::npos) << k.Error;
    EXPECT_EQ(k.Kp, 0.0);
  }
  // The edges are inside: phi' 50, |delta| = phi', beta = -phi'.
  SoilStrength edge = Strength(50, -50, EarthPressureMethod::Curved);
  EXPECT_TRUE(ComputeCoefficients(edge, 0).Ok());
  edge = Strength(30, 30, EarthPressureMethod::Coulomb);
  edge.Beta = -30;
  EXPECT_TRUE(ComputeCoefficients(edge, 0).Ok());
}

}  // namespace
}  // namespace korvanu
