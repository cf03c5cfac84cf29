// The soil stress law: stresses of a side at a depth, the linearised springs
// of an element and the shift of their elastic branch after a converged step.
#include "engine/SoilLaw.h"

#include <cmath>

#include "engine/FloatingPointFault.h"
#include "engine/StressColumn.h"

namespace korvanu {
namespace {

constexpr double WaterUnitWeight = 10.0;

}  // namespace

double SafeSqrt(double x) {
  return x > 0.0 ? std::sqrt(x) : 0.0;
}

double WeightAbove(const LayerProperties& p, double top, double saturatedTop, double depth) {
  if (saturatedTop < top) return (depth - top) * p.Ws;
  if (saturatedTop > depth) return (depth - top) * p.Wd;
  return (depth - saturatedTop) * p.Ws + (saturatedTop - top) * p.Wd;
}

double PorePressure(const LayerProperties& p, double saturatedTop, double z) {
  return z >= saturatedTop ? WaterUnitWeight * (z - p.Zw) : 0.0;
}

VerticalStressResult VerticalStress(const ProblemData& problem, Side side, int step, double z) {
  const auto& Zb = problem.Z;
  const int NL = problem.General.NL;
  VerticalStressResult r;
  for (int j = 0; j < NL; ++j) {
    const LayerProperties& p = problem.Layer(j, step, side);
    const double top = Zb[j];
    const double bottom = Zb[j + 1];
    const double zc = p.Zw - p.Cap;  // top of the saturated zone
    if (z >= bottom) {
      r.sigma += p.q;
      r.layer = j + 1 < NL - 1 ? j + 1 : NL - 1;
      r.sigma += WeightAbove(p, top, zc, bottom);
    } else if (z >= top) {
      r.sigma += p.q;
      r.sigma += WeightAbove(p, top, zc, z);
    }
    // On an inner boundary both layers set u; the lower one stands.
    if (top <= z && z <= bottom) r.u = PorePressure(p, zc, z);
  }
  return r;
}

HorizontalStresses HorizontalStressesAt(const ProblemData& problem, Side side, int step, double z) {
  return HorizontalStressesFrom(problem, side, step, VerticalStress(problem, side, step, z));
}

HorizontalStresses HorizontalStressesFrom(const ProblemData& problem, Side side, int step,
                                          const VerticalStressResult& v) {
  const double Sv = v.sigma - v.u;
  const LayerProperties& p = problem.Layer(v.layer, step, side);
  HorizontalStresses h;
  h.Sp = p.Kp * Sv + 2.0 * p.c * SafeSqrt(p.Kp);
  h.Sa = p.Ka * Sv - 2.0 * p.c * SafeSqrt(p.Ka);
  if (h.Sa < 0.0) h.Sa = 0.0;
  h.Sn = p.Kn * Sv;
  h.ks = CheckedDivide(h.Sp - h.Sa, p.Dw);
  h.u = v.u;
  h.layer = v.layer;
  return h;
}

namespace {

// Linearises the spring of one side of element e for its midpoint stresses
// and adds it to ke, fe.
void EvaluateSide(EngineState& engine, int e, Side side, const HorizontalStresses& h, double L,
                  double wm, double& ke, double& fe) {
  const bool left = side == Side::Left;
  const double wplastic = left ? engine.wl[e] : engine.wr[e];
  const double Sh = left ? h.Sn - (wm - wplastic) * h.ks : h.Sn + (wm - wplastic) * h.ks;
  double S = h.Sn;
  double k = h.ks;
  SpringState state = SpringState::Elastic;
  if (h.Sp - h.Sa < StressTolerance) {
    S = h.Sa;
    k = 0.0;
  } else {
    if (Sh <= h.Sa - StressTolerance) {
      S = h.Sa;
      k = 0.0;
      state = SpringState::Active;
      ++engine.PlasticSprings;
    }
    if (Sh >= h.Sp + StressTolerance) {
      S = h.Sp;
      k = 0.0;
      state = SpringState::Passive;
      ++engine.PlasticSprings;
    }
  }
  if (left) {
    fe += (S + h.u + k * wplastic) * L;
  } else {
    fe -= (S + h.u - k * wplastic) * L;
  }
  ke += k * L;
  SpringState& stored = left ? engine.LeftState[e] : engine.RightState[e];
  if (state != stored) {
    stored = state;
    ++engine.StateChanges;
  }
}

// Shifts the elastic branch of one side of element e to the converged
// displacement wm; the tests use no tolerance.
void UpdateSide(EngineState& engine, int e, Side side, const HorizontalStresses& h, double wm) {
  if (side == Side::Left) {
    const double Sh = h.Sn - (wm - engine.wl[e]) * h.ks;
    if (h.Sp - h.Sa > StressTolerance) {
      if (Sh <= h.Sa) engine.wl[e] = wm + CheckedDivide(h.Sa - h.Sn, h.ks);
      if (Sh >= h.Sp) engine.wl[e] = wm + CheckedDivide(h.Sp - h.Sn, h.ks);
    }
  } else {
    const double Sh = h.Sn + (wm - engine.wr[e]) * h.ks;
    if (h.Sp - h.Sa > StressTolerance) {
      if (Sh <= h.Sa) engine.wr[e] = wm - CheckedDivide(h.Sa - h.Sn, h.ks);
      if (Sh >= h.Sp) engine.wr[e] = wm - CheckedDivide(h.Sp - h.Sn, h.ks);
    }
  }
}

// A layer without dry weight (excavated) is neutral at the wall's position.
void ResetExcavated(const ProblemData& problem, EngineState& engine, int e, int step, int layer,
                    double wm) {
  if (problem.Layer(layer, step, Side::Left).Wd < StressTolerance) engine.wl[e] = wm;
  if (problem.Layer(layer, step, Side::Right).Wd < StressTolerance) engine.wr[e] = wm;
}

double Midpoint(const EngineState& engine, int e) {
  return (engine.Nodes.z[e] + engine.Nodes.z[e + 1]) / 2.0;
}

double MeanDisplacement(const EngineState& engine, int e) {
  return (engine.Nodes.w[e] + engine.Nodes.w[e + 1]) / 2.0;
}

double Length(const EngineState& engine, int e) {
  return engine.Nodes.z[e + 1] - engine.Nodes.z[e];
}

// The midpoint stresses of the two sides of a step, from their columns.
struct SideColumns {
  SideColumns(const ProblemData& problem, int step)
      : problem(problem),
        step(step),
        left(problem, Side::Left, step),
        right(problem, Side::Right, step) {}
  HorizontalStresses At(Side side, double z) {
    StressColumn& column = side == Side::Left ? left : right;
    return HorizontalStressesFrom(problem, side, step, column.At(z));
  }
  const ProblemData& problem;
  int step;
  StressColumn left;
  StressColumn right;
};

// One element; with Compute the stresses of each side are computed into left
// and right just before that side is used, otherwise they are taken as given.
template <bool Compute>
void EvaluateElement(SideColumns* columns, EngineState& engine, int e, HorizontalStresses& left,
                     HorizontalStresses& right) {
  const double L = Length(engine, e);
  const double wm = MeanDisplacement(engine, e);
  const double zm = Midpoint(engine, e);
  double ke = 0.0;
  double fe = 0.0;
  if constexpr (Compute) left = columns->At(Side::Left, zm);
  EvaluateSide(engine, e, Side::Left, left, L, wm, ke, fe);
  if constexpr (Compute) right = columns->At(Side::Right, zm);
  EvaluateSide(engine, e, Side::Right, right, L, wm, ke, fe);
  engine.ke[e] = ke;
  engine.fe[e] = fe;
}

template <bool Compute>
void UpdateElement(const ProblemData& problem, SideColumns* columns, EngineState& engine, int e,
                   int step, HorizontalStresses& left, HorizontalStresses& right) {
  const double wm = MeanDisplacement(engine, e);
  const double zm = Midpoint(engine, e);
  if constexpr (Compute) left = columns->At(Side::Left, zm);
  UpdateSide(engine, e, Side::Left, left, wm);
  if constexpr (Compute) right = columns->At(Side::Right, zm);
  UpdateSide(engine, e, Side::Right, right, wm);
  ResetExcavated(problem, engine, e, step, left.layer, wm);
}

}  // namespace

void EvaluateSprings(const ProblemData& problem, EngineState& engine, int e, int step) {
  SideColumns columns(problem, step);
  HorizontalStresses left;
  HorizontalStresses right;
  EvaluateElement<true>(&columns, engine, e, left, right);
}

void UpdateSoilPlastic(const ProblemData& problem, EngineState& engine, int e, int step) {
  SideColumns columns(problem, step);
  HorizontalStresses left;
  HorizontalStresses right;
  UpdateElement<true>(problem, &columns, engine, e, step, left, right);
}

void EvaluateAllSprings(const ProblemData& problem, EngineState& engine, int step) {
  const int NN = problem.General.NN;
  if (engine.StressStep != step) {
    engine.StressStep = -1;  // an interrupted fill leaves nothing usable
    SideColumns columns(problem, step);
    for (int e = 0; e < NN; ++e) {
      EvaluateElement<true>(&columns, engine, e, engine.LeftStress[e], engine.RightStress[e]);
    }
    engine.StressStep = step;
    return;
  }
  for (int e = 0; e < NN; ++e) {
    EvaluateElement<false>(nullptr, engine, e, engine.LeftStress[e], engine.RightStress[e]);
  }
}

void UpdateAllSoilPlastic(const ProblemData& problem, EngineState& engine, int step) {
  const int NN = problem.General.NN;
  if (engine.StressStep == step) {
    for (int e = 0; e < NN; ++e) {
      UpdateElement<false>(problem, nullptr, engine, e, step, engine.LeftStress[e],
                           engine.RightStress[e]);
    }
    return;
  }
  SideColumns columns(problem, step);
  for (int e = 0; e < NN; ++e) {
    HorizontalStresses left;
    HorizontalStresses right;
    UpdateElement<true>(problem, &columns, engine, e, step, left, right);
  }
}

}  // namespace korvanu
