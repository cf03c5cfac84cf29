// The text of the manual, read once from the program's resource: the title,
// the identification line and eleven screen pages of headed sections.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace korvanu {

constexpr int ManualPageCount = 11;

struct ManualLine {
  QString Text;
  bool StartsParagraph = false;  // set 1.4 lines below the one before
};

struct ManualSection {
  QString Heading;
  std::vector<ManualLine> Lines;
};

struct ManualPage {
  std::vector<ManualSection> Sections;
};

struct ManualText {
  QString Title;
  QString Identification;
  std::vector<ManualPage> Pages;

  // The section under a heading; an unknown heading is a programming error.
  const ManualSection& Section(const QString& heading) const;
  QStringList Headings() const;
};

// Reads the text format of ManualText.txt (see its opening comment).
ManualText ParseManualText(const QString& source);

// The manual of the program, parsed at the first call.
const ManualText& TheManual();

}  // namespace korvanu
