// Numbers of the design summary in their shown form: displacements to 0.1 mm,
// depths, forces and moments to three decimals, stresses to one, factors and
// utilisations to three.
#include "analysis/DesignText.h"

#include <algorithm>
#include <cmath>

#include "core/TextFormat.h"

namespace korvanu {
namespace {

// Characters as a terminal shows them: UTF-8 continuation bytes take no room.
size_t Width(const std::string& text) {
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

std::string Padded(const std::string& text, size_t width, bool right) {
  const size_t w = Width(text);
  if (w >= width) return text;
  const std::string fill(width - w, ' ');
  return right ? fill + text : text + fill;
}

// Columns separated by two blanks; numbers right-aligned, texts left.
void Columns(const std::vector<std::vector<std::string>>& rows, const std::vector<bool>& right,
             std::string& out, const std::string& indent) {
  std::vector<size_t> widths;
  for (const auto& row : rows) {
    if (widths.size() < row.size()) widths.resize(row.size(), 0);
    for (size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], Width(row[c]));
  }
  for (const auto& row : rows) {
    std::string line = indent;
    for (size_t c = 0; c < row.size(); ++c) {
      if (c > 0) line += "  ";
      line += Padded(row[c], widths[c], c < right.size() && right[c]);
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + "\n";
  }
}

}  // namespace

std::string FactorText(const FactorResult& result) {
  switch (result.Outcome) {
    case FactorOutcome::Found:
      return FixedText(result.Value, 3);
    case FactorOutcome::AtLeastMax:
      return "at least 10";
    case FactorOutcome::BelowOne:
      return "below 1";
    case FactorOutcome::NoStrength:
      return "no layer holds strength inputs";
    case FactorOutcome::NotRun:
      break;
  }
  return "not computed";
}

std::string RefusalText(const FactorRefusal& refusal) {
  return Format("layer %d, step %d, %s side: ", refusal.Layer + 1, refusal.Step,
                refusal.side == Side::Left ? "left" : "right") +
         refusal.Why;
}

std::string FactorReason(const FactorResult& result) {
  if (result.Outcome == FactorOutcome::BelowOne) {
    if (result.Refusal) return ": no coefficients for " + RefusalText(*result.Refusal);
    if (result.Failure.Fault == ComputationFault::None && result.Failure.FailedStep >= 0) {
      return Format(": step %d of the problem as given does not converge",
                    result.Failure.FailedStep);
    }
    return ": the problem as given finds no equilibrium";
  }
  const std::string limit = FactorLimit(result);
  return limit.empty() ? limit : "; " + limit;
}

std::string FactorLimit(const FactorResult& result) {
  if (result.Outcome != FactorOutcome::Found || !result.Refusal) return "";
  return "at " + FixedText(result.Value + 0.001, 3) + " no coefficients for " +
         RefusalText(*result.Refusal);
}

std::string FactorSentence(const FactorResult& result) {
  return FactorText(result) + FactorReason(result);
}

namespace {

bool RoundsToZero(double value, int decimals) {
  return FixedText(value, decimals).find_first_not_of("0.") == std::string::npos;
}

}  // namespace

std::string DepthText(double value, int decimals, double depth) {
  return RoundsToZero(value, decimals) ? "-" : FixedText(depth, 3);
}

std::string ValueAtDepthText(double value, int decimals, const char* unit, double depth) {
  std::string text = FixedText(value, decimals) + " " + unit;
  if (!RoundsToZero(value, decimals)) text += " at z = " + FixedText(depth, 3) + " m";
  return text;
}

std::string CheckStateText(CheckState state) {
  switch (state) {
    case CheckState::Holds:
      return "holds";
    case CheckState::FallsShort:
      return "falls short";
    case CheckState::NotComputed:
      return "not computed";
    case CheckState::NoRequirement:
      break;
  }
  return "";
}

std::string AnchorText(const AnchorCheck& anchor) {
  std::string text = Format("%d: %s (%.0f%%)", anchor.Point, FixedText(anchor.Force, 3).c_str(),
                            100.0 * anchor.Share);
  if (anchor.Yielded) text += " yielded";
  return text;
}

std::string AnchorsText(const std::vector<AnchorCheck>& anchors) {
  std::string text;
  for (const AnchorCheck& a : anchors) {
    if (!text.empty()) text += "; ";
    text += AnchorText(a);
  }
  return text;
}

std::string EmbedmentText(const EmbedmentCheck& check) {
  if (check.Cancelled) return "not computed";
  const MinimumLength& s = check.Search;
  switch (s.Result) {
    case LengthSearchResult::Found:
      return Format("minimum length %s m; the wall of %s m is %s times it",
                    FixedText(s.Shortest, 3).c_str(), FixedText(s.Given, 3).c_str(),
                    FixedText(check.Ratio, 3).c_str());
    case LengthSearchResult::GivenLengthFails:
      return "the wall as given finds no equilibrium";
    case LengthSearchResult::NoShorterWall:
      return "the lowest layer is one element thick: no shorter wall can be computed";
    case LengthSearchResult::NoFailingLength:
      return Format("even a wall of %s m stands: the length is not what holds it",
                    FixedText(s.Failing, 3).c_str());
  }
  return "not computed";
}

std::vector<std::string> DesignTableCaptions() {
  return {"Step",   "max |w| m",    "at z m", "max M kNm/m", "at z m",     "min M kNm/m",
          "at z m", "max |Q| kN/m", "at z m", "σ N/mm²",     "σ/(fy/γM0)", "Anchors kN/m (share)",
          "Fp"};
}

std::vector<std::string> DesignTableRow(const StepCheck& step, const FactorSearch* fp) {
  std::vector<std::string> row;
  row.push_back(step.Step > 0 ? std::to_string(step.Step) : "all");
  if (!step.Computed) {
    row.insert(row.end(), 11, "-");
  } else {
    row.push_back(FixedText(step.MaxW, 4));
    row.push_back(DepthText(step.MaxW, 4, step.MaxWDepth));
    row.push_back(FixedText(step.MaxM, 3));
    row.push_back(DepthText(step.MaxM, 3, step.MaxMDepth));
    row.push_back(FixedText(step.MinM, 3));
    row.push_back(DepthText(step.MinM, 3, step.MinMDepth));
    row.push_back(FixedText(step.MaxQ, 3));
    row.push_back(DepthText(step.MaxQ, 3, step.MaxQDepth));
    row.push_back(step.Stress ? FixedText(*step.Stress, 1) : "-");
    row.push_back(step.Utilisation ? FixedText(*step.Utilisation, 3) : "-");
    const std::string anchors = AnchorsText(step.Anchors);
    row.push_back(anchors.empty() ? "-" : anchors);
  }
  std::string factor;
  if (fp) {
    if (step.Step == 0) {
      factor = FactorText(fp->Whole);
    } else if (step.Step <= static_cast<int>(fp->PerStep.size())) {
      factor = FactorText(fp->PerStep[step.Step - 1]);
    }
  }
  row.push_back(factor);
  return row;
}

std::string DesignReportText(const ProblemData& problem, const DesignSummary& summary,
                             const DesignSearches* searches, const std::vector<Verdict>& verdicts) {
  const GeneralData& g = problem.General;
  const DesignSettings& s = summary.Settings;
  std::string out;
  out += "Problem   " + g.ProblemName + "\n";
  const int NP = g.NP;
  const std::string name =
      NP >= 1 && NP <= MaxProfiles ? problem.Catalogue[NP - 1].Name : std::string();
  if (summary.SectionKnown) {
    out += Format("Profile   %d %s: h %s m, I = EI/E %.4e m4/m", NP, name.c_str(),
                  FixedText(summary.h, 3).c_str(), summary.I) +
           "\n";
  } else {
    out += Format("Profile   %d %s: ", NP, name.c_str()) + summary.StressNote +
           ": the stress cannot be computed\n";
  }
  if (s.Fy > 0.0) {
    const char* grade = GradeName(s.Fy);
    out += "Steel     " + (grade ? std::string(grade) + " " : std::string()) + "fy " +
           FixedText(s.Fy, 1) + " N/mm², γM0 " + FixedText(s.GammaM0, 3) + "\n";
  } else {
    out += "Steel     no grade given: stresses without utilisation\n";
  }
  for (const std::string& warning : summary.Warnings) out += "Warning   " + warning + "\n";
  out += "\n";

  std::vector<std::vector<std::string>> rows{DesignTableCaptions()};
  const FactorSearch* fp = searches ? &searches->Fp : nullptr;
  for (const StepCheck& step : summary.Steps) rows.push_back(DesignTableRow(step, fp));
  rows.push_back(DesignTableRow(summary.Envelope, fp));
  std::vector<bool> right(rows[0].size(), true);
  right[11] = false;
  right[12] = false;
  Columns(rows, right, out, "");
  if (fp) out += "Fp of a step: the factor for the steps 0 to it; \"all\": for every step.\n";
  out += "\n";

  out += "Checks\n";
  std::vector<std::vector<std::string>> checks;
  for (const Verdict& v : verdicts) {
    checks.push_back({v.Check, v.Value, v.Requirement, CheckStateText(v.State)});
  }
  Columns(checks, {false, false, false, false}, out, "  ");
  for (const Verdict& v : verdicts) {
    if (!v.Note.empty()) out += "  " + v.Check + ": " + v.Note + "\n";
  }
  out += "\n";
  std::string shortOf;
  for (const Verdict& v : verdicts) {
    if (v.State == CheckState::FallsShort || v.State == CheckState::NotComputed) {
      if (!shortOf.empty()) shortOf += ", ";
      shortOf += v.Check;
    }
  }
  out += shortOf.empty() ? "Every check holds.\n" : "Falls short: " + shortOf + ".\n";
  return out;
}

}  // namespace korvanu
