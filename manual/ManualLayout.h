// Where the lines of the manual go: the same rules on the screen and on
// paper, in units of the body line height e. A heading is followed by its
// text 2e lower, body lines are e apart and a new paragraph 1.4e, and a
// further heading comes 2e below the last line.
#pragma once

#include <QFont>
#include <QString>
#include <vector>

#include "manual/ManualText.h"

namespace korvanu {

enum class ManualFont {
  Normal,      // body text: Arial 8 pt on the screen, 10 pt on paper
  Bold,        // title and headings: Arial bold 12 pt
  BoldItalic,  // the identification line: Arial bold italic 12 pt
};

// Arial at a pixel size, as the manual's fonts are.
QFont ArialFont(int pixels, bool bold, bool italic);

struct ManualFonts {
  QFont Normal;
  QFont Bold;
  QFont BoldItalic;
  QFont Standard;  // the figures' labels and captions

  const QFont& Of(ManualFont font) const;
};

struct PlacedLine {
  ManualFont Font;
  int Y;  // top of the line's character cell
  QString Text;
};

class ManualLayout {
 public:
  // Lines of height e from y, the top of the first heading or title.
  ManualLayout(int y, int e) : y_(y), e_(e) {}

  // The title, the identification line and the first heading of page 1.
  void PlaceTitle(const ManualText& text);
  void PlaceSection(const ManualSection& section);
  // Room for something of the given height below the last line; returns its top.
  int PlaceBlock(int height);

  const std::vector<PlacedLine>& Lines() const { return lines_; }
  // The top of the next heading if one were placed now.
  int NextY() const { return y_; }
  // The bottom of the lowest line or block placed.
  int Bottom() const { return bottom_; }

 private:
  void Place(ManualFont font, int y, const QString& text);

  int y_;
  int e_;
  int bottom_ = 0;
  std::vector<PlacedLine> lines_;
};

// Page k (1..11) of the screen from y with line height e.
std::vector<PlacedLine> LayOutScreenPage(const ManualText& text, int page, int y, int e,
                                         int* bottom = nullptr);

}  // namespace korvanu
