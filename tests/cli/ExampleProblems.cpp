// Test 1 and 2: a beam on an elastic foundation (k = 100 kN/m2 per m, EI = 25,
// so that the characteristic length is 1 m) under a force or a moment at the
// top. Test 3 and 4: an anchored wall in dry sand, excavated to 5 m, at its
// minimum length, with the excavation and the anchor on either side.
// Ex 1 to 4: design problems as an engineer would set them up, excavated on
// the left, the retained soil on the right.
#include "tests/cli/ExampleProblems.h"

#include <cmath>

#include "core/ProblemDefaults.h"
#include "core/ViewState.h"

namespace korvanu {

namespace {

// Wall lengths of the design examples: about 20 % more embedment than the
// shortest wall that stands (korvanu-cli min-length), rounded up.
constexpr double Ex1Length = 6.7;
constexpr double Ex2Length = 9.0;
constexpr double Ex3Length = 6.0;
constexpr double Ex4Length = 4.7;

void SetLayers(ProblemData& p, const std::vector<double>& boundaries) {
  p.General.NL = static_cast<int>(boundaries.size()) - 1;
  for (size_t k = 0; k < boundaries.size(); ++k) p.Z[k] = boundaries[k];
  for (int j = 0; j < p.General.NL; ++j) p.H[j] = p.Z[j + 1] - p.Z[j];
  p.General.Length = p.Z[p.General.NL];
}

// The same soil in every layer, step and side in use.
void SetSoil(ProblemData& p, const LayerProperties& soil) {
  for (int j = 0; j < p.General.NL; ++j) {
    for (int s = 0; s <= p.General.NT; ++s) {
      p.Layer(j, s, Side::Left) = soil;
      p.Layer(j, s, Side::Right) = soil;
    }
  }
}

// No force and no anchor anywhere; the examples add their own.
void ClearPointForces(ProblemData& p) {
  for (auto& step : p.Anchors) {
    for (auto& point : step) {
      point = AnchorRecord{0.0, 0.0, 1.0};
    }
  }
}

// The start-up problem renamed, with 200 elements, one loading step and profile 1.
ProblemData NamedProblem(const std::string& fileName, const std::string& title) {
  ProblemData p = StartUpProblem();
  p.General.FileName = fileName;
  p.General.ProblemName = title;
  p.General.NN = 200;
  p.General.NT = 1;
  p.General.NP = 1;
  return p;
}

ProblemData ElasticFoundation(const std::string& fileName, const std::string& title) {
  ProblemData p = NamedProblem(fileName, title);
  SetLayers(p, {0.0, 10.0});
  LayerProperties water;  // no effective stress: only the cohesion 50 makes the springs
  water.Wd = 10.0;
  water.Ws = 10.0;
  water.Zw = 0.0;
  water.Cap = 0.0;
  water.q = 0.0;
  water.c = 50.0;
  water.Ka = water.Kn = water.Kp = 1.0;
  water.Dw = 1.0;
  SetSoil(p, water);
  ClearPointForces(p);
  Profile& beam = p.Catalogue[0];
  beam.Name = "Elastic beam EI=25";
  beam.EI = 25.0;
  beam.i = 0.001 * std::sqrt(beam.EI / (beam.E * beam.Area));
  return p;
}

ProblemData AnchoredWall(const std::string& fileName, const std::string& title, Side excavated) {
  ProblemData p = NamedProblem(fileName, title);
  SetLayers(p, {0.0, 1.0, 5.0, 6.901});
  LayerProperties sand;  // dry: the phreatic level lies far below the toe
  sand.Wd = 16.0;
  sand.Ws = 20.0;
  sand.Zw = 100.0;
  sand.Cap = 0.0;
  sand.q = 0.0;
  sand.c = 0.0;
  sand.Ka = 0.3333;
  sand.Kp = 3.0;
  sand.Kn = 0.3333;
  sand.Dw = 0.02;
  SetSoil(p, sand);
  for (int j = 0; j < 2; ++j) {
    LayerProperties& dug = p.Layer(j, 1, excavated);
    dug = ExcavatedLayer(dug);
  }
  ClearPointForces(p);
  // The anchor stands on the side that keeps its soil and holds the wall back.
  p.Anchors[1][1].Fa = 100.0;
  p.Anchors[1][1].Fw = excavated == Side::Left ? -0.01 : 0.01;
  return p;
}

// Layers 0..count-1 on `side` excavated in `step`; the other layers keep
// what they have.
void Excavate(ProblemData& p, int step, Side side, int count) {
  for (int j = 0; j < count; ++j) {
    LayerProperties& dug = p.Layer(j, step, side);
    dug = ExcavatedLayer(dug);
  }
}

// The phreatic level of every layer on one side in one step.
void SetWaterLevel(ProblemData& p, int step, Side side, double Zw) {
  for (int j = 0; j < p.General.NL; ++j) p.Layer(j, step, side).Zw = Zw;
}

ProblemData DesignProblem(const std::string& fileName, const std::string& title, int NT, int NP,
                          const std::vector<double>& boundaries, const LayerProperties& soil) {
  ProblemData p = NamedProblem(fileName, title);
  p.General.NT = NT;
  p.General.NP = NP;
  SetLayers(p, boundaries);
  SetSoil(p, soil);
  ClearPointForces(p);
  return p;
}

// Soil data in datafile order: Wd, Ws, Zw, Cap, q, c, Ka, Kp, Kn, Dw.
constexpr LayerProperties DrySand{18.0, 20.0, 100.0, 0.0, 0.0, 0.0, 0.33, 3.0, 0.5, 0.02};
constexpr LayerProperties SandBelowWater{18.0, 20.0, 2.0, 0.0, 0.0, 0.0, 0.3, 3.5, 0.45, 0.02};
constexpr LayerProperties StiffClay{19.0, 20.0, 100.0, 0.0, 0.0, 8.0, 0.49, 2.04, 0.6, 0.03};

// A cantilever wall: 3 m dug in three stages of 1 m.
ProblemData CantileverInSand() {
  ProblemData p = DesignProblem("Ex1.krv", "Ex 1: cantilever in dry sand - 3 stages", 3, 11,
                                {0.0, 1.0, 2.0, 3.0, Ex1Length}, DrySand);
  for (int s = 1; s <= 3; ++s) Excavate(p, s, Side::Left, s);
  return p;
}

// An anchored wall in sand below the water table (2 m on both sides at
// first). Step 1 digs to 1.5 m, step 2 sets the anchor at 1 m, steps 3 and 4
// dig to 3.5 m and 5 m while the pit is pumped to 0.5 m below its floor.
ProblemData AnchoredBelowWater() {
  ProblemData p = DesignProblem("Ex2.krv", "Ex 2: anchored - below water - pit dry", 4, 11,
                                {0.0, 1.0, 1.5, 3.5, 5.0, Ex2Length}, SandBelowWater);
  const int dug[5] = {0, 2, 2, 3, 4};
  const double pit[5] = {2.0, 2.0, 2.0, 4.0, 5.5};
  for (int s = 1; s <= 4; ++s) {
    SetWaterLevel(p, s, Side::Left, pit[s]);
    Excavate(p, s, Side::Left, dug[s]);
  }
  for (int s = 2; s <= 4; ++s) p.Anchors[s][1] = AnchorRecord{0.0, 250.0, -0.02};
  return p;
}

// A cantilever wall in stiff clay, dug to 2.5 m; then a surcharge of
// 20 kN/m2 behind it (on the top layer, so on every layer below).
ProblemData CantileverInClay() {
  ProblemData p = DesignProblem("Ex3.krv", "Ex 3: cantilever in clay - surcharge", 2, 11,
                                {0.0, 1.0, 2.5, Ex3Length}, StiffClay);
  for (int s = 1; s <= 2; ++s) Excavate(p, s, Side::Left, 2);
  p.Layer(0, 2, Side::Right).q = 20.0;
  return p;
}

// A cantilever wall dug to 2 m in sand that then carries a capping beam's
// load: 150 kN/m compression at the top, 50 kN/m left at the toe, and a top
// moment of 15 kNm/m from its eccentricity.
ProblemData AxialLoadAndMoment() {
  ProblemData p = DesignProblem("Ex4.krv", "Ex 4: cantilever - axial load - moment", 2, 11,
                                {0.0, 2.0, Ex4Length}, DrySand);
  for (int s = 1; s <= 2; ++s) Excavate(p, s, Side::Left, 1);
  p.Axial[2] = AxialRecord{-150.0, -50.0, 15.0};
  return p;
}

}  // namespace

ProblemData StartUpProblem() {
  ProblemData p;
  ViewState view;
  InitialiseProblem(p, view);
  SetAnchorStartValues(p);
  SetAxialStartValues(p);
  return p;
}

std::vector<ExampleProblem> ExampleProblems() {
  std::vector<ExampleProblem> examples;
  ProblemData test1 = ElasticFoundation("Test1.krv", "Test 1: elastic foundation - top force");
  test1.Anchors[1][0].Fx = 10.0;
  examples.push_back({"Test1.krv", test1});
  ProblemData test2 = ElasticFoundation("Test2.krv", "Test 2: elastic foundation - top moment");
  test2.Axial[1].MA = 10.0;
  examples.push_back({"Test2.krv", test2});
  examples.push_back(
      {"Test3.krv",
       AnchoredWall("Test3.krv", "Test 3: anchored wall - excavation left", Side::Left)});
  examples.push_back(
      {"Test4.krv",
       AnchoredWall("Test4.krv", "Test 4: anchored wall - excavation right", Side::Right)});
  examples.push_back({"Ex1.krv", CantileverInSand()});
  examples.push_back({"Ex2.krv", AnchoredBelowWater()});
  examples.push_back({"Ex3.krv", CantileverInClay()});
  examples.push_back({"Ex4.krv", AxialLoadAndMoment()});
  return examples;
}

}  // namespace korvanu
