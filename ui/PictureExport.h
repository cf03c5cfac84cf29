// Pictures of a window saved to a file: a drawing routine of the screen run
// on a white area of a chosen size, written as PNG, SVG or PDF.
#pragma once

#include <QSize>
#include <QString>
#include <functional>

class QPainter;

namespace korvanu {

// The filters of the export file dialog, PNG first.
QString PictureFilters();

// Draws with `draw` on a white area of `size` pixels and writes it in the
// format the suffix of `path` names (".svg", ".pdf", PNG otherwise). False
// when the file could not be written.
bool SavePicture(const QString& path, QSize size, const QString& title,
                 const std::function<void(QPainter&)>& draw);

}  // namespace korvanu
