// The soil stress law: stresses of a side at a depth, the linearised springs
// of an element and the shift of their elastic branch after a converged step.
#include "engine/SoilLaw.h"

#include <cmath>

#include "engine/FloatingPointFault.h"

namespace korvanu {
namespace {

constexpr double WaterUnitWeight = 10.0;

}  // namespace

double SafeSqrt(double x) {
  return x > 0.0 ? std::sqrt(x) : 0.0;
}

VerticalStressResult VerticalStress(const ProblemData& problem, Side side, int step, double z) {
  const auto& Zb = problem.Z;
  const int NL = problem.General.NL;
  VerticalStressResult r;
  for (int j = 0; j < NL; ++j) {
    const LayerProperties& p = problem.Layer(j, step, side);
    const double top = Zb[j];
    const double bottom = Zb[j + 1];
    const double H = bottom - top;
    const double zc = p.Zw - p.Cap;  // top of the saturated zone
    if (z >= bottom) {
      r.sigma += p.q;
      r.layer = j + 1 < NL - 1 ? j + 1 : NL - 1;
      if (zc < top) {
        r.sigma += H * p.Ws;
      } else if (zc > bottom) {
        r.sigma += H * p.Wd;
      } else {
        r.sigma += (bottom - zc) * p.Ws + (zc - top) * p.Wd;
      }
    } else if (z >= top) {
      r.sigma += p.q;
      if (zc < top) {
        r.sigma += (z - top) * p.Ws;
      } else if (zc > z) {
        r.sigma += (z - top) * p.Wd;
      } else {
        r.sigma += (z - zc) * p.Ws + (zc - top) * p.Wd;
      }
    }
    // On an inner boundary both layers set u; the lower one stands.
    if (top <= z && z <= bottom) {
      r.u = z >= zc ? WaterUnitWeight * (z - p.Zw) : 0.0;
    }
  }
  return r;
}

HorizontalStresses HorizontalStressesAt(const ProblemData& problem, Side side, int step, double z) {
  const VerticalStressResult v = VerticalStress(problem, side, step, z);
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

// One element; with Compute the stresses of each side are computed into left
// and right just before that side is used, otherwise they are taken as given.
template <bool Compute>
void EvaluateElement(const ProblemData& problem, EngineState& engine, int e, int step,
                     HorizontalStresses& left, HorizontalStresses& right) {
  const double L = Length(engine, e);
  const double wm = MeanDisplacement(engine, e);
  const double zm = Midpoint(engine, e);
  double ke = 0.0;
  double fe = 0.0;
  if constexpr (Compute) left = HorizontalStressesAt(problem, Side::Left, step, zm);
  EvaluateSide(engine, e, Side::Left, left, L, wm, ke, fe);
  if constexpr (Compute) right = HorizontalStressesAt(problem, Side::Right, step, zm);
  EvaluateSide(engine, e, Side::Right, right, L, wm, ke, fe);
  engine.ke[e] = ke;
  engine.fe[e] = fe;
}

template <bool Compute>
void UpdateElement(const ProblemData& problem, EngineState& engine, int e, int step,
                   HorizontalStresses& left, HorizontalStresses& right) {
  const double wm = MeanDisplacement(engine, e);
  const double zm = Midpoint(engine, e);
  if constexpr (Compute) left = HorizontalStressesAt(problem, Side::Left, step, zm);
  UpdateSide(engine, e, Side::Left, left, wm);
  if constexpr (Compute) right = HorizontalStressesAt(problem, Side::Right, step, zm);
  UpdateSide(engine, e, Side::Right, right, wm);
  ResetExcavated(problem, engine, e, step, left.layer, wm);
}

}  // namespace

void EvaluateSprings(const ProblemData& problem, EngineState& engine, int e, int step) {
  HorizontalStresses left;
  HorizontalStresses right;
  EvaluateElement<true>(problem, engine, e, step, left, right);
}

void UpdateSoilPlastic(const ProblemData& problem, EngineState& engine, int e, int step) {
  HorizontalStresses left;
  HorizontalStresses right;
  UpdateElement<true>(problem, engine, e, step, left, right);
}

void EvaluateAllSprings(const ProblemData& problem, EngineState& engine, int step) {
  const int NN = problem.General.NN;
  if (engine.StressStep != step) {
    engine.StressStep = -1;  // an interrupted fill leaves nothing usable
    for (int e = 0; e < NN; ++e) {
      EvaluateElement<true>(problem, engine, e, step, engine.LeftStress[e], engine.RightStress[e]);
    }
    engine.StressStep = step;
    return;
  }
  for (int e = 0; e < NN; ++e) {
    EvaluateElement<false>(problem, engine, e, step, engine.LeftStress[e], engine.RightStress[e]);
  }
}

void UpdateAllSoilPlastic(const ProblemData& problem, EngineState& engine, int step) {
  const int NN = problem.General.NN;
  const bool stored = engine.StressStep == step;
  for (int e = 0; e < NN; ++e) {
    if (stored) {
      UpdateElement<false>(problem, engine, e, step, engine.LeftStress[e], engine.RightStress[e]);
    } else {
      HorizontalStresses left;
      HorizontalStresses right;
      UpdateElement<true>(problem, engine, e, step, left, right);
    }
  }
}

}  // namespace korvanu
