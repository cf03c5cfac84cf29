// The soil layer grid's commit rules.
#include "core/SoilLayerRules.h"

#include <algorithm>
#include <cmath>

#include "core/Check.h"
#include "core/ProblemDefaults.h"
#include "core/TextFormat.h"

namespace korvanu {
namespace {

constexpr const char* kNameInInitialState = "Soil name can be changed in\ninitial state only.";
constexpr const char* kThicknessInInitialState =
    "Layer thickness can be changed in\ninitial state only.";
constexpr const char* kEnterNonNegative = "Enter non-negative number";

constexpr double kNoDryWeight = NoDryWeight;
// A thickness typed after the initial state may differ this much from the
// stored one (the shown value is rounded).
constexpr double kThicknessTolerance = 0.001;

// Half the last decimal the grid shows: a value typed again as shown does
// not change what it was derived from.
constexpr double kShownHalfDecimal = 0.0005;

// The property of each numeric column from Wd on, in grid order.
double LayerProperties::*Property(SoilColumn column) {
  static constexpr double LayerProperties::*properties[] = {
      &LayerProperties::Wd, &LayerProperties::Ws, &LayerProperties::Zw, &LayerProperties::Cap,
      &LayerProperties::q,  &LayerProperties::c,  &LayerProperties::Ka, &LayerProperties::Kp,
      &LayerProperties::Kn, &LayerProperties::Dw,
  };
  const int index = static_cast<int>(column) - static_cast<int>(SoilColumn::Wd);
  KORVANU_CHECK(index >= 0 && index < 10);
  return properties[index];
}

int LastStep(const ProblemData& problem) {
  return std::clamp(problem.General.NT, 0, MaxSteps);
}

int ShownStep(const ProblemData& problem, const ViewState& view) {
  return std::clamp(view.CurrentStep, 0, LastStep(problem));
}

// A layer without dry weight acts as water: it keeps the dry weight typed
// and its phreatic level.
void ApplyWaterRule(LayerProperties& record) {
  if (record.Wd >= kNoDryWeight) return;
  const double dry = record.Wd;
  record = ExcavatedLayer(record);
  record.Wd = dry;
}

// A strength describes the coefficients derived from it only until one of
// them is typed over or the water rule replaces them.
void ForgetStaleStrength(std::optional<SoilStrength>& strength, const LayerProperties& before,
                         const LayerProperties& after) {
  if (!strength) return;
  const auto changed = [&](double LayerProperties::*p) {
    return std::fabs(after.*p - before.*p) > kShownHalfDecimal;
  };
  if (changed(&LayerProperties::Ka) || changed(&LayerProperties::Kp) ||
      changed(&LayerProperties::Kn) || changed(&LayerProperties::c)) {
    strength.reset();
  } else if (strength->Kh && changed(&LayerProperties::Dw)) {
    strength->Kh.reset();
  }
}

// Stores the value in steps first..last of one side and re-applies the
// water rule there. With `clamp`, Kp and Kn are kept between Ka and Kp of
// each step and the clamped value carries on; returns the value as it came
// out of the last step.
double Spread(ProblemData& problem, int layer, Side side, int first, int last, SoilColumn column,
              double value, bool clamp) {
  for (int s = first; s <= last; ++s) {
    LayerProperties& record = problem.Layer(layer, s, side);
    const LayerProperties before = record;
    if (clamp && column == SoilColumn::Kp) {
      value = std::max(value, record.Ka);
    } else if (clamp && column == SoilColumn::Kn) {
      value = std::min(std::max(value, record.Ka), record.Kp);
    }
    if (column >= SoilColumn::Wd) record.*Property(column) = value;
    ApplyWaterRule(record);
    ForgetStaleStrength(problem.Strength(layer, s, side), before, record);
  }
  return value;
}

// "3", "1-3", "0, 2-4" of steps in ascending order.
std::string StepList(const std::vector<int>& steps) {
  std::string text;
  for (std::size_t k = 0; k < steps.size();) {
    std::size_t end = k;
    while (end + 1 < steps.size() && steps[end + 1] == steps[end] + 1) ++end;
    if (!text.empty()) text += ", ";
    text += end > k ? Format("%d-%d", steps[k], steps[end]) : Format("%d", steps[k]);
    k = end + 1;
  }
  return text;
}

std::string SideSteps(const char* side, const std::vector<int>& steps) {
  return Format("%s, %s ", side, steps.size() > 1 ? "steps" : "step") + StepList(steps);
}

}  // namespace

std::vector<LayerRecord> RefilledRecords(const ProblemData& before, const ProblemData& after) {
  std::vector<LayerRecord> refilled;
  const int layers = std::clamp(std::min(before.General.NL, after.General.NL), 0, MaxLayers);
  const int last = std::clamp(std::min(before.General.NT, after.General.NT), 0, MaxSteps);
  for (int layer = 0; layer < layers; ++layer)
    for (int step = 0; step <= last; ++step)
      for (const Side side : {Side::Left, Side::Right})
        if (before.Layer(layer, step, side).Wd < kNoDryWeight &&
            after.Layer(layer, step, side).Wd >= kNoDryWeight)
          refilled.push_back(LayerRecord{layer, step, side});
  return refilled;
}

std::string DescribeRecords(const std::vector<LayerRecord>& records) {
  std::string text;
  for (int layer = 0; layer < MaxLayers; ++layer) {
    std::vector<int> left, right;
    for (const LayerRecord& r : records)
      if (r.Layer == layer) (r.WallSide == Side::Left ? left : right).push_back(r.Step);
    if (left.empty() && right.empty()) continue;
    for (std::vector<int>* steps : {&left, &right}) {
      std::sort(steps->begin(), steps->end());
      steps->erase(std::unique(steps->begin(), steps->end()), steps->end());
    }
    std::string sides;
    if (left == right) {
      sides = SideSteps("both sides", left);
    } else {
      if (!left.empty()) sides = SideSteps("left side", left);
      if (!left.empty() && !right.empty()) sides += "; ";
      if (!right.empty()) sides += SideSteps("right side", right);
    }
    if (!text.empty()) text += ", ";
    text += Format("layer %d (", layer + 1) + sides + ")";
  }
  return text;
}

std::string RefilledNote(const std::vector<LayerRecord>& records, int shownStep) {
  std::vector<LayerRecord> unseen;
  for (const LayerRecord& r : records)
    if (r.Step != shownStep) unseen.push_back(r);
  if (unseen.empty()) return {};
  return "Filled again, water values kept: " + DescribeRecords(unseen) + ".";
}

std::string SoilCellText(const ProblemData& problem, const ViewState& view, SoilColumn column,
                         int layer) {
  KORVANU_CHECK(layer >= 0 && layer < MaxLayers);
  switch (column) {
    case SoilColumn::Number:
      return Format("%2d", layer + 1);
    case SoilColumn::Name:
      return problem.LayerName[layer];
    case SoilColumn::H:
      return Format("%10.3f", problem.H[layer]);
    case SoilColumn::Wd:
    case SoilColumn::Ws:
    case SoilColumn::Zw:
    case SoilColumn::Cap:
    case SoilColumn::q:
    case SoilColumn::c:
    case SoilColumn::Ka:
    case SoilColumn::Kp:
    case SoilColumn::Kn:
    case SoilColumn::Dw:
      break;
  }
  return Format("%10.3f",
                problem.Layer(layer, ShownStep(problem, view), view.CurrentSide).*Property(column));
}

CellCommit CommitSoilCell(ProblemData& problem, ViewState& view, SoilColumn column, int layer,
                          std::string_view typed) {
  KORVANU_CHECK(layer >= 0 && layer < MaxLayers && column != SoilColumn::Number);
  view.ResultsValid = false;
  const int step = ShownStep(problem, view);
  const int last = LastStep(problem);
  CellCommit commit;

  if (column == SoilColumn::Name) {
    const std::string name = CutText(typed, MaxName);
    if (step > 0 && name != problem.LayerName[layer]) {
      commit.Accepted = false;
      commit.Message = kNameInInitialState;
      commit.Shown = problem.LayerName[layer];
      return commit;
    }
    problem.LayerName[layer] = name;
    commit.Shown = name;
    return commit;
  }

  double value = ReadReal(typed);
  if (value < 0.0) {
    commit.Accepted = false;
    commit.Message = kEnterNonNegative;
    commit.Shown = SoilCellText(problem, view, column, layer);
    return commit;
  }

  if (column == SoilColumn::H) {
    if (step > 0 && std::fabs(value - problem.H[layer]) > kThicknessTolerance) {
      commit.Message = kThicknessInInitialState;
    } else {
      problem.H[layer] = value;
      const int layers = std::clamp(problem.General.NL, 0, MaxLayers);
      for (int i = layer; i < layers; ++i) problem.Z[i + 1] = problem.Z[i] + problem.H[i];
    }
  }

  // Step 0 is the initial state of both sides: the left side takes the
  // clamps, the right side the value as it came out of them.
  const Side edited = step == 0 ? Side::Left : view.CurrentSide;
  value = Spread(problem, layer, edited, step, last, column, value, true);
  if (step == 0) Spread(problem, layer, Side::Right, 0, last, column, value, false);

  problem.General.Length = problem.Z[std::clamp(problem.General.NL, 0, MaxLayers)];
  commit.Shown = SoilCellText(problem, view, column, layer);
  return commit;
}

}  // namespace korvanu
