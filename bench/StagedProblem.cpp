// The staged excavation of the benchmarks.
#include "bench/StagedProblem.h"

#include <algorithm>

#include "core/ProblemDefaults.h"
#include "core/ViewState.h"

namespace korvanu {

namespace {

constexpr int ExcavatedLayers = 12;

}  // namespace

ProblemData StagedExcavation() {
  ProblemData p;
  ViewState view;
  InitialiseProblem(p, view);
  SetAnchorStartValues(p);
  SetAxialStartValues(p);
  GeneralData& g = p.General;
  g.FileName = "Staged.krv";
  g.NN = 1000;
  g.NL = 20;
  g.NT = 20;
  g.NP = 11;
  p.Z[0] = 0.0;
  for (int j = 0; j < g.NL; ++j) {
    p.H[j] = j < ExcavatedLayers ? 0.5 : 1.5;
    p.Z[j + 1] = p.Z[j] + p.H[j];
  }
  g.Length = p.Z[g.NL];
  LayerProperties sand;
  sand.Wd = 18.0;
  sand.Ws = 20.0;
  sand.Zw = 3.0;
  sand.Cap = 0.0;
  sand.q = 0.0;
  sand.c = 0.0;
  sand.Ka = 0.3;
  sand.Kp = 3.5;
  sand.Kn = 0.5;
  sand.Dw = 0.02;
  for (int s = 0; s <= g.NT; ++s) {
    for (int j = 0; j < g.NL; ++j) {
      LayerProperties left = sand;
      if (j < std::min(s, ExcavatedLayers)) left = ExcavatedLayer(left);
      p.Layer(j, s, Side::Left) = left;
      p.Layer(j, s, Side::Right) = sand;
    }
    if (s > ExcavatedLayers) p.Layer(0, s, Side::Right).q = 5.0 * (s - ExcavatedLayers);
    for (int k = 0; k <= g.NL; ++k) p.Anchors[s][k] = AnchorRecord{0.0, 0.0, 1.0};
    if (s >= 1) p.Anchors[s][2] = AnchorRecord{0.0, 300.0, -0.02};
  }
  return p;
}

}  // namespace korvanu
