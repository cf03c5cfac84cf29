// The input-data sections of the printed report.
#include "print/PrintedInputData.h"

#include <algorithm>
#include <span>

#include "core/EarthPressure.h"
#include "core/TextFormat.h"
#include "print/PageFrame.h"

namespace korvanu {

namespace {

// The lines of a section flowing down the pages: h apart, a new page when a
// line would begin below the bottom. The text is in TextFont.
class SectionLines {
 public:
  // Measures h in TitleFont, begins a new page when y is 0 or fewer than ten
  // lines are left, and prints the title.
  SectionLines(PrintContext& context, int y, const char* title) : context_(context) {
    context.SelectFont(context.TitleFont());
    h_ = context.TextHeight(QStringLiteral("W"));
    bottom_ = context.PageHeight() - h_;
    y_ = y;
    if (y_ == 0 || y_ > bottom_ - 10 * h_) y_ = PageFrame(context, y_);
    context.SelectFont(context.TitleFont());
    context.TextOut(context.LeftMargin, y_, QString::fromLatin1(title));
    context.SelectFont(context.TextFont());
  }

  // Moves `lines` lines down; a new page when the line there and the
  // `following` lines below it would not all begin above the bottom.
  void Down(int lines, int following = 0) {
    y_ += lines * h_;
    if (y_ + following * h_ > bottom_) y_ = PageFrame(context_, y_);
  }

  void Text(int x, const QString& text) { context_.TextOut(x, y_, text); }
  void Text(int x, const std::string& text) { context_.TextOut(x, y_, text); }
  void Number(int x, const std::string& number) { context_.NumberOut(x, y_, number); }

  // Where the section leaves the next one.
  int End() const { return y_ + 2 * h_; }

 private:
  PrintContext& context_;
  int h_ = 0;
  int bottom_ = 0;
  int y_ = 0;
};

int Width(const PrintContext& context, const char* sample) {
  return context.TextWidth(QString::fromLatin1(sample));
}

// A caption placed a fraction of d to the right of its column.
int At(int column, double fraction, int d) {
  return column + static_cast<int>(fraction * d);
}

// A column with its caption and unit, each a fraction of d to the right.
struct Heading {
  int column;
  const char* caption;
  double captionAt;
  const char* unit;
  double unitAt;
};

// The caption line at the current line and the unit line below it.
void HeadingLines(SectionLines& lines, std::span<const Heading> headings, int d) {
  for (const Heading& heading : headings)
    lines.Text(At(heading.column, heading.captionAt, d), std::string(heading.caption));
  lines.Down(1);
  for (const Heading& heading : headings)
    lines.Text(At(heading.column, heading.unitAt, d), std::string(heading.unit));
}

// The column positions of the anchor and the axial force tables.
struct ForceColumns {
  int xA, xB, x1, x2, d;
};

ForceColumns MeasureForceColumns(const PrintContext& context) {
  ForceColumns columns{};
  columns.xA = context.LeftMargin + Width(context, "99");
  columns.xB = columns.xA + Width(context, "9999");
  const int c = Width(context, "1234567.123");
  columns.x1 = columns.xB + c;
  columns.x2 = columns.x1 + c;
  columns.d = Width(context, "9999");
  return columns;
}

void ForceRow(SectionLines& lines, const ForceColumns& columns, int number, double a, double b,
              double c) {
  lines.Number(columns.xA, Format("%3d", number));
  lines.Number(columns.xB, Format("%12.3f", a));
  lines.Number(columns.x1, Format("%12.3f", b));
  lines.Number(columns.x2, Format("%12.3f", c));
}

}  // namespace

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

int PrintLayerData(PrintContext& context, int y) {
  SectionLines lines(context, y, "Data of Layers");
  const int xA = context.LeftMargin + Width(context, "99");
  const int xB = xA + Width(context, "999");
  const int c = Width(context, "1234.123");
  int x[12];
  x[1] = xB + c;
  for (int k = 2; k <= 11; ++k) x[k] = x[k - 1] + c;
  const int d = Width(context, "9999");

  const Heading heads[] = {
      {xB, "Top", 0.6, "(m)", 0.6},      {x[1], "Bottom", 0.3, "(m)", 0.7},
      {x[2], "Wd", 0.7, "(kN/m³)", 0.2}, {x[3], "Ws", 0.7, "(kN/m³)", 0.2},
      {x[4], "Zw", 0.7, "(m)", 0.7},     {x[5], "Cap", 0.6, "(m)", 0.7},
      {x[6], "q", 0.8, "(kN/m²)", 0.2},  {x[7], "c", 0.8, "(kN/m²)", 0.2},
      {x[8], "Ka", 0.7, "(-)", 0.7},     {x[9], "Kp", 0.7, "(-)", 0.7},
      {x[10], "Kn", 0.7, "(-)", 0.7},    {x[11], "Dw", 0.7, "(m)", 0.7},
  };

  const ProblemData& problem = context.Problem();
  const int NT = std::clamp(problem.General.NT, 0, MaxSteps);
  const int NL = std::clamp(problem.General.NL, 0, MaxLayers);
  for (int s = 0; s <= NT; ++s) {
    for (const Side side : {Side::Left, Side::Right}) {
      if (side == Side::Left) {
        // The step, its captions and a first row stay together.
        lines.Down(2, 3);
        lines.Text(context.LeftMargin, Format("Step %d, Left side", s));
      } else {
        lines.Down(1);
        lines.Text(context.LeftMargin, Format("Step %d, Right side", s));
      }
      lines.Down(1);
      lines.Text(context.LeftMargin, std::string(" Layer"));
      HeadingLines(lines, heads, d);
      for (int j = 0; j < NL; ++j) {
        lines.Down(1);
        const LayerProperties& p = problem.Layer(j, s, side);
        const double values[12] = {
            problem.Z[j], problem.Z[j + 1], p.Wd, p.Ws, p.Zw, p.Cap, p.q, p.c, p.Ka, p.Kp, p.Kn,
            p.Dw};
        lines.Number(xA, Format("%3d", j + 1));
        for (int k = 0; k < 12; ++k) lines.Number(heads[k].column, Format("%8.3f", values[k]));
      }
      // Where the coefficients came from, for the layers derived from their
      // strength.
      for (int j = 0; j < NL; ++j) {
        const std::optional<SoilStrength>& strength = problem.Strength(j, s, side);
        if (!strength) continue;
        lines.Down(1);
        lines.Text(xA, Format("%3d", j + 1));
        lines.Text(xB, QString::fromUtf8(StrengthSummary(*strength).c_str()));
      }
    }
  }
  return lines.End();
}

int PrintAnchorData(PrintContext& context, int y) {
  SectionLines lines(context, y, "Data of Anchors and Lateral Forces");
  const ForceColumns columns = MeasureForceColumns(context);
  const Heading heads[] = {{columns.xB, "Fx", 1.0, "(kN/m)", 0.7},
                           {columns.x1, "Fa", 1.0, "(kN/m)", 0.7},
                           {columns.x2, "Fw", 1.0, "(m)", 1.0}};

  const ProblemData& problem = context.Problem();
  const int NT = std::clamp(problem.General.NT, 0, MaxSteps);
  const int NL = std::clamp(problem.General.NL, 0, MaxLayers);
  for (int s = 0; s <= NT; ++s) {
    lines.Down(2);
    lines.Text(context.LeftMargin, Format("Step %d :", s));
    lines.Down(1);
    lines.Text(context.LeftMargin, std::string(" Point"));
    HeadingLines(lines, heads, columns.d);
    for (int p = 0; p <= NL; ++p) {
      lines.Down(1);
      const AnchorRecord& anchor = problem.Anchors[s][p];
      ForceRow(lines, columns, p, anchor.Fx, anchor.Fa, anchor.Fw);
    }
  }
  return lines.End();
}

int PrintAxialData(PrintContext& context, int y) {
  SectionLines lines(context, y, "Data of Axial Forces and Moment");
  const ForceColumns columns = MeasureForceColumns(context);
  const Heading heads[] = {{columns.xB, "NA", 1.0, "(kN/m)", 0.7},
                           {columns.x1, "NB", 1.0, "(kN/m)", 0.7},
                           {columns.x2, "MA", 1.0, "(kNm/m)", 0.7}};

  lines.Down(2);
  lines.Text(context.LeftMargin, std::string(" Step"));
  HeadingLines(lines, heads, columns.d);

  const ProblemData& problem = context.Problem();
  const int NT = std::clamp(problem.General.NT, 0, MaxSteps);
  for (int s = 0; s <= NT; ++s) {
    lines.Down(1);
    const AxialRecord& axial = problem.Axial[s];
    ForceRow(lines, columns, s, axial.NA, axial.NB, axial.MA);
  }
  return lines.End();
}

int PrintCatalogue(PrintContext& context, int y) {
  SectionLines lines(context, y, "Catalogue of Profiles");
  const int xA = context.LeftMargin + Width(context, "99");
  const int xB = xA + Width(context, "99");
  const int n = Width(context, "012345678901234567890");
  const int x1 = xB + n;
  const int c = Width(context, "12345678.123");
  const int x2 = x1 + c;
  const int x3 = static_cast<int>(x2 + 1.3 * c);
  const int x4 = x3 + c;
  const int x5 = x4 + c;
  const int x6 = x5 + c;
  const int d = Width(context, "9999");

  lines.Down(2);
  lines.Text(xA, std::string("No"));
  lines.Text(xB + d, std::string("Profile Name"));
  const Heading heads[] = {
      {x1, "Area", 0.6, "(m²/m)", 0.4}, {x2, "Weight", 0.4, "(kN/m³)", 0.3},
      {x3, "E", 1.0, "(GN/m²)", 0.4},   {x4, "h", 1.0, "(m)", 0.8},
      {x5, "i", 1.0, "(m)", 0.8},       {x6, "EI", 1.0, "(kNm²/m)", 0.3},
  };
  HeadingLines(lines, heads, d);

  for (int k = 0; k < MaxProfiles; ++k) {
    lines.Down(1);
    const Profile& profile = context.Problem().Catalogue[k];
    // Every name takes exactly 20 characters: blanks after a short one, a
    // long one cut.
    const QString name = PrintableText(profile.Name).leftJustified(20, QLatin1Char(' '), true);
    lines.Number(xA, Format("%3d", k + 1));
    lines.Text(xB + d, name);
    lines.Number(x1, Format("%10.6f", profile.Area));
    lines.Number(x2, Format("%10.3f", profile.Weight));
    lines.Number(x3, Format("%10.3f", profile.E));
    lines.Number(x4, Format("%10.6f", profile.h));
    lines.Number(x5, Format("%10.6f", profile.i));
    lines.Number(x6, Format("%10.1f", profile.EI));
  }
  return lines.End();
}

}  // namespace korvanu
