// The manual's validation problems built in code: a beam on an elastic
// foundation loaded at the top, and an anchored wall in dry sand.
#pragma once

#include <memory>

#include "core/ProblemData.h"
#include "tests/engine/EngineTestSupport.h"

namespace korvanu::test {

// One 10 m layer of submerged cohesive soil (100 kN/m2 per m of stiffness on
// the side pushed against), EI = 25, NN = 200. Step 1 loads the top.
inline std::unique_ptr<ProblemData> ElasticFoundation(double Fx, double MA) {
  auto problem = DefaultProblem();
  ClearAnchors(*problem);
  SetBoundaries(*problem, {0.0, 10.0});
  problem->General.NN = 200;
  problem->General.NT = 1;
  problem->General.NP = 1;
  problem->General.FileName = "Test1.krv";
  problem->Catalogue[0].EI = 25.0;
  SetLayerEverywhere(*problem, 0, Soil(10, 10, 0, 0, 0, 50, 1, 1, 1, 1));
  problem->Anchors[1][0].Fx = Fx;
  problem->Axial[1].MA = MA;
  return problem;
}

// Three layers of dry sand down to `length`; from step 1 the top two layers
// are excavated on one side and an anchor at 1 m on the other holds the wall.
inline std::unique_ptr<ProblemData> AnchoredWall(double length, Side excavated) {
  auto problem = DefaultProblem();
  ClearAnchors(*problem);
  SetBoundaries(*problem, {0.0, 1.0, 5.0, length});
  problem->General.NN = 200;
  problem->General.NT = 1;
  problem->General.NP = 1;
  problem->General.FileName = excavated == Side::Left ? "Test3.krv" : "Test4.krv";
  for (int j = 0; j < 3; ++j) {
    SetLayerEverywhere(*problem, j, Soil(16, 20, 100, 0, 0, 0, 0.3333, 3.0, 0.3333, 0.02));
  }
  for (int s = 1; s < StepSlots; ++s) {
    for (int j = 0; j < 2; ++j) {
      problem->Layer(j, s, excavated) = ExcavatedLayer(problem->Layer(j, s, excavated));
    }
  }
  const double Fw = excavated == Side::Left ? -0.01 : 0.01;
  for (int s = 0; s < StepSlots; ++s) problem->Anchors[s][1] = AnchorRecord{0.0, 100.0, Fw};
  return problem;
}

}  // namespace korvanu::test
