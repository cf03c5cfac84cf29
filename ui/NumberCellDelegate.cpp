// Right-aligned cells: the style draws the background, the text is drawn
// without the leading blanks that right-align it in a fixed-width font.
#include "ui/NumberCellDelegate.h"

#include <QApplication>
#include <QPainter>

namespace korvanu {

void NumberCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
  QStyleOptionViewItem cell = option;
  initStyleOption(&cell, index);
  const QString text = cell.text.trimmed();
  cell.text.clear();
  const QWidget* widget = cell.widget;
  QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

  painter->save();
  painter->setClipRect(cell.rect);
  painter->setFont(cell.font);
  painter->setPen(cell.palette.color(QPalette::Text));
  painter->drawText(cell.rect.adjusted(TextMargin, 0, -TextMargin, 0),
                    Qt::AlignRight | Qt::AlignVCenter, text);
  painter->restore();
}

}  // namespace korvanu
