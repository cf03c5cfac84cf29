// The design summary section: a title and the summary's lines in a
// fixed-pitch font, so that its columns stand as they do on the command line,
// made small enough for the widest line to fit between the margins.
#include "print/PrintedDesign.h"

#include <QFontDatabase>
#include <QStringList>
#include <algorithm>

#include "analysis/DesignChecks.h"
#include "analysis/DesignText.h"
#include "print/PageFrame.h"

namespace korvanu {

int PrintDesignSummary(PrintContext& context, int y, const DesignSearches* searches) {
  const ProblemData& problem = context.Problem();
  const DesignSummary summary = SummariseDesign(problem, problem.Design);
  const std::vector<Verdict> verdicts = DesignVerdicts(summary, searches);
  QStringList lines = QString::fromUtf8(DesignReportText(problem, summary, searches, verdicts))
                          .split(QLatin1Char('\n'));
  // A blank line at the end would open a page of its own.
  while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  // The checks and their verdict stand on one page.
  qsizetype together = lines.lastIndexOf(QStringLiteral("Checks"));
  if (together < 0) together = std::max<qsizetype>(0, lines.size() - 3);

  context.SelectFont(context.TitleFont());
  const int h = context.TextHeight(QStringLiteral("W"));
  const int bottom = context.PageHeight() - h;
  if (y == 0 || y > bottom - 8 * h) y = PageFrame(context, y);
  context.SelectFont(context.TitleFont());
  context.TextOut(context.LeftMargin, y, std::string("Design Summary :"));
  y += 2 * h;

  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setPixelSize(context.TextFont().pixelSize() > 0 ? context.TextFont().pixelSize()
                                                        : context.TextHeight(QStringLiteral("W")));
  context.SelectFont(fixed);
  int widest = 1;
  for (const QString& line : lines) widest = std::max(widest, context.TextWidth(line));
  const int room = context.PageWidth() - 2 * context.LeftMargin;
  if (widest > room) {
    fixed.setPixelSize(std::max(1, fixed.pixelSize() * room / widest));
    context.SelectFont(fixed);
  }
  const int lineHeight = context.TextHeight(QStringLiteral("W"));
  for (qsizetype k = 0; k < lines.size(); ++k) {
    const qsizetype keep = k == together ? lines.size() - k : 1;
    if (y + keep * lineHeight > bottom && (k > 0 || keep == 1)) {
      y = PageFrame(context, y);
      context.SelectFont(fixed);
    }
    if (!lines[k].isEmpty()) context.TextOut(context.LeftMargin, y, lines[k]);
    y += lineHeight;
  }
  context.SelectFont(context.TextFont());
  return y + h;
}

}  // namespace korvanu
