// The plot of a study as a PDF file, drawn by the program's own printing: the
// page frame of the report on every page, the fonts of the printed forms.
#pragma once

#include <string>

#include "analysis/StudyResults.h"

namespace korvanu {

// For sweeps and grids every output against every input; for samples the
// histograms of the outputs and a tornado chart of the rank correlations of
// each. Returns the pages written, or 0 with the reason in `why`.
int WriteStudyPlot(const StudyResults& study, const std::string& pdf, std::string& why);

}  // namespace korvanu
