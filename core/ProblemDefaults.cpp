// The default problem of start-up and New.
#include "core/ProblemDefaults.h"

#include <cmath>

namespace korvanu {
namespace {

LayerProperties DefaultLayer() {
  LayerProperties p;
  p.Wd = 16.0;
  p.Ws = 20.0;
  p.Zw = 1.0;
  p.Cap = 0.0;
  p.q = 0.0;
  p.c = 0.0;
  p.Ka = 1.0 / 3.0;
  p.Kp = 3.0;
  p.Kn = 1.0;
  p.Dw = 0.02;
  return p;
}

Profile DefaultProfile(int index) {
  Profile p;
  if (index < 10) {
    p.Name = "Larssen 20";
    p.Area = 0.0101;
    p.h = 0.22;
    p.EI = 13847.2;
  } else {
    p.Name = "Hoesch 215";
    p.Area = 0.0274;
    p.h = 0.34;
    p.EI = 112778.4;
  }
  p.Weight = 78.0;
  p.E = 210.0;
  p.i = 0.001 * std::sqrt(p.EI / (p.E * p.Area));
  return p;
}

constexpr int PatternCycle[12] = {4, 5, 3, 6, 2, 1, 10, 11, 9, 12, 8, 7};

}  // namespace

LayerProperties ExcavatedLayer(const LayerProperties& current) {
  LayerProperties p = current;
  p.Wd = 0.0;
  p.Ws = 10.0;
  p.Cap = 0.0;
  p.q = 0.0;
  p.c = 0.0;
  p.Ka = 1.0;
  p.Kp = 1.0;
  p.Kn = 1.0;
  p.Dw = 1.0;
  return p;
}

void InitialiseProblem(ProblemData& problem, ViewState& view) {
  GeneralData& g = problem.General;
  g.LicensedUser = "Students of Geotechnics";
  g.FileName = "New.krv";
  g.ProblemName = "New Problem";
  g.NN = 100;
  g.NL = 4;
  g.NT = 1;
  g.NP = 1;
  g.Version = 2006;

  problem.Z[0] = 0.0;
  for (int j = 0; j < MaxLayers; ++j) {
    problem.H[j] = 1.0;
    problem.Z[j + 1] = problem.Z[j] + problem.H[j];
    problem.LayerName[j] = "Soil " + std::to_string(j + 1);
    for (int s = 0; s < StepSlots; ++s) {
      problem.Layer(j, s, Side::Left) = DefaultLayer();
      problem.Layer(j, s, Side::Right) = DefaultLayer();
    }
    if (j < 2) {
      for (int s = 1; s < StepSlots; ++s) {
        LayerProperties& left = problem.Layer(j, s, Side::Left);
        left = ExcavatedLayer(left);
      }
    }
    problem.LayerPattern[j] = PatternCycle[j % 12];
  }
  problem.StrengthTable = {};  // the default coefficients are typed values
  g.Length = problem.Z[g.NL];

  for (int n = 0; n < MaxProfiles; ++n) problem.Catalogue[n] = DefaultProfile(n);
  problem.Design = DesignSettings{};

  view = ViewState{};
}

void SetAnchorStartValues(ProblemData& problem) {
  for (int s = 0; s < StepSlots; ++s) {
    for (int p = 0; p < MaxPoints; ++p) problem.Anchors[s][p] = AnchorRecord{0.0, 0.0, 1.0};
  }
  for (int s = 1; s < StepSlots; ++s) {
    problem.Anchors[s][1].Fa = 50.0;
    problem.Anchors[s][1].Fw = -0.02;
  }
}

void SetAxialStartValues(ProblemData& problem) {
  for (int s = 0; s < StepSlots; ++s) problem.Axial[s] = AxialRecord{};
}

}  // namespace korvanu
