// The computation's working record: node results, the linearised springs and
// anchors, the plastic displacements and the block rows of the beam equations.
// Fixed arrays only, so that a pass never allocates.
#pragma once

#include <array>

#include "core/Limits.h"

namespace korvanu {

// Below this a stress difference or an anchor force counts as absent (kN/m2, kN/m).
constexpr double StressTolerance = 0.001;
// Passes of the state iteration allowed in one loading step.
constexpr int MaxPasses = 25;

enum class SpringState : int { Elastic = 0, Active = 1, Passive = -1 };
enum class AnchorState : int { Elastic = 0, Plastic = 1, Slack = -1 };

// Stresses of one side at an element's midpoint in one step (kN/m2): they
// depend on the depth and the soil data only, not on the displacement.
struct HorizontalStresses {
  double Sa = 0.0;  // active minimum
  double Sn = 0.0;  // neutral
  double Sp = 0.0;  // passive maximum
  double ks = 0.0;  // spring stiffness per unit area, (Sp - Sa) / Dw
  double u = 0.0;   // pore pressure
  int layer = 0;
};

// The per-node results that a step file carries and the output reader reads
// back; F and f are always derived from these.
struct NodeResults {
  std::array<double, MaxNodes> z{};       // m, depth of the node
  std::array<double, MaxNodes> w{};       // m, lateral displacement
  std::array<double, MaxNodes> M{};       // kNm/m, bending moment
  std::array<double, MaxNodes> Qminus{};  // kN/m, shear force just above the node
  std::array<double, MaxNodes> Qplus{};   // kN/m, shear force just below the node
};

// One node's two equations (row 0, row 1) over the variables (M, W) of the
// node itself (position 0) and of up to two coupled nodes.
struct BlockRow {
  int columns[3] = {0, 0, 0};
  int count = 0;                // off-diagonal positions in use, 0..2
  double blocks[3][2][2] = {};  // [position][equation row][variable: 0 = M, 1 = W]
  double rhs[2] = {0.0, 0.0};   // right-hand side; after the solution (M, W)
};

struct EngineState {
  NodeResults Nodes;                 // z, w (W), M, Q-, Q+ of nodes 0..NN
  std::array<double, MaxNodes> F{};  // NodeForce: concentrated lateral force at the node

  // Elements 0..NN-1, element e between nodes e and e+1.
  std::array<double, MaxElements> ke{};  // ElementStiffness of both springs, times the length
  std::array<double, MaxElements> fe{};  // ElementLoad: constant part of the soil force
  std::array<double, MaxElements> wl{};  // plastic displacement of the left spring
  std::array<double, MaxElements> wr{};  // plastic displacement of the right spring
  std::array<SpringState, MaxElements> LeftState{};
  std::array<SpringState, MaxElements> RightState{};

  // Points (layer boundaries) 0..NL.
  std::array<double, MaxPoints> ka{};  // AnchorStiffness
  std::array<double, MaxPoints> fa{};  // AnchorLoad: constant part of the point force
  std::array<double, MaxPoints> wp{};  // plastic displacement of the anchor
  std::array<AnchorState, MaxPoints> Anchor{};
  std::array<int, MaxPoints> PointNode{};  // node at which the point lies

  // Midpoint stresses of every element for step StressStep, kept so that the
  // passes of a step do not compute them again (-1: none kept).
  std::array<HorizontalStresses, MaxElements> LeftStress{};
  std::array<HorizontalStresses, MaxElements> RightStress{};
  int StressStep = -1;

  int StateChanges = 0;    // springs and anchors whose state changed in this evaluation
  int PlasticSprings = 0;  // springs found Active or Passive in this evaluation

  std::array<BlockRow, MaxNodes> Rows{};
};

}  // namespace korvanu
