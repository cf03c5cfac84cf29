// The shared printer canvas: lazy document start, page counting, fonts carried
// over by point size, and text placed by the top of its cell.
#include "print/PrintContext.h"

#include <QFontMetrics>
#include <QPrinter>

#include "base/QtText.h"

namespace korvanu {

namespace {

// Rounds a·b/c half away from zero, as the printer drivers scale font sizes.
int ScaleRounded(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  const long long half = c / 2;
  return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

// MS Sans Serif is not on free systems; Liberation Sans keeps its widths close.
QFont WindowsSansFont(bool bold, int pixels) {
  const QString family = QStringLiteral("MS Sans Serif");
  if (QFont::substitutes(family).isEmpty()) {
    QFont::insertSubstitution(family, QStringLiteral("Liberation Sans"));
  }
  QFont font(family);
  font.setBold(bold);
  font.setPixelSize(pixels);
  return font;
}

}  // namespace

QString PrintableText(const std::string& text) {
  return ToQString(text);
}

int PrinterFontPixels(int screenPixels, int dpi) {
  const int points = ScaleRounded(screenPixels, 72, 96);
  return ScaleRounded(points, dpi, 72);
}

PrintContext::PrintContext(QPrinter& printer, const ProblemData& problem,
                           const PrintOptions& options, int pageOffset)
    : printer_(printer),
      problem_(problem),
      ownResults_(std::make_unique<NodeResults>()),
      results_(ownResults_.get()),
      options_(options),
      pageOffset_(pageOffset) {
  const int dpi = printer_.logicalDpiY();
  titleFont_ = WindowsSansFont(true, PrinterFontPixels(13, dpi));
  textFont_ = WindowsSansFont(false, PrinterFontPixels(11, dpi));
  font_ = textFont_;
  LeftMargin = PageWidth() / 20;
}

PrintContext::~PrintContext() {
  if (painter_.isActive()) painter_.end();
}

QPainter& PrintContext::Painter() {
  if (!begun_ && !failed_) {
    if (painter_.begin(&printer_)) {
      begun_ = true;
      pageNumber_ = 1;
      // Every pixel drawn replaces what was there.
      painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
      painter_.setFont(font_);
    } else {
      failed_ = true;
    }
  }
  return painter_;
}

int PrintContext::PageWidth() const {
  return printer_.width();
}
int PrintContext::PageHeight() const {
  return printer_.height();
}

void PrintContext::NewPage() {
  if (!begun_) {
    Painter();
    return;
  }
  if (printer_.newPage()) ++pageNumber_;
}

void PrintContext::SelectFont(const QFont& font) {
  font_ = font;
  if (painter_.isActive()) painter_.setFont(font_);
}

int PrintContext::TextWidth(const QString& text) const {
  return QFontMetrics(font_, &printer_).horizontalAdvance(text);
}

int PrintContext::TextHeight(const QString& text) const {
  (void)text;  // the height of the character cell, the same for every text
  return QFontMetrics(font_, &printer_).height();
}

void PrintContext::TextOut(int x, int y, const QString& text) {
  QPainter& painter = Painter();
  if (!painter.isActive()) return;
  painter.setFont(font_);
  painter.drawText(x, y + QFontMetrics(font_, &printer_).ascent(), text);
}

void PrintContext::TextOut(int x, int y, const std::string& text) {
  TextOut(x, y, PrintableText(text));
}

void PrintContext::NumberOut(int x, int y, const std::string& number) {
  QString full = QString::fromLatin1(number);
  for (QChar& c : full) {
    if (c == QLatin1Char(' ') || c == QLatin1Char('-') || c == QLatin1Char('+'))
      c = QLatin1Char('0');
  }
  const QString text = QString::fromLatin1(number).trimmed();
  TextOut(x + TextWidth(full) - TextWidth(text), y, text);
}

bool PrintContext::End() {
  if (!begun_) return !failed_;
  begun_ = false;
  return painter_.end();
}

}  // namespace korvanu
