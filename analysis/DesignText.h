// The design summary as text: every number the window, the printed report
// and the command line show is formatted here, so that they show the same.
#pragma once

#include <string>
#include <vector>

#include "analysis/DesignChecks.h"
#include "analysis/FactorSearch.h"

namespace korvanu {

// "1.734", "at least 10", "below 1", "no layer holds strength inputs",
// "not computed".
std::string FactorText(const FactorResult& result);
// As FactorText, with BelowOne in full and its reason: "below 1: the problem
// as given finds no equilibrium", "below 1: step 2 of the problem as given
// does not converge"; and, where a record that cannot be factored is what
// the search stopped at, which one and why.
std::string FactorSentence(const FactorResult& result);
// What FactorSentence adds to FactorText: "" or the reason.
std::string FactorReason(const FactorResult& result);
// Found: what the search stopped at when it was a record that cannot be
// factored ("at 1.239 no coefficients for layer 1, ..."); otherwise "".
std::string FactorLimit(const FactorResult& result);

// "layer 1, step 0, right side: <why>": a record that cannot be factored.
std::string RefusalText(const FactorRefusal& refusal);

// The depth of an extreme value, "-" when the value rounds to zero in its
// shown decimals: a depth below the printed digit says nothing.
std::string DepthText(double value, int decimals, double depth);
// "41.996 kNm/m at z = 3.816 m", or "0.000 kNm/m" without a depth.
std::string ValueAtDepthText(double value, int decimals, const char* unit, double depth);

// "holds", "falls short", "not computed", "" (no requirement).
std::string CheckStateText(CheckState state);

// "1: 45.200 (90%)", "1: 50.000 (100%) yielded".
std::string AnchorText(const AnchorCheck& anchor);

// The anchors of a step joined by "; ", or "" without any.
std::string AnchorsText(const std::vector<AnchorCheck>& anchors);

// "6.770 m (ratio 1.182)", "the wall as given finds no equilibrium", ...
std::string EmbedmentText(const EmbedmentCheck& check);

// The step table: captions, then one row per step and one for the envelope
// ("all"). The last column is Fp(k) of the step (Fp of the whole problem in
// "all"), empty when `fp` is null.
std::vector<std::string> DesignTableCaptions();
std::vector<std::string> DesignTableRow(const StepCheck& step, const FactorSearch* fp);

// The whole summary as the command line prints it: the profile and steel,
// the table, the searches and the verdicts, lines ending in "\n".
std::string DesignReportText(const ProblemData& problem, const DesignSummary& summary,
                             const DesignSearches* searches, const std::vector<Verdict>& verdicts);

}  // namespace korvanu
