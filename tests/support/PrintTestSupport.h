// What the print tests share: the option sets, a PDF printer at a fixed
// resolution, and the text and word boxes of a PDF as pdftotext reads them.
#pragma once

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include "core/ProblemDefaults.h"
#include "print/PrintJob.h"
#include "print/PrintOptions.h"

namespace korvanu {

// The resolution of the PDF printer of the tests.
constexpr int TestDpi = 600;

inline PrintOptions NothingSelected() {
  PrintOptions options;
  options.General = options.Layers = options.Anchors = options.Axial = options.Catalogue =
      options.Sections = options.Tables = options.Graphs = options.Colors = false;
  return options;
}

inline PrintOptions Only(bool PrintOptions::*box) {
  PrintOptions options = NothingSelected();
  options.*box = true;
  return options;
}

// The problem as the program starts with it: the defaults, and the anchors
// and axial forces that their editors set when they are created.
inline void StartingProblem(ProblemData& problem, ViewState& view) {
  InitialiseProblem(problem, view);
  SetAnchorStartValues(problem);
  SetAxialStartValues(problem);
}

inline void PointAtPdf(QPrinter& printer, const QString& path) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setResolution(TestDpi);
  printer.setPageSize(QPageSize(QPageSize::A4));
}

inline QString RunPdfToText(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of every page, laid out as on paper.
inline QStringList PdfPages(const QString& path) {
  QStringList pages =
      RunPdfToText({QStringLiteral("-layout"), path, QStringLiteral("-")}).split(QLatin1Char('\f'));
  if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
  return pages;
}

// The document title of a PDF file, as pdfinfo reads it.
inline QString PdfTitle(const QString& path) {
  QProcess process;
  process.start(QStringLiteral("pdfinfo"), {path});
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
  for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n'))
    if (line.startsWith(QLatin1String("Title:"))) return line.mid(6).trimmed();
  return {};
}

struct Word {
  int page;
  QString text;
  double xMin;
  double yMin;
  double xMax = 0.0;
  double yMax = 0.0;
};

// Every word with the corners of its box, in points from the paper corner.
inline QList<Word> PdfWords(const QString& path) {
  const QString xml = RunPdfToText({QStringLiteral("-bbox"), path, QStringLiteral("-")});
  QList<Word> words;
  int page = 0;
  static const QRegularExpression tag(
      QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                     "yMax=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
  for (auto it = tag.globalMatch(xml); it.hasNext();) {
    const auto match = it.next();
    if (match.captured(0) == QLatin1String("<page ")) {
      ++page;
    } else {
      words.append({page, match.captured(5), match.captured(1).toDouble(),
                    match.captured(2).toDouble(), match.captured(3).toDouble(),
                    match.captured(4).toDouble()});
    }
  }
  return words;
}

inline const Word* FindWord(const QList<Word>& words, int page, const QString& text) {
  for (const Word& word : words) {
    if (word.page == page && word.text == text) return &word;
  }
  return nullptr;
}

inline double Points(int deviceUnits) {
  return deviceUnits * 72.0 / TestDpi;
}

// Prints the sections of `options` into the PDF file `path` through the print
// job; the path when it printed, empty otherwise. `fullPage` puts the device
// origin at the paper corner, as pdftotext measures; `page` receives the
// page size in device units.
inline QString PrintReport(const ProblemData& problem, ViewState& view, Dialogs& dialogs,
                           const PrintOptions& options, const QString& path,
                           NodeResults* results = nullptr, bool fullPage = false,
                           QSize* page = nullptr) {
  QPrinter printer(QPrinter::HighResolution);
  PointAtPdf(printer, path);
  printer.setFullPage(fullPage);
  if (page != nullptr) *page = QSize(printer.width(), printer.height());
  PrintJobHooks hooks;
  hooks.Results = results;
  PrintJob job(problem, view, dialogs, std::move(hooks));
  return job.Run(options, printer, nullptr) == PrintOutcome::Printed ? path : QString();
}

}  // namespace korvanu
