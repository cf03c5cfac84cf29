// korvanu-cli report: the printed report of a datafile as a PDF file, made by
// the print job of the Print command, without a display.
#pragma once

#include <ostream>
#include <string>

#include "print/PrintOptions.h"

namespace korvanu {

struct ReportRequest {
  std::string Datafile;
  std::string Pdf;
  PrintOptions Options;  // the sections, as the options panel selects them
};

// Parses "general,layers,..." into the section boxes (all others off);
// false with the unknown name in `unknown`.
bool ParseReportSections(const std::string& list, PrintOptions& options, std::string& unknown);

// Reads the datafile, computes it unpaced (step files beside it, as compute
// does) and prints the selected sections into the PDF. Exit codes as compute;
// a computation that ends at a floating-point fault writes no report.
int ReportCommand(const ReportRequest& request, std::ostream& out, std::ostream& err);

}  // namespace korvanu
