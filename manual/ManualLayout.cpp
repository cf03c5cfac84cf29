// The line placement of the manual's pages.
#include "manual/ManualLayout.h"

#include <algorithm>

namespace korvanu {

QFont ArialFont(int pixels, bool bold, bool italic) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

const QFont& ManualFonts::Of(ManualFont font) const {
  switch (font) {
    case ManualFont::Bold:
      return Bold;
    case ManualFont::BoldItalic:
      return BoldItalic;
    case ManualFont::Normal:
      break;
  }
  return Normal;
}

void ManualLayout::Place(ManualFont font, int y, const QString& text) {
  lines_.push_back({font, y, text});
  bottom_ = std::max(bottom_, y + e_);
}

void ManualLayout::PlaceTitle(const ManualText& text) {
  Place(ManualFont::Bold, y_, text.Title);
  Place(ManualFont::BoldItalic, y_ + 2 * e_, text.Identification);
  y_ += 4 * e_;
}

void ManualLayout::PlaceSection(const ManualSection& section) {
  Place(ManualFont::Bold, y_, section.Heading);
  int y = y_ + 2 * e_;
  bool first = true;
  for (const ManualLine& line : section.Lines) {
    if (!first) y += line.StartsParagraph ? static_cast<int>(1.4 * e_) : e_;
    Place(ManualFont::Normal, y, line.Text);
    first = false;
  }
  y_ = (section.Lines.empty() ? y_ : y) + 2 * e_;
}

int ManualLayout::PlaceBlock(int height) {
  // A block comes half a line below the last line, and the text goes on 2e
  // below the block.
  const int top = y_ - e_ / 2;
  bottom_ = std::max(bottom_, top + height);
  y_ = top + height + 2 * e_;
  return top;
}

std::vector<PlacedLine> LayOutScreenPage(const ManualText& text, int page, int y, int e,
                                         int* bottom) {
  ManualLayout layout(y, e);
  if (page == 1) layout.PlaceTitle(text);
  for (const ManualSection& section : text.Pages.at(page - 1).Sections)
    layout.PlaceSection(section);
  if (bottom != nullptr) *bottom = layout.Bottom();
  return layout.Lines();
}

}  // namespace korvanu
