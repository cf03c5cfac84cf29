// The report without a display: Qt's offscreen platform, the print job of the
// Print command on a PDF printer, the results computed first.
#include "cli/ReportCommand.h"

#include <QPrinter>
#include <filesystem>
#include <memory>
#include <sstream>

#include "base/BatchDialogs.h"
#include "base/OffscreenApplication.h"
#include "core/DatafileFiles.h"
#include "core/ViewState.h"
#include "print/PrintJob.h"

namespace korvanu {

namespace {

namespace fs = std::filesystem;

struct Section {
  const char* Name;
  bool PrintOptions::*Box;
};

constexpr Section Sections[] = {
    {"general", &PrintOptions::General},     {"layers", &PrintOptions::Layers},
    {"anchors", &PrintOptions::Anchors},     {"axial", &PrintOptions::Axial},
    {"catalogue", &PrintOptions::Catalogue}, {"sections", &PrintOptions::Sections},
    {"tables", &PrintOptions::Tables},       {"graphs", &PrintOptions::Graphs},
    {"design", &PrintOptions::Design},
};

// The sections named in a comma list; false with the unknown name.
bool ParseSections(const std::string& list, PrintOptions& options, std::string& unknown) {
  for (const Section& section : Sections) options.*section.Box = false;
  std::stringstream names(list);
  std::string name;
  while (std::getline(names, name, ',')) {
    if (name.empty()) continue;
    bool found = false;
    for (const Section& section : Sections) {
      if (name == section.Name) {
        options.*section.Box = true;
        found = true;
      }
    }
    if (!found) {
      unknown = name;
      return false;
    }
  }
  return true;
}

}  // namespace

int ReportCommand(const Arguments& arguments, std::ostream& out, std::ostream& err) {
  std::string datafile;
  std::string requested;
  PrintOptions options;
  for (std::size_t k = 0; k < arguments.size(); ++k) {
    const std::string& word = arguments[k];
    const bool hasValue = k + 1 < arguments.size();
    if (word == "-o" && hasValue) {
      requested = arguments[++k];
    } else if (word == "--only" && hasValue) {
      std::string unknown;
      if (!ParseSections(arguments[++k], options, unknown)) {
        err << "korvanu-cli report: unknown section " << unknown << "\n";
        return ExitRefused;
      }
    } else if (word == "--colors") {
      options.Colors = true;
    } else if (!word.empty() && word[0] != '-' && datafile.empty()) {
      datafile = word;
    } else {
      err << "korvanu-cli report: unexpected argument " << word << "\n";
      return ExitRefused;
    }
  }
  if (datafile.empty() || requested.empty()) {
    err << "korvanu-cli report: needs a datafile and -o REPORT.pdf\n";
    return ExitRefused;
  }

  // Said before anything is computed, in the tool's own words rather than
  // the printer's warning.
  if (const auto why = OutputFileRefusal(requested)) {
    err << "korvanu-cli: " << requested << ": the report could not be written: " << *why << "\n";
    return ExitRefused;
  }

  auto problem = std::make_unique<ProblemData>();
  auto engine = std::make_unique<EngineState>();
  const int computed = ComputeDatafile(datafile, *problem, *engine, out, err);
  if (computed == ExitRefused) return computed;
  if (computed == ExitFloatingFault) {
    err << "korvanu-cli: " << datafile << ": no report, the computation has no results\n";
    return computed;
  }

  // The report reads the step files where the program would: in the
  // datafile's folder. The PDF lands where it was asked for.
  std::error_code ec;
  const std::string pdf = fs::absolute(requested, ec).string();
  const fs::path folder = fs::path(datafile).parent_path();
  if (!folder.empty()) fs::current_path(folder, ec);
  if (ec) {
    err << "korvanu-cli: " << datafile << ": cannot enter its folder: " << ec.message() << "\n";
    return ExitRefused;
  }

  StartOffscreenApplication();
  ViewState view;
  view.ResultsValid = true;
  BatchDialogs dialogs("korvanu-cli: " + datafile, err);
  dialogs.PrintTo(pdf);
  PrintJobHooks hooks;
  hooks.Results = &engine->Nodes;
  QPrinter printer(QPrinter::HighResolution);
  PrintJob job(*problem, view, dialogs, std::move(hooks));
  if (job.Run(options, printer, nullptr) != PrintOutcome::Printed) {
    err << "korvanu-cli: " << requested << ": the report could not be written\n";
    return ExitRefused;
  }
  if (view.PageOffset == 0) {
    out << "No section selected: no report written\n";
  } else {
    out << "Wrote the report to " << requested << " (" << view.PageOffset
        << (view.PageOffset == 1 ? " page)\n" : " pages)\n");
  }
  return computed;
}

}  // namespace korvanu
