// The report's design summary: the checks of every step and of the envelope,
// the searches and the verdicts, in the words and numbers the command line
// prints.
#pragma once

#include "analysis/FactorSearch.h"
#include "print/PrintContext.h"

namespace korvanu {

// Prints the summary from y on, starting a new page when the title and a few
// lines no longer fit; returns the y below it. `searches` may be null (the
// searches were not run: the summary says so).
int PrintDesignSummary(PrintContext& context, int y, const DesignSearches* searches);

}  // namespace korvanu
