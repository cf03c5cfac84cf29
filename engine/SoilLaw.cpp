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

void EvaluateSprings(const ProblemData& problem, EngineState& engine, int e, int step) {
  const auto& z = engine.Nodes.z;
  const auto& W = engine.Nodes.w;
  const double L = z[e + 1] - z[e];
  const double wm = (W[e] + W[e + 1]) / 2.0;
  const double zm = (z[e] + z[e + 1]) / 2.0;
  double ke = 0.0;
  double fe = 0.0;

  {
    const HorizontalStresses h = HorizontalStressesAt(problem, Side::Left, step, zm);
    const double Sh = h.Sn - (wm - engine.wl[e]) * h.ks;
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
    fe += (S + h.u + k * engine.wl[e]) * L;
    ke += k * L;
    if (state != engine.LeftState[e]) {
      engine.LeftState[e] = state;
      ++engine.StateChanges;
    }
  }

  {
    const HorizontalStresses h = HorizontalStressesAt(problem, Side::Right, step, zm);
    const double Sh = h.Sn + (wm - engine.wr[e]) * h.ks;
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
    fe -= (S + h.u - k * engine.wr[e]) * L;
    ke += k * L;
    if (state != engine.RightState[e]) {
      engine.RightState[e] = state;
      ++engine.StateChanges;
    }
  }

  engine.ke[e] = ke;
  engine.fe[e] = fe;
}

void UpdateSoilPlastic(const ProblemData& problem, EngineState& engine, int e, int step) {
  const auto& z = engine.Nodes.z;
  const auto& W = engine.Nodes.w;
  const double wm = (W[e] + W[e + 1]) / 2.0;
  const double zm = (z[e] + z[e + 1]) / 2.0;

  const HorizontalStresses left = HorizontalStressesAt(problem, Side::Left, step, zm);
  {
    const double Sh = left.Sn - (wm - engine.wl[e]) * left.ks;
    if (left.Sp - left.Sa > StressTolerance) {
      if (Sh <= left.Sa) engine.wl[e] = wm + CheckedDivide(left.Sa - left.Sn, left.ks);
      if (Sh >= left.Sp) engine.wl[e] = wm + CheckedDivide(left.Sp - left.Sn, left.ks);
    }
  }
  const HorizontalStresses right = HorizontalStressesAt(problem, Side::Right, step, zm);
  {
    const double Sh = right.Sn + (wm - engine.wr[e]) * right.ks;
    if (right.Sp - right.Sa > StressTolerance) {
      if (Sh <= right.Sa) engine.wr[e] = wm - CheckedDivide(right.Sa - right.Sn, right.ks);
      if (Sh >= right.Sp) engine.wr[e] = wm - CheckedDivide(right.Sp - right.Sn, right.ks);
    }
  }

  // A layer without dry weight (excavated) is neutral at the wall's position.
  const int k = left.layer;
  if (problem.Layer(k, step, Side::Left).Wd < StressTolerance) engine.wl[e] = wm;
  if (problem.Layer(k, step, Side::Right).Wd < StressTolerance) engine.wr[e] = wm;
}

}  // namespace korvanu
