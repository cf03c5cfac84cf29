// Reading the manual's text resource. The text is part of the program, so a
// malformed resource is a programming error, caught by the assertions and
// by the tests of the shipped text.
#include "manual/ManualText.h"

#include <QFile>

#include "core/Check.h"

namespace korvanu {

const ManualSection& ManualText::Section(const QString& heading) const {
  for (const ManualPage& page : Pages)
    for (const ManualSection& section : page.Sections)
      if (section.Heading == heading) return section;
  KORVANU_CHECK(false && "no section with this heading in the manual");
  return Pages.front().Sections.front();
}

QStringList ManualText::Headings() const {
  QStringList headings;
  for (const ManualPage& page : Pages)
    for (const ManualSection& section : page.Sections) headings.append(section.Heading);
  return headings;
}

ManualText ParseManualText(const QString& source) {
  ManualText text;
  bool paragraph = false;
  for (const QString& line : source.split(QLatin1Char('\n'))) {
    if (line.startsWith(QLatin1Char('#'))) continue;
    if (line.trimmed().isEmpty()) {
      paragraph = true;
      continue;
    }
    const auto keyword = [&line](const char* word) {
      return line.startsWith(QLatin1Char('@') + QLatin1String(word) + QLatin1Char(' ')) ||
             line == QLatin1Char('@') + QLatin1String(word);
    };
    const auto argument = [&line] { return line.section(QLatin1Char(' '), 1).trimmed(); };
    if (keyword("title")) {
      text.Title = argument();
    } else if (keyword("identification")) {
      text.Identification = argument();
    } else if (keyword("page")) {
      text.Pages.emplace_back();
    } else if (keyword("heading")) {
      KORVANU_CHECK(!text.Pages.empty() && "a heading before the first page");
      text.Pages.back().Sections.push_back({argument(), {}});
    } else {
      KORVANU_CHECK(!text.Pages.empty() && !text.Pages.back().Sections.empty() &&
                    "a body line before the first heading");
      std::vector<ManualLine>& lines = text.Pages.back().Sections.back().Lines;
      lines.push_back({line, paragraph && !lines.empty()});
    }
    paragraph = false;
  }
  return text;
}

const ManualText& TheManual() {
  static const ManualText manual = [] {
    QFile file(QStringLiteral(":/manual/ManualText.txt"));
    const bool opened = file.open(QIODevice::ReadOnly);
    KORVANU_CHECK(opened && "the manual's text is missing from the resources");
    ManualText text = ParseManualText(QString::fromUtf8(file.readAll()));
    KORVANU_CHECK(text.Pages.size() == ManualPageCount);
    return text;
  }();
  return manual;
}

}  // namespace korvanu
