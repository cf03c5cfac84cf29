// The page header shared by every printed section.
#include "print/PageFrame.h"

#include <QPainter>
#include <QPen>

namespace korvanu {

const char* const ProgramIdentification =
    "Korvanu 1.0 - analysis of sheet pile walls on elasto-plastic soil springs";

int PageFrame(PrintContext& context, int y) {
  context.SelectFont(context.TitleFont());
  const int h = context.TextHeight(QStringLiteral("W"));
  context.LeftMargin = context.PageWidth() / 20;
  if (y != 0 || !context.Begun()) context.NewPage();

  QPainter& painter = context.Painter();
  if (painter.isActive()) {
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    painter.setBrush(Qt::NoBrush);
  }

  context.TextOut(context.LeftMargin, h, QStringLiteral("Korvanu - Sheet Pile Wall"));

  context.SelectFont(context.TextFont());
  const int page = context.PageNumber() + context.PageOffset();
  context.TextOut(context.PageWidth() - context.TextWidth(QStringLiteral("Page 9999999")), h,
                  QStringLiteral("Page %1").arg(page));

  y = h;
  if (page == 1) {
    y = static_cast<int>(1.25 * h + h);
    context.TextOut(context.LeftMargin, y, QString::fromLatin1(ProgramIdentification));
  }

  y += 2 * h;
  context.SelectFont(context.TitleFont());
  const GeneralData& general = context.Problem().General;
  context.TextOut(context.LeftMargin, y, general.LicensedUser + ", " + general.ProblemName);

  context.SelectFont(context.TextFont());
  return y + 2 * h;
}

}  // namespace korvanu
