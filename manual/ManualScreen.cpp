// The screen page of the manual.
#include "manual/ManualScreen.h"

#include <QFontMetrics>
#include <QPainter>

#include "base/WindowColors.h"
#include "manual/ManualFigures.h"
#include "manual/ManualLayout.h"
#include "manual/ManualText.h"

namespace korvanu {

namespace {

constexpr int FigureLeft = 542;
constexpr int FigureTop = 100;
constexpr int FigureHeight = FigureDesignHeight;
constexpr int TextLeft = 13;
constexpr int TextTop = 43;

}  // namespace

QRect FigureBox(int clientWidth, int position) {
  const int top = FigureTop + position * static_cast<int>(1.4 * FigureHeight);
  return {FigureLeft, top, clientWidth - FigureLeft - 10, FigureHeight};
}

const ManualFonts& ScreenFonts() {
  static const ManualFonts fonts = [] {
    QFont standard(QStringLiteral("MS Sans Serif"));
    standard.setPixelSize(11);
    return ManualFonts{ArialFont(11, false, false), ArialFont(16, true, false),
                       ArialFont(16, true, true), standard};
  }();
  return fonts;
}

std::vector<int> FiguresOfPage(int page) {
  static const std::vector<int> sets[ManualPageCount] = {{1}, {1},    {1}, {2, 3}, {2, 3}, {1},
                                                         {4}, {5, 6}, {7}, {8},    {9, 10}};
  return sets[page - 1];
}

void DrawScreenFigure(QPainter& painter, int figure, int position, int clientWidth) {
  const QRect box = FigureBox(clientWidth, position);
  // The first figure wipes the whole figure area, a second one its own part;
  // the wipe starts right of the text page, under which wide captions reach.
  const int wipeTop = box.top();
  const int wipeBottom = FigureTop + static_cast<int>(2.6 * FigureHeight);
  const int wipeLeft = ManualTextPage.right() + 1;
  painter.fillRect(QRect(wipeLeft, wipeTop, clientWidth - wipeLeft, wipeBottom - wipeTop),
                   colors::Aqua);
  FigureCanvas canvas{painter, FigureMedium::Screen, {}, 1, ScreenFonts().Standard};
  painter.save();
  painter.setClipRect(QRect(wipeLeft, 0, clientWidth - wipeLeft, ManualClientHeight * 4));
  DrawFigure(canvas, figure, box, 8);
  painter.restore();
}

void DrawManualScreen(QPainter& painter, int page, int clientWidth) {
  const ManualFonts& fonts = ScreenFonts();
  const int e = QFontMetrics(fonts.Normal).height();
  painter.save();
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(colors::Yellow);
  painter.drawRect(ManualTextPage.adjusted(0, 0, -1, -1));
  for (const PlacedLine& line : LayOutScreenPage(TheManual(), page, TextTop, e)) {
    const QFont& font = fonts.Of(line.Font);
    painter.setFont(font);
    painter.drawText(TextLeft, line.Y + QFontMetrics(font).ascent(), line.Text);
  }
  painter.restore();

  const std::vector<int> figures = FiguresOfPage(page);
  for (std::size_t k = 0; k < figures.size(); ++k)
    DrawScreenFigure(painter, figures[k], static_cast<int>(k), clientWidth);
}

}  // namespace korvanu
