// The finite-difference beam: nodes on every layer boundary, two equations per
// node in (M, W), solved by block elimination from the toe upwards without
// pivoting; then the shear forces and the stiffness check.
#include "engine/BeamEquations.h"

#include <cmath>

#include "engine/AnchorLaw.h"
#include "engine/FloatingPointFault.h"
#include "engine/SoilLaw.h"

namespace korvanu {
namespace {

using Block = double[2][2];

void ClearBlock(Block& b) {
  b[0][0] = 0.0;
  b[0][1] = 0.0;
  b[1][0] = 0.0;
  b[1][1] = 0.0;
}

void ResetRow(BlockRow& row, int node, int first, int second, int count) {
  row.columns[0] = node;
  row.columns[1] = first;
  row.columns[2] = second;
  row.count = count;
  for (Block& b : row.blocks) ClearBlock(b);
  row.rhs[0] = 0.0;
  row.rhs[1] = 0.0;
}

// Gauss-Jordan on the diagonal block: equation k is scaled by 1/D(k,k), then
// subtracted from the other equation; first k = 0, then k = 1.
void ReduceDiagonal(BlockRow& row) {
  const int count = row.count;
  for (int k = 0; k < 2; ++k) {
    const double p = CheckedDivide(1.0, row.blocks[0][k][k]);
    for (int pos = 0; pos <= count; ++pos) {
      row.blocks[pos][k][0] *= p;
      row.blocks[pos][k][1] *= p;
    }
    row.rhs[k] *= p;
    const int other = 1 - k;
    const double factor = row.blocks[0][other][k];
    for (int pos = 0; pos <= count; ++pos) {
      row.blocks[pos][other][0] -= factor * row.blocks[pos][k][0];
      row.blocks[pos][other][1] -= factor * row.blocks[pos][k][1];
    }
    row.rhs[other] -= factor * row.rhs[k];
  }
}

// Removes the coupling of row c to the eliminated row r.
void EliminateInto(const BlockRow& row, int r, BlockRow& target) {
  int p = 1;
  while (p <= target.count && target.columns[p] != r) ++p;
  // The structure is symmetric: a row that couples to r is coupled from r.
  if (p > target.count) return;
  Block T;
  for (int e = 0; e < 2; ++e) {
    T[e][0] = target.blocks[p][e][0];
    T[e][1] = target.blocks[p][e][1];
  }
  const int last = target.count;
  target.columns[p] = target.columns[last];
  for (int e = 0; e < 2; ++e) {
    target.blocks[p][e][0] = target.blocks[last][e][0];
    target.blocks[p][e][1] = target.blocks[last][e][1];
  }
  target.columns[last] = 0;
  ClearBlock(target.blocks[last]);
  --target.count;

  for (int e = 0; e < 2; ++e) {
    target.rhs[e] -= T[e][0] * row.rhs[0] + T[e][1] * row.rhs[1];
  }

  for (int u = 1; u <= row.count; ++u) {
    const int q = row.columns[u];
    int at = -1;
    for (int pos = 0; pos <= target.count; ++pos) {
      if (target.columns[pos] == q) at = pos;
    }
    if (at < 0) {
      ++target.count;
      at = target.count;
      target.columns[at] = q;
    }
    const Block& B = row.blocks[u];
    for (int e = 0; e < 2; ++e) {
      for (int v = 0; v < 2; ++v) {
        target.blocks[at][e][v] -= T[e][0] * B[0][v] + T[e][1] * B[1][v];
      }
    }
  }
}

}  // namespace

double WallStiffness(const ProblemData& problem) {
  const int NP = problem.General.NP;
  if (NP < 1 || NP > MaxProfiles) return 0.0;
  return problem.Catalogue[NP - 1].EI;
}

void PlaceNodes(const ProblemData& problem, EngineState& engine) {
  const int NN = problem.General.NN;
  const int NL = problem.General.NL;
  const auto& Zb = problem.Z;
  auto& z = engine.Nodes.z;

  const double h = CheckedDivide(Zb[NL], static_cast<double>(NN));
  z[0] = Zb[0];
  for (int i = 1; i <= NN; ++i) z[i] = z[i - 1] + h;

  engine.PointNode[0] = 0;
  int prev = 0;
  for (int j = 1; j <= NL; ++j) {
    // Nearest node below the previous boundary; on a tie the upper one.
    double bestDistance = Zb[NL];
    int best = prev;
    for (int k = prev + 1; k <= NN; ++k) {
      const double d = std::fabs(z[k] - Zb[j]);
      if (d < bestDistance) {
        bestDistance = d;
        best = k;
      }
    }
    const double g = CheckedDivide(Zb[j] - Zb[j - 1], static_cast<double>(best - prev));
    for (int k = prev + 1; k <= best; ++k) z[k] = z[k - 1] + g;
    engine.PointNode[j] = best;
    prev = best;
  }
}

void AssembleSystem(const ProblemData& problem, EngineState& engine, int step) {
  const int NN = problem.General.NN;
  const int NL = problem.General.NL;
  const auto& z = engine.Nodes.z;
  const auto& ke = engine.ke;
  const auto& fe = engine.fe;
  const double EI = WallStiffness(problem);
  const AxialRecord& ax = problem.Axial[step];
  auto& rows = engine.Rows;

  // Inner nodes: row 0 is the equilibrium of the node, row 1 the curvature.
  for (int i = 1; i < NN; ++i) {
    BlockRow& row = rows[i];
    ResetRow(row, i, i - 1, i + 1, 2);
    const double h1 = z[i] - z[i - 1];
    const double h2 = z[i + 1] - z[i];
    const double a = CheckedDivide(1.0, h2);
    const double b = CheckedDivide(1.0, h1);
    const double c = CheckedDivide(1.0, 4.0 * EI);
    const double N = AxialForceAt(problem, engine, i, step);
    // Positions: 0 = node i, 1 = node i-1, 2 = node i+1; variables 0 = M, 1 = W.
    row.blocks[1][0][0] = b;
    row.blocks[0][0][0] = -(a + b);
    row.blocks[2][0][0] = a;
    row.blocks[1][0][1] = N * b - 0.25 * ke[i - 1];
    row.blocks[0][0][1] = -(a + b) * N - 0.25 * (ke[i - 1] + ke[i]);
    row.blocks[2][0][1] = N * a - 0.25 * ke[i];
    row.rhs[0] = -0.5 * (fe[i - 1] + fe[i]);

    row.blocks[1][1][0] = h1 * c;
    row.blocks[0][1][0] = (h1 + h2) * c;
    row.blocks[2][1][0] = h2 * c;
    row.blocks[1][1][1] = b;
    row.blocks[0][1][1] = -(a + b);
    row.blocks[2][1][1] = a;
    row.rhs[1] = 0.0;
  }

  // Top: the applied moment, and the shear condition with the force of point 0.
  {
    BlockRow& row = rows[0];
    ResetRow(row, 0, 1, 0, 1);
    const double h = z[1] - z[0];
    row.blocks[0][0][0] = 1.0;
    row.rhs[0] = -ax.MA;
    row.blocks[0][1][0] = CheckedDivide(1.0, h);
    row.blocks[1][1][0] = CheckedDivide(-1.0, h);
    row.blocks[0][1][1] = 0.25 * ke[0] + CheckedDivide(ax.NA, h) + engine.ka[0];
    row.blocks[1][1][1] = 0.25 * ke[0] - CheckedDivide(ax.NA, h);
    row.rhs[1] = 0.5 * fe[0] + engine.fa[0];
  }

  // Toe: M = 0, and the shear condition of a free end with the force of point NL.
  {
    BlockRow& row = rows[NN];
    ResetRow(row, NN, NN - 1, 0, 1);
    const double hb = z[NN] - z[NN - 1];
    row.blocks[0][0][0] = 1.0;
    row.rhs[0] = 0.0;
    row.blocks[1][1][0] = CheckedDivide(-1.0, hb);
    row.blocks[0][1][0] = CheckedDivide(1.0, hb);
    row.blocks[1][1][1] = 0.25 * ke[NN - 1] - CheckedDivide(ax.NB, hb);
    row.blocks[0][1][1] = 0.25 * ke[NN - 1] + CheckedDivide(ax.NB, hb) + engine.ka[NL];
    row.rhs[1] = 0.5 * fe[NN - 1] + engine.fa[NL];
  }

  // Anchors and given forces of the inner points enter the node equilibrium.
  for (int j = 1; j < NL; ++j) {
    BlockRow& row = rows[engine.PointNode[j]];
    row.blocks[0][0][1] -= engine.ka[j];
    row.rhs[0] -= engine.fa[j];
  }
}

void SolveSystem(const ProblemData& problem, EngineState& engine) {
  const int NN = problem.General.NN;
  auto& rows = engine.Rows;

  for (int r = NN; r >= 0; --r) {
    BlockRow& row = rows[r];
    ReduceDiagonal(row);
    for (int t = 1; t <= row.count; ++t) {
      EliminateInto(row, r, rows[row.columns[t]]);
    }
  }

  for (int r = 0; r <= NN; ++r) {
    BlockRow& row = rows[r];
    for (int t = 1; t <= row.count; ++t) {
      const double* x = rows[row.columns[t]].rhs;
      const Block& B = row.blocks[t];
      row.rhs[0] -= B[0][0] * x[0] + B[0][1] * x[1];
      row.rhs[1] -= B[1][0] * x[0] + B[1][1] * x[1];
    }
  }
}

void ComputeShear(const ProblemData& problem, EngineState& engine) {
  const int NN = problem.General.NN;
  const int NL = problem.General.NL;
  const auto& W = engine.Nodes.w;
  auto& F = engine.F;
  auto& Qm = engine.Nodes.Qminus;
  auto& Qp = engine.Nodes.Qplus;

  for (int i = 0; i <= NN; ++i) F[i] = 0.0;
  for (int j = 0; j <= NL; ++j) {
    const int n = engine.PointNode[j];
    F[n] = engine.fa[j] - engine.ka[j] * W[n];
  }
  Qm[0] = 0.0;
  Qp[0] = Qm[0] + F[0];
  for (int i = 1; i <= NN; ++i) {
    Qm[i] = Qp[i - 1] - 0.5 * (W[i - 1] + W[i]) * engine.ke[i - 1] + engine.fe[i - 1];
    Qp[i] = Qm[i] + F[i];
  }
}

bool CheckStiffness(const ProblemData& problem, const EngineState& engine) {
  const int NN = problem.General.NN;
  const double EI = WallStiffness(problem);
  const auto& z = engine.Nodes.z;
  bool someElementSoft = false;
  // Every element is looked at, as each one's quotients must be computable.
  for (int e = 0; e < NN; ++e) {
    const double L = z[e + 1] - z[e];
    const double lambda = SafeSqrt(SafeSqrt(std::fabs(CheckedDivide(engine.ke[e], 4.0 * EI * L))));
    if (lambda < CheckedDivide(1.0, L)) someElementSoft = true;
  }
  return !someElementSoft;
}

}  // namespace korvanu
