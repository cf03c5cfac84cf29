// Writing a drawing as PNG, SVG or PDF.
#include "ui/PictureExport.h"

#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace korvanu {

namespace {

// Pixels per inch of the pictures, as on the screen the drawings were made
// for: text keeps its size against the lines.
constexpr int PictureResolution = 96;

bool Draw(QPaintDevice& device, QSize size, const std::function<void(QPainter&)>& draw) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
  draw(painter);
  return painter.end();
}

}  // namespace

QString PictureFilters() {
  return QStringLiteral("PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)");
}

bool SavePicture(const QString& path, QSize size, const QString& title,
                 const std::function<void(QPainter&)>& draw) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("svg")) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(PictureResolution);
    svg.setTitle(title);
    return Draw(svg, size, draw) && QFileInfo(path).size() > 0;
  }
  if (suffix == QLatin1String("pdf")) {
    QPdfWriter pdf(path);
    pdf.setResolution(PictureResolution);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setPageSize(QPageSize(QSizeF(size) * 72.0 / PictureResolution, QPageSize::Point));
    pdf.setTitle(title);
    return Draw(pdf, size, draw);
  }
  QImage image(size, QImage::Format_RGB32);
  image.setDotsPerMeterX(qRound(PictureResolution / 0.0254));
  image.setDotsPerMeterY(qRound(PictureResolution / 0.0254));
  return Draw(image, size, draw) && image.save(path, "PNG");
}

}  // namespace korvanu
