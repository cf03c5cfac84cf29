// The printed results: the output table and the graphs of a loading step,
// read from the step output files that the computation wrote.
#pragma once

#include "print/PrintContext.h"

namespace korvanu {

// Title and table of step k (1..NT); a table starts on a new page when fewer
// than ten lines remain.
int PrintStepTable(PrintContext& context, int y, int k);

// Fixes the common scales of the graphs of all steps (reading every step
// file) from the graphs window's client size and the page size; runs before
// the first PrintStepGraphs of a document.
void ComputePrintGraphScales(PrintContext& context);

// The four graphs (w, M, Q, f) of step k (1..NT) with the line of extremes.
int PrintStepGraphs(PrintContext& context, int y, int k);

}  // namespace korvanu
