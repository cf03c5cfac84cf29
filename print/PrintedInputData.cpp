// The input-data sections of the printed report.
#include "print/PrintedInputData.h"

#include "core/TextFormat.h"
#include "print/PageFrame.h"

namespace korvanu {

int PrintGeneralData(PrintContext& context, int y) {
  context.SelectFont(context.TitleFont());
  const int h = context.TextHeight(QStringLiteral("W"));
  y = PageFrame(context, y);

  context.SelectFont(context.TitleFont());
  context.TextOut(context.LeftMargin, y, QStringLiteral("General Data"));
  context.SelectFont(context.TextFont());
  const int xv =
      context.LeftMargin + context.TextWidth(QStringLiteral("Number of loading steps aaa"));

  const GeneralData& general = context.Problem().General;
  const struct {
    const char* caption;
    std::string value;
  } lines[] = {
      {"Licensed User", ": " + general.LicensedUser},
      {"File Name", ": " + general.FileName},
      {"Problem Name", ": " + general.ProblemName},
      {"Length (m)", Format(": %5.3f", general.Length)},
      {"Number of Elements", Format(": %d", general.NN)},
      {"Number of Layers", Format(": %d", general.NL)},
      {"Number of Loading Steps", Format(": %d", general.NT)},
      {"Profile from Catalogue", Format(": %d", general.NP)},
  };
  y += 2 * h;
  bool first = true;
  for (const auto& line : lines) {
    if (!first) y += h;
    first = false;
    context.TextOut(context.LeftMargin, y, QString::fromLatin1(line.caption));
    context.TextOut(xv, y, line.value);
  }
  return y + 2 * h;
}

// The layer data of every step and side join with their own change.
int PrintLayerData(PrintContext& context, int y) {
  (void)context;
  return y;
}

// The anchors and lateral forces of every step join with their own change.
int PrintAnchorData(PrintContext& context, int y) {
  (void)context;
  return y;
}

// The axial forces and top moment of every step join with their own change.
int PrintAxialData(PrintContext& context, int y) {
  (void)context;
  return y;
}

// The profile catalogue joins with its own change.
int PrintCatalogue(PrintContext& context, int y) {
  (void)context;
  return y;
}

}  // namespace korvanu
