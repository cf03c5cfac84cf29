// Test 1 and 2: a beam on an elastic foundation (k = 100 kN/m2 per m, EI = 25,
// so that the characteristic length is 1 m) under a force or a moment at the
// top. Test 3 and 4: an anchored wall in dry sand, excavated to 5 m, at its
// minimum length, with the excavation and the anchor on either side.
#include "tests/cli/ExampleProblems.h"

#include <cmath>

#include "core/ProblemDefaults.h"
#include "core/ViewState.h"

namespace korvanu {

namespace {

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
  return examples;
}

}  // namespace korvanu
