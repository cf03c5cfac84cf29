// Shared helpers of the engine tests: problems built in code, an observer that
// records what a run reports, and a scratch folder to write step files into.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/ProblemDefaults.h"
#include "engine/ComputationObserver.h"
#include "engine/EngineState.h"
#include "engine/RunComputation.h"

namespace korvanu::test {

// The default problem with the start values of the anchor and axial tables.
inline std::unique_ptr<ProblemData> DefaultProblem() {
  auto problem = std::make_unique<ProblemData>();
  ViewState view;
  InitialiseProblem(*problem, view);
  SetAnchorStartValues(*problem);
  SetAxialStartValues(*problem);
  return problem;
}

// Gives layer j the same properties in every step on both sides.
inline void SetLayerEverywhere(ProblemData& problem, int j, const LayerProperties& p) {
  for (int s = 0; s < StepSlots; ++s) {
    problem.Layer(j, s, Side::Left) = p;
    problem.Layer(j, s, Side::Right) = p;
  }
}

// Sets the layer boundaries from the given depths (Z[0] = 0 first).
inline void SetBoundaries(ProblemData& problem, const std::vector<double>& depths) {
  problem.General.NL = static_cast<int>(depths.size()) - 1;
  for (std::size_t p = 0; p < depths.size(); ++p) problem.Z[p] = depths[p];
  for (std::size_t j = 0; j + 1 < depths.size(); ++j) problem.H[j] = depths[j + 1] - depths[j];
}

// No anchor and no force anywhere.
inline void ClearAnchors(ProblemData& problem) {
  for (auto& step : problem.Anchors) {
    for (auto& point : step) point = AnchorRecord{0.0, 0.0, 1.0};
  }
}

inline LayerProperties Soil(double Wd, double Ws, double Zw, double Cap, double q, double c,
                            double Ka, double Kp, double Kn, double Dw) {
  return LayerProperties{Wd, Ws, Zw, Cap, q, c, Ka, Kp, Kn, Dw};
}

struct RecordingObserver : ComputationObserver {
  std::vector<std::string> events;
  std::vector<std::string> messages;
  std::vector<std::string> files;
  std::vector<StepOutcome> outcomes;
  std::vector<int> plasticCounts;
  int paced = 0;

  void RunStarted() override { events.push_back("run"); }
  void StepStarted(int step) override { events.push_back("step " + std::to_string(step)); }
  void PlasticSpringsCounted(int count) override {
    plasticCounts.push_back(count);
    events.push_back("plastic");
  }
  void WritingStepFile(const std::string& name) override {
    files.push_back(name);
    events.push_back("write " + name);
  }
  void ShowMessage(const std::string& text) override {
    messages.push_back(text);
    events.push_back("message");
  }
  void PaceStep() override {
    ++paced;
    events.push_back("pace");
  }
  void StepFinished(const StepOutcome& outcome, const EngineState&) override {
    outcomes.push_back(outcome);
    events.push_back("finished " + std::to_string(outcome.step));
  }
};

// Runs each test in a fresh empty folder, restoring the current folder after.
class ScratchFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::string pattern =
        (std::filesystem::temp_directory_path() / "korvanu-engine-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    std::filesystem::current_path(folder_);
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
  }
  static std::string ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::vector<std::string> FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::filesystem::path previous_;
  std::filesystem::path folder_;
};

// A scratch folder with an engine and a recording observer: runs a problem
// there as the program would, unpaced.
class EngineRun : public ScratchFolder {
 protected:
  void SetUp() override {
    ScratchFolder::SetUp();
    engine = std::make_unique<EngineState>();
  }
  ComputationFault Run(ProblemData& problem) {
    observer = RecordingObserver();
    return RunComputation(problem, *engine, observer);
  }
  std::unique_ptr<EngineState> engine;
  RecordingObserver observer;
};

}  // namespace korvanu::test
