// The print job: options panel, print dialog, compute-first rule, the sections
// in their fixed order and the page numbering across jobs.
#include "print/PrintJob.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <algorithm>
#include <utility>

#include "base/Dialogs.h"
#include "print/PrintContext.h"
#include "print/PrintedCrossSections.h"
#include "print/PrintedDesign.h"
#include "print/PrintedInputData.h"
#include "print/PrintedOutput.h"

namespace korvanu {

const char* const PrinterFailedText =
    "The printer could not print the document. Nothing was printed.";
const char* const ComputationFaultText =
    "The computation for the output ended in a fault. Nothing was printed.";

QString ReportTitle(const ProblemData& problem) {
  const QString name = PrintableText(problem.General.ProblemName).trimmed();
  return QStringLiteral("Korvanu - ") + (name.isEmpty() ? QStringLiteral("Sheet Pile Wall") : name);
}

QString ReportFileProposal(const ProblemData& problem) {
  QString name = QFileInfo(PrintableText(problem.General.FileName).trimmed()).completeBaseName();
  if (name.isEmpty()) name = QStringLiteral("Report");
  return QDir::current().absoluteFilePath(name + QStringLiteral(".pdf"));
}

void ProposeReportFile(QPrinter& printer, const ProblemData& problem) {
  const QPrinter::OutputFormat format = printer.outputFormat();
  const QString printerName = printer.printerName();
  // A name ending in .pdf turns the printer into a PDF printer.
  printer.setOutputFileName(ReportFileProposal(problem));
  if (format == QPrinter::NativeFormat) {
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(printerName);
  }
}

PrintJob::PrintJob(const ProblemData& problem, ViewState& view, Dialogs& dialogs,
                   PrintJobHooks hooks)
    : problem_(problem), view_(view), dialogs_(dialogs), hooks_(std::move(hooks)) {}

PrintOutcome PrintJob::Run(const PrintOptions& options, QPrinter& printer, QWidget* parent) {
  const auto showPanel = [this](bool shown) {
    view_.PrintOptionsShown = shown;
    if (hooks_.ShowOptionsPanel) hooks_.ShowOptionsPanel(shown);
  };
  showPanel(true);

  if (!dialogs_.Print(parent, printer)) return PrintOutcome::Cancelled;
  printer.setDocName(ReportTitle(problem_));

  if (!view_.ResultsValid) view_.PageOffset = 0;

  // The output sections read the step files, which must belong to the data.
  // The computation runs before the document begins: a fault ends the job
  // with no document at all, rather than with the first pages of a report
  // (a file that looks like a whole report, or pages on the printer).
  if ((options.Tables || options.Graphs) && !view_.ResultsValid &&
      !(hooks_.Compute && hooks_.Compute())) {
    QString message = QString::fromLatin1(ComputationFaultText);
    if (!printer.outputFileName().isEmpty()) {
      message += QStringLiteral("\n\nThe file '%1' was not written.").arg(printer.outputFileName());
    }
    dialogs_.Message(parent, message);
    showPanel(false);
    return PrintOutcome::ComputationFailed;
  }

  PrintContext context(printer, problem_, options, view_.PageOffset);
  if (hooks_.Results) context.SetResults(*hooks_.Results);
  context.Report = [this, parent](const std::string& message) {
    dialogs_.Message(parent, QString::fromLatin1(message.c_str()));
  };

  // A datafile may carry any NT; the step tables end at MaxSteps.
  const int NT = std::clamp(problem_.General.NT, 0, MaxSteps);

  int y = 0;
  if (options.General) y = PrintGeneralData(context, y);
  if (options.Layers && !context.Failed()) y = PrintLayerData(context, y);
  if (options.Anchors && !context.Failed()) y = PrintAnchorData(context, y);
  if (options.Axial && !context.Failed()) y = PrintAxialData(context, y);
  if (options.Catalogue && !context.Failed()) y = PrintCatalogue(context, y);
  if (options.Sections) {
    for (int s = 0; s <= NT && !context.Failed(); ++s) y = PrintCrossSection(context, y, s);
  }
  if (options.Tables && !context.Failed()) {
    for (int k = 1; k <= NT && !context.Failed(); ++k) y = PrintStepTable(context, y, k);
  }
  if (options.Graphs && !context.Failed()) {
    if (hooks_.GraphsClientSize) context.GraphsClient = hooks_.GraphsClientSize();
    ComputePrintGraphScales(context);
    for (int k = 1; k <= NT && !context.Failed(); ++k) y = PrintStepGraphs(context, y, k);
  }
  if (options.Design && !context.Failed()) {
    const DesignSearches searches =
        hooks_.DesignSearchResults ? hooks_.DesignSearchResults() : RunDesignSearches(problem_);
    y = PrintDesignSummary(context, y, &searches);
  }

  const int pages = context.PageNumber();
  const bool ended = context.End();
  PrintOutcome outcome = PrintOutcome::Printed;
  if (context.Failed() || !ended) {
    dialogs_.Error(parent, QString::fromLatin1(PrinterFailedText));
    outcome = PrintOutcome::PrinterFailed;
  } else {
    view_.PageOffset += pages;
  }

  showPanel(false);
  return outcome;
}

}  // namespace korvanu
