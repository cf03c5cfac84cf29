// The manual without a display: Qt's offscreen platform and a PDF printer.
#include "cli/ManualCommand.h"

#include <QPrinter>

#include "base/BatchDialogs.h"
#include "base/OffscreenApplication.h"
#include "core/DatafileFiles.h"
#include "manual/PrintedManual.h"

namespace korvanu {

int ManualCommand(const Arguments& arguments, std::ostream& out, std::ostream& err) {
  std::string pdf;
  for (std::size_t k = 0; k < arguments.size(); ++k) {
    if (arguments[k] == "-o" && k + 1 < arguments.size() && pdf.empty()) {
      pdf = arguments[++k];
    } else {
      err << "korvanu-cli manual: unexpected argument " << arguments[k] << "\n";
      return ExitRefused;
    }
  }
  if (pdf.empty()) {
    err << "korvanu-cli manual: needs -o MANUAL.pdf\n";
    return ExitRefused;
  }

  // Said here in the tool's own words, before the printer would warn of it.
  if (const auto why = OutputFileRefusal(pdf)) {
    err << "korvanu-cli: " << pdf << ": the manual could not be written: " << *why << "\n";
    return ExitRefused;
  }

  StartOffscreenApplication();
  QPrinter printer(QPrinter::HighResolution);
  // The print dialog of the batch tools answers with the PDF file.
  BatchDialogs dialogs("korvanu-cli manual", err);
  dialogs.PrintTo(pdf);
  dialogs.Print(nullptr, printer);
  const PrintedManual printed = PrintManual(printer);
  if (!printed.Printed) {
    err << "korvanu-cli: " << pdf << ": the manual could not be written\n";
    return ExitRefused;
  }
  out << "Wrote the manual to " << pdf << " (" << printed.Pages << " pages)\n";
  return ExitDone;
}

}  // namespace korvanu
