// The printed manual. Lines are one body line height a apart, with the same
// spacing rules as the screen pages; figures sit in a box half the page wide
// in the middle of the page, with their captions under them.
#include "manual/PrintedManual.h"

#include <QPrinter>
#include <memory>
#include <variant>

#include "core/ProblemData.h"
#include "manual/ManualFigures.h"
#include "manual/ManualLayout.h"
#include "manual/ManualText.h"
#include "print/PrintContext.h"

namespace korvanu {

namespace {

// What a printed page holds, in order: sections by their heading and figures.
using Item = std::variant<const char*, int>;

const std::vector<std::vector<Item>>& PrintedPages() {
  static const std::vector<std::vector<Item>> pages = {
      {"Introduction", 1, "The wall"},
      {"The soil", "Horizontal stress coefficients"},
      {"Stress on the right side", 2},
      {"Stress on the left side", 3, "Spring stiffness"},
      {"Operation of the program", "Sign conventions", 4},
      {"Forces at anchor points", 5, 6},
      {"Axial forces", 7},
      {"Validations", "Test 1", 8, "Test 2"},
      {9, "Test 3", 10, "Test 4", "Literature"},
  };
  return pages;
}

// Arial 10 pt for the body and the figures, bold and bold italic 12 pt.
ManualFonts PrinterFonts(int dpi) {
  const QFont normal = ArialFont(PrinterFontPixels(13, dpi), false, false);
  return {normal, ArialFont(PrinterFontPixels(16, dpi), true, false),
          ArialFont(PrinterFontPixels(16, dpi), true, true), normal};
}

}  // namespace

PrintedManual PrintManual(QPrinter& printer) {
  // The printer canvas of the report serves here too; the manual does not
  // depend on the problem, so it gets an empty one.
  const auto problem = std::make_unique<ProblemData>();
  const PrintOptions options;
  printer.setDocName(TheManual().Title);
  PrintContext context(printer, *problem, options, 0);
  const ManualFonts fonts = PrinterFonts(printer.logicalDpiY());
  const ManualText& text = TheManual();

  context.SelectFont(fonts.Normal);
  const int a = context.TextHeight(QStringLiteral("W"));
  const int P = context.PageWidth();
  const int left = P / 8;
  const int figureHeight = P / 3;
  const QString title = text.Title;

  PrintedManual result;
  int number = 0;
  for (const std::vector<Item>& items : PrintedPages()) {
    ++number;
    context.NewPage();
    if (context.Failed()) return result;
    QPainter& painter = context.Painter();

    ManualLayout layout(4 * a, a);
    if (number == 1) {
      layout.PlaceTitle(text);
    } else {
      context.SelectFont(fonts.Bold);
      context.TextOut(left, 4 * a, title);
      const int x = left + 4 * context.TextWidth(title);
      context.SelectFont(fonts.Normal);
      context.TextOut(x, 4 * a, QStringLiteral("page %1").arg(number));
      layout = ManualLayout(7 * a, a);
    }

    // The sections are laid out in turn and each figure takes the room
    // below the text before it; the lines are printed once all is placed.
    for (const Item& item : items) {
      if (const auto* heading = std::get_if<const char*>(&item)) {
        layout.PlaceSection(text.Section(QString::fromLatin1(*heading)));
        continue;
      }
      const int figure = std::get<int>(item);
      FigureCanvas canvas{painter, FigureMedium::Paper, QSize(P, context.PageHeight()),
                          std::max(1, printer.logicalDpiY() / 96), fonts.Standard};
      const int top = layout.PlaceBlock(figureHeight + a / 2 + a);
      DrawFigure(canvas, figure, QRect(P / 4, top, P / 2, figureHeight), a / 2);
    }
    for (const PlacedLine& line : layout.Lines()) {
      context.SelectFont(fonts.Of(line.Font));
      context.TextOut(left, line.Y, line.Text);
      if (left + context.TextWidth(line.Text) > P - P / 16) result.FitsPages = false;
    }
    if (layout.Bottom() > context.PageHeight()) result.FitsPages = false;
  }
  result.Pages = context.PageNumber();
  result.Printed = context.End();
  return result;
}

}  // namespace korvanu
