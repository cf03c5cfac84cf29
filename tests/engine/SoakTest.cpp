// Soak: 2,000 seeded random problems, from ordinary walls to degenerate data,
// saved, opened and computed as the program would. None may crash or hang,
// and every run must end in one of the ways CheckedRun allows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

#include "core/Datafile.h"
#include "core/ProblemDefaults.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/support/CheckedRun.h"
#include "tests/support/OutputChecks.h"

namespace korvanu {
namespace {

constexpr int kProblems = 2000;

class RandomProblems {
 public:
  explicit RandomProblems(std::uint64_t seed) : random_(seed) {}

  ProblemData Next() {
    ProblemData p = check::StartUpProblem();
    GeneralData& g = p.General;
    g.FileName = "Soak" + std::to_string(count_++) + ".krv";
    g.NL = Whole(1, MaxLayers);
    g.NT = Whole(0, MaxSteps);
    g.NP = Whole(1, MaxProfiles);
    // Mostly walls of up to 200 elements, some up to the limit, a few with
    // fewer elements than the grid allows (fewer than two per layer).
    g.NN = Chance(0.1)    ? Whole(2 * g.NL, MaxElements)
           : Chance(0.03) ? Whole(1, 2 * g.NL)
                          : Whole(std::max(10, 2 * g.NL), 200);
    for (int j = 0; j < g.NL; ++j) {
      p.H[j] = Real(0.2, 3.0);
      p.Z[j + 1] = p.Z[j] + p.H[j];
    }
    g.Length = p.Z[g.NL];
    p.Catalogue[g.NP - 1].EI = std::pow(10.0, Real(3.0, 5.5));

    for (int j = 0; j < g.NL; ++j) {
      const LayerProperties soil = Soil(g.Length);
      const Side dug = Chance(0.5) ? Side::Left : Side::Right;
      const int dugFrom = Whole(1, g.NT + 1);  // the step that excavates it, if any
      for (int s = 0; s < StepSlots; ++s) {
        p.Layer(j, s, Side::Left) = soil;
        p.Layer(j, s, Side::Right) = soil;
        if (s >= dugFrom && j < (g.NL + 2) / 3) p.Layer(j, s, dug) = ExcavatedLayer(soil);
        if (s > 0 && Chance(0.05)) p.Layer(j, s, dug).q += Real(0, 50);
      }
    }
    test::ClearAnchors(p);
    for (int k = 0; k <= g.NL; ++k) {
      if (!Chance(0.15)) continue;  // an anchor from a step on, at this point
      const AnchorRecord anchor{0.0, Real(5.0, 300.0), (Chance(0.5) ? 1 : -1) * Real(0.001, 0.05)};
      for (int s = Whole(1, MaxSteps); s < StepSlots; ++s) p.Anchors[s][k] = anchor;
    }
    for (int s = 1; s < StepSlots; ++s) {
      if (Chance(0.03)) p.Anchors[s][Whole(0, g.NL)].Fx = Real(-100.0, 100.0);
      if (Chance(0.1)) p.Axial[s] = AxialRecord{Real(-500, 500), Real(-500, 500), Real(-50, 50)};
    }

    // Now and then one piece of unusable data, each of which must end the
    // run at a fault or in a step without convergence, never in a crash.
    const int j = Whole(0, g.NL - 1);
    switch (Chance(0.08) ? Whole(1, 6) : 0) {
      case 1:  // a layer of no thickness
        for (int k = j + 1; k <= g.NL; ++k) p.Z[k] -= p.H[j];
        p.H[j] = 0.0;
        break;
      case 2:  // boundaries out of order
        std::swap(p.Z[j], p.Z[j + 1]);
        break;
      case 3:  // a wall without stiffness
        p.Catalogue[g.NP - 1].EI = 0.0;
        break;
      case 4:  // a stroke of 0
        for (int s = 0; s < StepSlots; ++s) p.Layer(j, s, Side::Left).Dw = 0.0;
        break;
      case 5:  // an anchor whose force is reached at no displacement
        for (int s = 1; s < StepSlots; ++s) p.Anchors[s][j] = AnchorRecord{0.0, 50.0, 0.0};
        break;
      case 6:  // extreme loads
        for (int s = 1; s < StepSlots; ++s) p.Anchors[s][0].Fx = 1e12;
        break;
      default:
        break;
    }
    return p;
  }

 private:
  LayerProperties Soil(double length) {
    LayerProperties l;
    l.Wd = Real(12.0, 20.0);
    l.Ws = l.Wd + Real(0.0, 4.0);
    l.Zw = Real(-1.0, length + 2.0);
    l.Cap = Chance(0.2) ? Real(0.0, 1.0) : 0.0;
    l.q = Chance(0.2) ? Real(0.0, 30.0) : 0.0;
    l.c = Chance(0.3) ? Real(0.0, 30.0) : 0.0;
    l.Ka = Real(0.15, 0.6);
    l.Kp = Real(1.5, 8.0);
    l.Kn = Real(l.Ka, 1.2);
    l.Dw = Real(0.002, 0.1);
    return l;
  }

  bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }
  int Whole(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  double Real(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random_);
  }

  std::mt19937_64 random_;
  int count_ = 0;
};

class SoakTest : public test::EngineRun {};

TEST_F(SoakTest, TwoThousandRandomProblemsEndInAnAllowedWay) {
  RandomProblems problems(20061208);
  const ProblemData startUp = check::StartUpProblem();
  int converged = 0, unconverged = 0, faults = 0, files = 0;
  for (int k = 0; k < kProblems; ++k) {
    const ProblemData generated = problems.Next();
    // Saved and opened again, as a user's problem is computed.
    const std::string datafile = WriteDatafile(generated);
    check::RequireFiniteDatafile(datafile);
    ProblemData problem = startUp;
    ASSERT_FALSE(ReadDatafile(datafile, problem)) << "problem " << k;
    const check::RunSummary run = check::CheckedRun(problem, *engine);
    converged += run.convergedSteps;
    unconverged += run.unconvergedSteps;
    faults += run.fault != ComputationFault::None;
    files += run.stepFiles;
  }
  std::printf("%d steps converged, %d did not; %d runs ended at a fault; %d step files\n",
              converged, unconverged, faults, files);
  // The problems reach every way a run can end.
  EXPECT_GT(converged, 0);
  EXPECT_GT(unconverged, 0);
  EXPECT_GT(faults, 0);
}

}  // namespace
}  // namespace korvanu
