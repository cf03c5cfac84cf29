// The loading-step driver: what a run reports and writes, steps that do not
// converge, write failures, repeatability, and the floating-point faults that
// end a run.
#include <gtest/gtest.h>

#include <cfloat>
#include <filesystem>
#include <memory>

#include "engine/AnchorLaw.h"
#include "engine/RunComputation.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/engine/ValidationProblems.h"

namespace korvanu {
namespace {

using test::Soil;

class RunTest : public test::EngineRun {
 protected:
  // The default problem, named Wall.krv, with NT steps.
  std::unique_ptr<ProblemData> Wall(int NT) {
    auto problem = test::DefaultProblem();
    problem->General.FileName = "Wall.krv";
    problem->General.NT = NT;
    return problem;
  }
};

TEST_F(RunTest, DefaultProblemWritesOneFilePerStep) {
  auto problem = Wall(3);
  ASSERT_EQ(Run(*problem), ComputationFault::None);
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"Wall.1", "Wall.2", "Wall.3"}));
  EXPECT_EQ(observer.files, (std::vector<std::string>{"Wall.1", "Wall.2", "Wall.3"}));
  ASSERT_EQ(observer.outcomes.size(), 4u);
  for (const StepOutcome& o : observer.outcomes) {
    EXPECT_TRUE(o.converged) << o.step;
    EXPECT_EQ(o.fileWritten, o.step > 0);
  }
  EXPECT_EQ(observer.paced, 4);
  EXPECT_TRUE(observer.messages.empty());
  // Step 0 solves nothing and converges in its first pass.
  EXPECT_EQ(observer.outcomes[0].passes, 1);
  EXPECT_EQ(observer.events[0], "run");
  EXPECT_EQ(observer.events[1], "step 0");
  EXPECT_EQ(observer.events[2], "pace");
  EXPECT_EQ(observer.events[3], "finished 0");
  EXPECT_EQ(observer.events[4], "step 1");
  EXPECT_EQ(observer.events[5], "plastic");
  // One plastic count per pass of the steps after 0.
  int passes = 0;
  for (const StepOutcome& o : observer.outcomes) passes += o.step > 0 ? o.passes : 0;
  EXPECT_EQ(static_cast<int>(observer.plasticCounts.size()), passes);
}

TEST_F(RunTest, EventsOfAConvergedStepInOrder) {
  auto problem = Wall(1);
  ASSERT_EQ(Run(*problem), ComputationFault::None);
  const auto& ev = observer.events;
  const auto write = std::find(ev.begin(), ev.end(), "write Wall.1");
  ASSERT_NE(write, ev.end());
  EXPECT_EQ(*(write - 1), "plastic");
  EXPECT_EQ(*(write + 1), "pace");
  EXPECT_EQ(*(write + 2), "finished 1");
  EXPECT_EQ(observer.outcomes[1].plasticSprings, observer.plasticCounts.back());
}

TEST_F(RunTest, NoStepsAfterTheInitialStateWritesNoFile) {
  auto problem = Wall(0);
  ASSERT_EQ(Run(*problem), ComputationFault::None);
  EXPECT_TRUE(FolderEntries().empty());
  ASSERT_EQ(observer.outcomes.size(), 1u);
  EXPECT_TRUE(observer.outcomes[0].converged);
  EXPECT_TRUE(observer.plasticCounts.empty());
}

TEST_F(RunTest, TwoRunsGiveIdenticalFiles) {
  auto problem = test::AnchoredWall(7.5, Side::Left);
  problem->General.NT = 2;
  problem->Anchors[2][2].Fx = 15.0;
  ASSERT_EQ(Run(*problem), ComputationFault::None);
  const std::string first1 = ReadFile("Test3.1");
  const std::string first2 = ReadFile("Test3.2");
  auto other = std::make_unique<EngineState>(*engine);  // dirty state must not matter
  engine = std::move(other);
  ASSERT_EQ(Run(*problem), ComputationFault::None);
  EXPECT_EQ(ReadFile("Test3.1"), first1);
  EXPECT_EQ(ReadFile("Test3.2"), first2);
  EXPECT_NE(first1, first2);
}

// A search runs a problem many times and wants no files: the observer says
// where each goes, or that none goes anywhere; the numbers stay the same.
TEST_F(RunTest, StepFilesGoWhereTheObserverSaysOrNowhere) {
  struct Elsewhere : test::RecordingObserver {
    std::optional<std::string> target;
    std::optional<std::string> StepFilePath(const std::string& name) override {
      return target ? std::optional<std::string>(*target + name) : std::nullopt;
    }
  };
  auto problem = test::AnchoredWall(7.5, Side::Left);
  problem->General.NT = 2;
  std::filesystem::create_directory("sub");
  Elsewhere there;
  there.target = "sub/";
  ASSERT_EQ(RunComputation(*problem, *engine, there), ComputationFault::None);
  EXPECT_EQ(there.files, (std::vector<std::string>{"Test3.1", "Test3.2"}));
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"sub"}));
  EXPECT_TRUE(std::filesystem::exists("sub/Test3.2"));
  const NodeResults written = engine->Nodes;

  Elsewhere nowhere;
  ASSERT_EQ(RunComputation(*problem, *engine, nowhere), ComputationFault::None);
  EXPECT_TRUE(nowhere.files.empty());
  ASSERT_EQ(nowhere.outcomes.size(), 3u);
  for (const StepOutcome& o : nowhere.outcomes) {
    EXPECT_TRUE(o.converged);
    EXPECT_FALSE(o.fileWritten);
  }
  EXPECT_TRUE(nowhere.messages.empty());
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"sub"}));
  EXPECT_EQ(engine->Nodes.w, written.w);
  EXPECT_EQ(engine->Nodes.M, written.M);
  EXPECT_EQ(engine->Nodes.Qplus, written.Qplus);
}

TEST_F(RunTest, ChangedSoilIsUsedByTheNextRun) {
  auto problem = Wall(1);
  ASSERT_EQ(Run(*problem), ComputationFault::None);
  const std::string before = ReadFile("Wall.1");
  for (int j = 0; j < 4; ++j) problem->Layer(j, 1, Side::Right).Kp = 4.0;
  ASSERT_EQ(Run(*problem), ComputationFault::None);
  EXPECT_NE(ReadFile("Wall.1"), before);
}

// An anchor at the top that flips between slack and plastic: step 2 cannot
// settle, the run reports it once and goes on with step 3. The file of step 2
// from an earlier run is removed, so that no view shows it as this run's.
TEST_F(RunTest, StepWithoutConvergenceIsReportedAndSkipped) {
  auto problem = test::DefaultProblem();
  test::ClearAnchors(*problem);
  test::SetBoundaries(*problem, {0.0, 5.0});
  problem->General.NN = 10;
  problem->General.NT = 3;
  problem->General.FileName = "Osc.krv";
  problem->Catalogue[0].EI = 60000;
  test::SetLayerEverywhere(*problem, 0, Soil(16, 20, 100, 0, 0, 0, 0.33, 3, 0.5, 0.019));
  const AnchorRecord top[4] = {
      {-280, 10, 0.006}, {220, 105, 0.003}, {37, 70, -0.01}, {-7, 160, 0.008}};
  for (int s = 0; s <= 3; ++s) problem->Anchors[s][0] = top[s];
  {
    std::FILE* old = std::fopen("Osc.2", "w");
    std::fputs("from an earlier run\n", old);
    std::fclose(old);
  }
  ASSERT_EQ(Run(*problem), ComputationFault::None);
  ASSERT_EQ(observer.outcomes.size(), 4u);
  EXPECT_TRUE(observer.outcomes[1].converged);
  EXPECT_FALSE(observer.outcomes[2].converged);
  EXPECT_EQ(observer.outcomes[2].passes, 25);
  EXPECT_FALSE(observer.outcomes[2].fileWritten);
  EXPECT_TRUE(observer.outcomes[3].converged);
  ASSERT_EQ(observer.messages.size(), 1u);
  EXPECT_EQ(observer.messages[0],
            "After 25 iterations no convergence has been reached.\n\n"
            "This suggests that equilibrium is not possible in this case.\n"
            "It may be that the program will work with slightly different\n"
            "data.\n");
  EXPECT_EQ(observer.files, (std::vector<std::string>{"Osc.1", "Osc.3"}));
  EXPECT_FALSE(std::filesystem::exists("Osc.2"));
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"Osc.1", "Osc.3"}));
  EXPECT_EQ(observer.paced, 3);
}

TEST_F(RunTest, StepFileThatCannotBeWrittenIsReportedAndTheRunGoesOn) {
  auto problem = Wall(2);
  std::filesystem::create_directory("Wall.1");
  ASSERT_EQ(Run(*problem), ComputationFault::None);
  EXPECT_EQ(observer.messages, (std::vector<std::string>{"Unable to write datafile.\n\n"}));
  EXPECT_FALSE(observer.outcomes[1].fileWritten);
  EXPECT_TRUE(observer.outcomes[1].converged);
  EXPECT_TRUE(std::filesystem::is_regular_file("Wall.2"));
}

TEST_F(RunTest, FolderPartOfTheFileNameIsIgnored) {
  std::filesystem::create_directory("inner");
  std::filesystem::current_path("inner");
  auto problem = Wall(1);
  problem->General.FileName = "../Escape.krv";
  ASSERT_EQ(Run(*problem), ComputationFault::None);
  EXPECT_TRUE(std::filesystem::exists("Escape.1"));
  EXPECT_FALSE(std::filesystem::exists("../Escape.1"));
  problem->General.FileName = "/tmp/Escape.krv";
  std::filesystem::remove("Escape.1");
  ASSERT_EQ(Run(*problem), ComputationFault::None);
  EXPECT_TRUE(std::filesystem::exists("Escape.1"));
}

TEST_F(RunTest, StiffnessWarningAfterStepZero) {
  auto problem = Wall(0);
  // Cohesion stiffens the soil up to the top; the wall is far too soft for it.
  for (int j = 0; j < 4; ++j) problem->Layer(j, 0, Side::Left).c = 10.0;
  for (int j = 0; j < 4; ++j) problem->Layer(j, 0, Side::Right).c = 10.0;
  problem->Catalogue[0].EI = 1e-6;
  ASSERT_EQ(Run(*problem), ComputationFault::None);
  ASSERT_EQ(observer.messages.size(), 1u);
  EXPECT_EQ(observer.messages[0],
            "Model not applicable, Stiffness of wall insufficient, or soil too stiff.");
  const auto& ev = observer.events;
  EXPECT_LT(std::find(ev.begin(), ev.end(), "message"),
            std::find(ev.begin(), ev.end(), "finished 0"));
}

TEST_F(RunTest, AnchorForcesAreStoredAsMagnitudes) {
  auto problem = Wall(1);
  problem->Anchors[1][1].Fa = -50.0;
  ASSERT_EQ(Run(*problem), ComputationFault::None);
  EXPECT_EQ(problem->Anchors[1][1].Fa, 50.0);
}

TEST_F(RunTest, ProblemBeyondTheTablesIsRefused) {
  auto problem = Wall(1);
  problem->General.NN = 1001;
  EXPECT_EQ(Run(*problem), ComputationFault::LimitsExceeded);
  problem->General.NN = 100;
  problem->General.NL = 21;
  EXPECT_EQ(Run(*problem), ComputationFault::LimitsExceeded);
  problem->General.NL = 4;
  problem->General.NT = 21;
  EXPECT_EQ(Run(*problem), ComputationFault::LimitsExceeded);
  EXPECT_TRUE(FolderEntries().empty());
  EXPECT_NE(std::string(FaultText(ComputationFault::LimitsExceeded)), "");
}

// Each fault ends the run with the first fault in the order of the operations.
class FaultTest : public RunTest {};

TEST_F(FaultTest, Texts) {
  EXPECT_STREQ(FaultText(ComputationFault::DivisionByZero), "Floating point division by zero.");
  EXPECT_STREQ(FaultText(ComputationFault::Overflow), "Floating point overflow.");
  EXPECT_STREQ(FaultText(ComputationFault::InvalidOperation), "Invalid floating point operation.");
  EXPECT_STREQ(FaultText(ComputationFault::None), "");
}

TEST_F(FaultTest, ZeroStrokeInALayerWithElements) {
  auto problem = Wall(1);
  problem->Layer(2, 0, Side::Left).Dw = 0.0;
  EXPECT_EQ(Run(*problem), ComputationFault::DivisionByZero);
  EXPECT_TRUE(observer.outcomes.empty());
  // The same with Sp - Sa = 0 (water properties): 0 / 0.
  for (int s = 0; s < StepSlots; ++s) {
    problem->Layer(2, s, Side::Left) = Soil(0, 10, 1, 0, 0, 0, 1, 1, 1, 0);
    problem->Layer(2, s, Side::Right) = Soil(0, 10, 1, 0, 0, 0, 1, 1, 1, 0);
  }
  EXPECT_EQ(Run(*problem), ComputationFault::InvalidOperation);
}

TEST_F(FaultTest, ZeroStrokeOfAnActingAnchorFaultsAfterItsStepIsWritten) {
  auto problem = Wall(2);
  problem->Anchors[1][1].Fw = 0.0;
  problem->Anchors[2][1].Fw = 0.0;
  EXPECT_EQ(Run(*problem), ComputationFault::DivisionByZero);
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"Wall.1"}));
  EXPECT_EQ(observer.paced, 1);  // step 0 only: step 1 faulted before its pacing
}

TEST_F(FaultTest, FewerNodesThanBoundaries) {
  auto problem = Wall(1);
  problem->General.NN = 7;  // below 2 NL and below the 8 boundaries... of NL = 8
  problem->General.NL = 8;
  for (int j = 0; j < 8; ++j) problem->Z[j + 1] = j + 1.0;
  EXPECT_EQ(Run(*problem), ComputationFault::DivisionByZero);
  EXPECT_TRUE(observer.events.size() == 1u);  // nothing after the start
}

TEST_F(FaultTest, ZeroBendingStiffness) {
  auto problem = Wall(1);
  problem->Catalogue[0].EI = 0.0;
  EXPECT_EQ(Run(*problem), ComputationFault::DivisionByZero);
  problem->General.NP = 25;  // no such profile
  problem->Catalogue[0].EI = 13847.2;
  EXPECT_EQ(Run(*problem), ComputationFault::DivisionByZero);
}

TEST_F(FaultTest, ZeroElementsAndZeroLength) {
  auto problem = Wall(1);
  problem->General.NN = 0;
  EXPECT_EQ(Run(*problem), ComputationFault::DivisionByZero);
  problem->General.NN = 100;
  problem->General.NL = 1;
  problem->Z[1] = 0.0;
  EXPECT_EQ(Run(*problem), ComputationFault::InvalidOperation);
}

TEST_F(FaultTest, HugeInputOverflows) {
  auto problem = Wall(1);
  for (int s = 0; s < StepSlots; ++s) {
    problem->Layer(3, s, Side::Right).Wd = DBL_MAX;
    problem->Layer(3, s, Side::Right).Ws = DBL_MAX;
  }
  EXPECT_EQ(Run(*problem), ComputationFault::Overflow);
}

TEST_F(FaultTest, FilesOfEarlierStepsStay) {
  auto problem = test::AnchoredWall(7.0, Side::Left);
  problem->General.NT = 2;
  // Step 2 digs a further 1.5 m: the toe can no longer hold the wall.
  for (int j = 0; j < 3; ++j) {
    problem->Layer(j, 2, Side::Left) = problem->Layer(j, 1, Side::Left);
  }
  problem->Layer(2, 2, Side::Left).Wd = 0.0;
  problem->Layer(2, 2, Side::Left) = ExcavatedLayer(problem->Layer(2, 2, Side::Left));
  EXPECT_EQ(Run(*problem), ComputationFault::DivisionByZero);
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"Test3.1"}));
  // A later run after the fault starts afresh.
  problem->General.NT = 1;
  EXPECT_EQ(Run(*problem), ComputationFault::None);
}

}  // namespace
}  // namespace korvanu
