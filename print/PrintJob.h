// The print job of the main window's Print command: the print dialog, the
// compute-first rule, the sections of the report in their fixed order and
// the page numbering that runs on across jobs while the results stay valid.
#pragma once

#include <QSize>
#include <QString>
#include <functional>

#include "analysis/FactorSearch.h"
#include "core/ProblemData.h"
#include "core/ViewState.h"
#include "engine/EngineState.h"
#include "print/PrintOptions.h"

class QPrinter;
class QWidget;

namespace korvanu {

class Dialogs;

// The message when the printer cannot begin a document.
extern const char* const PrinterFailedText;
// The message when the computation that the output needs ends in a fault.
extern const char* const ComputationFaultText;

// "Korvanu - " and the problem name: the title of the report's document (a
// PDF file's title, a print queue's job name).
QString ReportTitle(const ProblemData& problem);

// The file that Print to PDF proposes: the datafile's name with ".pdf" in
// the current folder, where the datafile was opened or saved. The printer
// stays on the system printer when it was on it; only its file changes.
QString ReportFileProposal(const ProblemData& problem);
void ProposeReportFile(QPrinter& printer, const ProblemData& problem);

enum class PrintOutcome {
  Printed,            // the document was ended and went to the printer (possibly without pages)
  Cancelled,          // the print dialog was cancelled; nothing printed, the options panel stays
  ComputationFailed,  // the computation for the output ended in a fault before the document
                      // began: nothing printed, no file written; a message was shown
  PrinterFailed,      // the printer could not start the document; a message was shown
};

struct PrintJobHooks {
  // Shows (true) or hides (false) the options panel; may be empty.
  std::function<void(bool shown)> ShowOptionsPanel;
  // Runs the computation exactly as the Compute command does (progress panel,
  // messages, step files, ResultsValid). Returns whether the results are valid
  // afterwards. Called only when output is requested and ResultsValid is false.
  std::function<bool()> Compute;
  // The node arrays the printed steps are read into (the engine's); when
  // null the job reads into arrays of its own.
  NodeResults* Results = nullptr;
  // The graphs window's client size now; the window as designed when empty.
  std::function<QSize()> GraphsClientSize;
  // The searches of the design summary; when empty the job runs them itself.
  std::function<DesignSearches()> DesignSearchResults;
};

class PrintJob {
 public:
  PrintJob(const ProblemData& problem, ViewState& view, Dialogs& dialogs, PrintJobHooks hooks);

  // Prints the report selected by `options` on `printer` (a system printer, or
  // a PDF file when the caller set one). `parent` owns the print dialog and
  // the message boxes and may be null.
  PrintOutcome Run(const PrintOptions& options, QPrinter& printer, QWidget* parent);

 private:
  const ProblemData& problem_;
  ViewState& view_;
  Dialogs& dialogs_;
  PrintJobHooks hooks_;
};

}  // namespace korvanu
