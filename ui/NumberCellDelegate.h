// How a grid of numbers draws its cells: right-aligned with a margin of one
// pixel, so that the digits of a column line up whatever the width of the
// font's blanks, and a number of eleven characters fits a 65-pixel column.
#pragma once

#include <QStyledItemDelegate>

namespace korvanu {

class NumberCellDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  // Space between the text and each side of its cell.
  static constexpr int TextMargin = 1;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace korvanu
