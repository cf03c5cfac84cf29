// The printer canvas that every printed section shares: the painter on the
// printer, the page count, the fonts, the left margin and the page offset.
#pragma once

#include <QFont>
#include <QPainter>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "core/ProblemData.h"
#include "engine/EngineState.h"
#include "print/PrintOptions.h"
#include "results/GraphScales.h"

class QPrinter;

namespace korvanu {

// Device pixel size of a font designed `screenPixels` high at 96 pixels per
// inch, carried over by its whole point size to a device of `dpi`: 13 px gives
// 10 points, 11 px gives 8 points.
int PrinterFontPixels(int screenPixels, int dpi);

// Text of the problem record as printed, converted as the screen converts it.
QString PrintableText(const std::string& text);

class PrintContext {
 public:
  PrintContext(QPrinter& printer, const ProblemData& problem, const PrintOptions& options,
               int pageOffset);
  ~PrintContext();
  PrintContext(const PrintContext&) = delete;
  PrintContext& operator=(const PrintContext&) = delete;

  const ProblemData& Problem() const { return problem_; }
  const PrintOptions& Options() const { return options_; }
  QPrinter& Printer() { return printer_; }

  // The painter on the printer. The document begins at the first use, so a
  // report without sections makes no document at all.
  QPainter& Painter();
  bool Begun() const { return begun_; }
  // The printer refused to begin the document.
  bool Failed() const { return failed_; }

  // Printable area in device units.
  int PageWidth() const;
  int PageHeight() const;
  // The printer's current page number: 1 on the first page, 0 before the
  // document has begun; after the job, the number of pages printed.
  int PageNumber() const { return pageNumber_; }
  int PageOffset() const { return pageOffset_; }
  // Begins the document if needed, otherwise starts a new page.
  void NewPage();

  // The fonts carried over by value from the window fonts, so they keep their
  // point size: TitleFont MS Sans Serif bold (13 px on screen), TextFont
  // MS Sans Serif regular (11 px on screen).
  const QFont& TitleFont() const { return titleFont_; }
  const QFont& TextFont() const { return textFont_; }

  // The x of every left-aligned printed text: page width div 20.
  int LeftMargin = 0;

  // The node arrays that each printed step is read into; a step file that
  // cannot be read leaves them as they are and its message goes to Report.
  NodeResults& Results() { return *results_; }
  void SetResults(NodeResults& results) { results_ = &results; }
  std::function<void(const std::string& message)> Report;
  // The graphs window's client size, from which the graph scales are fixed
  // together with the page size, and the scales once fixed.
  QSize GraphsClient{DesignedGraphsClientWidth, DesignedGraphsClientHeight};
  GraphScales Scales;

  // Canvas-style text: measured in, and drawn with, the selected font; text
  // is placed with the top of its cell at y.
  void SelectFont(const QFont& font);
  const QFont& Font() const { return font_; }
  int TextWidth(const QString& text) const;
  int TextHeight(const QString& text) const;
  void TextOut(int x, int y, const QString& text);
  void TextOut(int x, int y, const std::string& text);
  // A number in a fixed printf format ("%8.3f", "%3d") at column x. The font
  // is proportional, so a blank is narrower than a digit: the number is
  // placed with its end where the field ends when every position holds a
  // digit. A full field starts at x; the digits of a column line up.
  void NumberOut(int x, int y, const std::string& number);

  // Ends the document if it was begun; false if the printer reported an error.
  bool End();

 private:
  QPrinter& printer_;
  const ProblemData& problem_;
  std::unique_ptr<NodeResults> ownResults_;
  NodeResults* results_;
  const PrintOptions& options_;
  QPainter painter_;
  QFont titleFont_;
  QFont textFont_;
  QFont font_;
  int pageNumber_ = 0;
  int pageOffset_ = 0;
  bool begun_ = false;
  bool failed_ = false;
};

}  // namespace korvanu
