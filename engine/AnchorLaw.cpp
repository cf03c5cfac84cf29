// The elasto-plastic anchor law at the layer boundaries, the shift of an
// anchor's zero-force position after a converged step, and the axial force.
#include "engine/AnchorLaw.h"

#include <cmath>

#include "engine/FloatingPointFault.h"

namespace korvanu {
namespace {

// Tolerance of the state tests on the elastic side of each limit, m.
constexpr double DisplacementTolerance = 0.01 * StressTolerance;
// Smallest stroke used for the anchor stiffness, m.
constexpr double SmallestStroke = StressTolerance * StressTolerance;

}  // namespace

void EvaluateAnchors(ProblemData& problem, EngineState& engine, int step) {
  const int NL = problem.General.NL;
  const auto& W = engine.Nodes.w;
  for (int j = 0; j <= NL; ++j) {
    AnchorRecord& rec = problem.Anchors[step][j];
    const int n = engine.PointNode[j];
    const double a = std::fabs(rec.Fa);
    rec.Fa = a;
    const double Fx = rec.Fx;
    const double Fw = rec.Fw;
    engine.fa[j] = Fx;
    double d = std::fabs(Fw);
    if (d < SmallestStroke) d = SmallestStroke;
    if (a < StressTolerance) {
      engine.ka[j] = 0.0;  // only the given force; the state stays as it was
      continue;
    }
    AnchorState state;
    if (Fw >= 0.0) {  // anchor on the left side
      const double delta = W[n] - engine.wp[j];
      if (delta > Fw + DisplacementTolerance) {
        state = AnchorState::Plastic;
        engine.ka[j] = 0.0;
        engine.fa[j] = Fx - a;
      } else if (delta < -DisplacementTolerance) {
        state = AnchorState::Slack;
        engine.ka[j] = 0.0;
      } else {
        state = AnchorState::Elastic;
        engine.ka[j] = a / d;
        engine.fa[j] = Fx + engine.ka[j] * engine.wp[j];
      }
    } else {  // anchor on the right side
      const double delta = engine.wp[j] - W[n];
      if (delta > -Fw + DisplacementTolerance) {
        state = AnchorState::Plastic;
        engine.ka[j] = 0.0;
        engine.fa[j] = Fx + a;
      } else if (delta < -DisplacementTolerance) {
        state = AnchorState::Slack;
        engine.ka[j] = 0.0;
      } else {
        state = AnchorState::Elastic;
        engine.ka[j] = a / d;
        engine.fa[j] = Fx + engine.ka[j] * engine.wp[j];
      }
    }
    if (state != engine.Anchor[j]) {
      engine.Anchor[j] = state;
      ++engine.StateChanges;
    }
  }
}

void UpdateAnchorPlastic(const ProblemData& problem, EngineState& engine, int step) {
  const int NL = problem.General.NL;
  const auto& W = engine.Nodes.w;
  for (int j = 0; j <= NL; ++j) {
    const AnchorRecord& rec = problem.Anchors[step][j];
    const double Wn = W[engine.PointNode[j]];
    if (rec.Fa < StressTolerance) {
      engine.wp[j] = Wn;
      continue;
    }
    // Elastic anchor force, positive when the anchor pulls.
    const double r = CheckedDivide(rec.Fa, rec.Fw) * (Wn - engine.wp[j]);
    if (r < 0.0) engine.wp[j] = Wn;
    if (r > rec.Fa) engine.wp[j] = Wn - rec.Fw;
  }
}

double AxialForceAt(const ProblemData& problem, const EngineState& engine, int i, int step) {
  const AxialRecord& ax = problem.Axial[step];
  const auto& z = engine.Nodes.z;
  return ax.NA + CheckedDivide((ax.NB - ax.NA) * z[i], z[problem.General.NN]);
}

bool AnchorActs(const ProblemData& problem, const EngineState& engine, int step, int point) {
  return std::fabs(problem.Anchors[step][point].Fa) >= StressTolerance &&
         engine.Anchor[point] != AnchorState::Slack;
}

double AnchorForceAt(const ProblemData& problem, const EngineState& engine, int step, int point) {
  const double W = engine.Nodes.w[engine.PointNode[point]];
  return engine.fa[point] - engine.ka[point] * W - problem.Anchors[step][point].Fx;
}

}  // namespace korvanu
