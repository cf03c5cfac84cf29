// Coefficients of a layer from its strength and its initial stress.
#include "engine/StrengthCoefficients.h"

#include <algorithm>

#include "core/Check.h"
#include "core/TextFormat.h"
#include "engine/SoilLaw.h"

namespace korvanu {

double InitialMidLayerStress(const ProblemData& problem, int layer, Side side) {
  KORVANU_CHECK(layer >= 0 && layer < problem.General.NL && layer < MaxLayers);
  const double z = (problem.Z[layer] + problem.Z[layer + 1]) / 2.0;
  const VerticalStressResult v = VerticalStress(problem, side, 0, z);
  return v.sigma - v.u;
}

EarthPressureCoefficients LayerCoefficients(const ProblemData& problem, int layer, Side side,
                                            const SoilStrength& strength, StrokeRule rule) {
  return ComputeCoefficients(strength,
                             strength.Kh ? InitialMidLayerStress(problem, layer, side) : 0.0, rule);
}

StrokeFollowUp FollowStrokes(ProblemData& problem) {
  StrokeFollowUp done;
  const int layers = std::clamp(problem.General.NL, 0, MaxLayers);
  const int last = std::clamp(problem.General.NT, 0, MaxSteps);
  for (int layer = 0; layer < layers; ++layer)
    for (int step = 0; step <= last; ++step)
      for (const Side side : {Side::Left, Side::Right}) {
        std::optional<SoilStrength>& kept = problem.Strength(layer, step, side);
        LayerProperties& record = problem.Layer(layer, step, side);
        // A strength outside its ranges (from a hand-made file) says nothing
        // of the stroke; an excavated layer holds water values.
        if (!kept || !kept->Kh || !StrengthError(*kept).empty() || record.Wd < NoDryWeight)
          continue;
        const EarthPressureCoefficients k = LayerCoefficients(problem, layer, side, *kept);
        const LayerRecord at{layer, step, side};
        if (!k.Ok() || !k.Dw) {
          kept->Kh.reset();
          done.KhDropped.push_back(at);
          continue;
        }
        // As Apply stores it: the value the grid shows, typed.
        const double dw = ReadReal(Format("%10.3f", *k.Dw));
        if (dw == record.Dw) continue;
        record.Dw = dw;
        done.Derived.push_back(at);
      }
  return done;
}

std::string SoilEditNote(const std::vector<LayerRecord>& refilled, int shownStep,
                         const StrokeFollowUp& strokes) {
  std::string note = RefilledNote(refilled, shownStep);
  const auto add = [&note](const std::string& sentence) {
    if (!note.empty()) note += " ";
    note += sentence;
  };
  if (!strokes.Derived.empty())
    add("Dw derived again from k_h: " + DescribeRecords(strokes.Derived) + ".");
  if (!strokes.KhDropped.empty())
    add("k_h dropped, its stroke below 0.001 m: " + DescribeRecords(strokes.KhDropped) + ".");
  if (!note.empty()) add("Ctrl+Z undoes it.");
  return note;
}

}  // namespace korvanu
