// Draws the toolbar images once into PNG files (run by hand when an image
// changes; the PNGs are shipped as resources): make-icons <folder>.
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

constexpr int S = 18;

void Save(const QString& folder, const char* name, const std::function<void(QPainter&)>& draw) {
  QImage image(S, S, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  draw(p);
  p.end();
  image.save(QDir(folder).filePath(QStringLiteral("%1.png").arg(QLatin1String(name))));
}

void Sheet(QPainter& p, const QColor& fill) {
  QPainterPath path;
  path.moveTo(4, 1);
  path.lineTo(11, 1);
  path.lineTo(15, 5);
  path.lineTo(15, 17);
  path.lineTo(4, 17);
  path.closeSubpath();
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(fill);
  p.drawPath(path);
  p.drawLine(11, 1, 11, 5);
  p.drawLine(11, 5, 15, 5);
}

void Letter(QPainter& p, const QString& text, const QColor& colour, int size = 11) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(size);
  font.setBold(true);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(QRect(0, 0, S, S), Qt::AlignCenter, text);
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  const QColor brown(150, 100, 40), sand(230, 200, 120), steel(70, 90, 130);

  Save(folder, "open", [](QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(240, 200, 60));
    p.drawRect(1, 5, 15, 11);
    p.setBrush(QColor(255, 230, 120));
    p.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(17, 8), QPointF(15, 16), QPointF(1, 16)}));
  });
  Save(folder, "new", [](QPainter& p) { Sheet(p, Qt::white); });
  Save(folder, "save", [](QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(40, 60, 160));
    p.drawRect(1, 1, 16, 16);
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 10, 6);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(4, 10, 10, 7);
  });
  Save(folder, "print", [](QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(5, 1, 8, 7);
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(1, 7, 16, 7);
    p.setBrush(Qt::white);
    p.drawRect(5, 12, 8, 5);
  });
  Save(folder, "options", [](QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    for (int y : {2, 8, 14}) p.drawRect(2, y, 4, 3);
    p.setPen(QPen(QColor(0, 120, 0), 2));
    p.drawLine(3, 4, 5, 1);
    p.drawLine(3, 10, 5, 7);
    p.setPen(QPen(Qt::black, 1));
    for (int y : {3, 9, 15}) p.drawLine(8, y, 16, y);
  });
  Save(folder, "layers", [=](QPainter& p) {
    p.setPen(Qt::NoPen);
    const QColor colours[] = {sand, brown, QColor(120, 160, 80), QColor(110, 110, 110)};
    for (int i = 0; i < 4; ++i) {
      p.setBrush(colours[i]);
      p.drawRect(1, 1 + 4 * i, 16, 4);
    }
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(1, 1, 16, 16);
  });
  Save(folder, "anchors", [=](QPainter& p) {
    p.setPen(QPen(steel, 3));
    p.drawLine(4, 1, 4, 17);
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(4, 6, 16, 13);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(15, 13), 2, 2);
  });
  Save(folder, "axial", [=](QPainter& p) {
    p.setPen(QPen(steel, 3));
    p.drawLine(9, 8, 9, 17);
    p.setPen(QPen(Qt::red, 1.5));
    p.setBrush(Qt::red);
    p.drawLine(9, 0, 9, 6);
    p.drawPolygon(QPolygonF({QPointF(6, 4), QPointF(12, 4), QPointF(9, 8)}));
  });
  Save(folder, "profiles", [=](QPainter& p) {
    p.setPen(QPen(steel, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(1, 5), QPointF(5, 5), QPointF(7, 13), QPointF(11, 13),
                              QPointF(13, 5), QPointF(17, 5)}));
  });
  Save(folder, "sections", [=](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(sand);
    p.drawRect(1, 6, 7, 11);
    p.drawRect(10, 2, 7, 15);
    p.setBrush(steel);
    p.drawRect(8, 1, 2, 16);
  });
  Save(folder, "compute", [](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 150, 0));
    p.drawPolygon(QPolygonF({QPointF(4, 2), QPointF(16, 9), QPointF(4, 16)}));
  });
  Save(folder, "tables", [](QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 16, 14);
    p.fillRect(2, 3, 15, 3, QColor(0, 0, 160));
    for (int y : {9, 12}) p.drawLine(1, y, 17, y);
    p.drawLine(7, 2, 7, 16);
    p.drawLine(12, 2, 12, 16);
  });
  Save(folder, "graphs", [](QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(2, 1, 2, 16);
    p.drawLine(2, 16, 17, 16);
    p.setPen(QPen(Qt::red, 1.5));
    p.setBrush(Qt::NoBrush);
    QPainterPath curve;
    curve.moveTo(3, 14);
    curve.cubicTo(7, 0, 11, 20, 16, 3);
    p.drawPath(curve);
  });
  Save(folder, "manual", [](QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(160, 30, 30));
    p.drawRect(3, 1, 12, 16);
    p.setBrush(Qt::white);
    p.drawRect(5, 3, 8, 4);
  });
  Save(folder, "design", [&](QPainter& p) {
    // A sheet with a tick: the design checks.
    Sheet(p, Qt::white);
    p.setPen(QPen(QColor(0, 140, 0), 2.5));
    p.drawLine(6, 10, 9, 14);
    p.drawLine(9, 14, 14, 6);
  });
  Save(folder, "help", [](QPainter& p) {
    p.setPen(QPen(QColor(0, 0, 128), 1));
    p.setBrush(QColor(255, 255, 200));
    p.drawEllipse(1, 1, 16, 16);
    Letter(p, QStringLiteral("?"), QColor(0, 0, 128), 12);
  });
  Save(folder, "quit", [](QPainter& p) {
    p.setPen(QPen(QColor(180, 0, 0), 2.5));
    p.drawLine(4, 4, 14, 14);
    p.drawLine(14, 4, 4, 14);
  });
  return 0;
}
