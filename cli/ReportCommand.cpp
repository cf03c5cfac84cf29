// The report without a display: Qt's offscreen platform, the print job of the
// Print command on a PDF printer, the results computed first.
#include "cli/ReportCommand.h"

#include <QFileInfo>
#include <QPrinter>
#include <filesystem>
#include <memory>
#include <sstream>

#include "cli/CliCommands.h"
#include "core/ViewState.h"
#include "print/PrintJob.h"
#include "ui/BatchDialogs.h"
#include "ui/OffscreenApplication.h"

namespace korvanu {

namespace {

struct Section {
  const char* Name;
  bool PrintOptions::*Box;
};

constexpr Section Sections[] = {
    {"general", &PrintOptions::General},     {"layers", &PrintOptions::Layers},
    {"anchors", &PrintOptions::Anchors},     {"axial", &PrintOptions::Axial},
    {"catalogue", &PrintOptions::Catalogue}, {"sections", &PrintOptions::Sections},
    {"tables", &PrintOptions::Tables},       {"graphs", &PrintOptions::Graphs},
};

}  // namespace

bool ParseReportSections(const std::string& list, PrintOptions& options, std::string& unknown) {
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

int ReportCommand(const ReportRequest& request, std::ostream& out, std::ostream& err) {
  auto problem = std::make_unique<ProblemData>();
  if (!LoadDatafile(request.Datafile, *problem, err)) return ExitRefused;
  // The report lands where it was asked for, before the step files move us
  // into the datafile's folder.
  const std::string pdf = std::filesystem::absolute(request.Pdf).string();
  if (!EnterDatafileFolder(request.Datafile, err)) return ExitRefused;

  static EngineState engine;  // large; one computation per process
  const int computed = ComputeProblem(*problem, request.Datafile, engine, out, err);
  if (computed == ExitFloatingFault) {
    err << "korvanu-cli: " << request.Datafile << ": no report, the computation has no results\n";
    return computed;
  }

  StartOffscreenApplication();
  ViewState view;
  view.ResultsValid = true;
  BatchDialogs dialogs("korvanu-cli: " + request.Datafile, err);
  dialogs.PrintTo(pdf);
  PrintJobHooks hooks;
  hooks.Results = &engine.Nodes;
  QPrinter printer(QPrinter::HighResolution);
  PrintJob job(*problem, view, dialogs, std::move(hooks));
  const PrintOutcome outcome = job.Run(request.Options, printer, nullptr);
  if (outcome != PrintOutcome::Printed) {
    err << "korvanu-cli: " << request.Pdf << ": the report could not be written\n";
    return ExitRefused;
  }
  if (view.PageOffset == 0) {
    out << "No section selected: no report written\n";
  } else {
    out << "Wrote the report to " << request.Pdf << " (" << view.PageOffset
        << (view.PageOffset == 1 ? " page)\n" : " pages)\n");
  }
  return computed;
}

}  // namespace korvanu
