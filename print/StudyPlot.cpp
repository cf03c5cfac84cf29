// The study's charts on the printer canvas of the report: each page framed by
// PageFrame, six charts a page, drawn in device units scaled from the page.
#include "print/StudyPlot.h"

#include <QPageSize>
#include <QPainterPath>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "base/OffscreenApplication.h"
#include "core/TextFormat.h"
#include "print/OutputGraphDrawing.h"
#include "print/PageFrame.h"
#include "print/PrintContext.h"
#include "print/PrintJob.h"

namespace korvanu {

namespace {

constexpr int ChartColumns = 2;
constexpr int ChartRows = 3;
constexpr int ChartsPerPage = ChartColumns * ChartRows;

struct Range {
  double Low = 0.0;
  double High = 1.0;
};

// A value range widened to whole steps of 1, 2 or 5 times a power of ten,
// about five of them.
struct Ticks {
  double First = 0.0, Step = 1.0;
  int Count = 1;
  int Decimals = 0;
};

Ticks NiceTicks(Range& range) {
  if (!(range.High > range.Low)) {
    const double half = range.Low == 0.0 ? 1.0 : 0.05 * std::fabs(range.Low);
    range = {range.Low - half, range.Low + half};
  }
  const double rough = (range.High - range.Low) / 5.0;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  const double fraction = rough / power;
  const double step = (fraction < 1.5   ? 1.0
                       : fraction < 3.5 ? 2.0
                       : fraction < 7.5 ? 5.0
                                        : 10.0) *
                      power;
  Ticks ticks;
  ticks.Step = step;
  ticks.First = std::floor(range.Low / step + 1e-9) * step;
  const double last = std::ceil(range.High / step - 1e-9) * step;
  ticks.Count = static_cast<int>(std::lround((last - ticks.First) / step)) + 1;
  ticks.Decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
  range = {ticks.First, last};
  return ticks;
}

// Where a chart's values land on the page.
struct ChartArea {
  QRect Plot;
  Range X, Y;
  int XAt(double v) const {
    return Plot.left() + ToDevice((v - X.Low) / (X.High - X.Low) * Plot.width());
  }
  int YAt(double v) const {
    return Plot.bottom() - ToDevice((v - Y.Low) / (Y.High - Y.Low) * Plot.height());
  }
};

QString Text(const std::string& text) {
  return PrintableText(text);
}

class PlotPages {
 public:
  PlotPages(PrintContext& context, const StudyResults& study)
      : context_(context), study_(study), painter_(context.Painter()) {
    line_ = std::max(1, context.PageWidth() / 1200);
    mark_ = std::max(3, context.PageWidth() / 240);
  }

  void Sweeps();
  void Histograms();
  void Tornados();

 private:
  // The next free chart box, on a new page with `caption` when the page is full.
  QRect NextBox(const QString& caption);
  ChartArea Axes(const QRect& box, const QString& title, const QString& xLabel, Range x, Range y,
                 bool yTicks = true);
  void Cross(int x, int y);
  void Dot(int x, int y);
  // A dashed line across the chart: red for a limit, grey for the datafile's value.
  void LimitLine(const ChartArea& area, double value, bool vertical, const QString& label,
                 const QColor& color = HatchColor(-1.0));
  QPen Pen(const QColor& color, Qt::PenStyle style = Qt::SolidLine) const {
    return QPen(color, line_, style, Qt::FlatCap, Qt::MiterJoin);
  }
  int TextHeight() const { return context_.TextHeight(QStringLiteral("W")); }

  PrintContext& context_;
  const StudyResults& study_;
  QPainter& painter_;
  int line_ = 1;
  int mark_ = 3;
  bool first_ = true;
  int used_ = ChartsPerPage;  // charts on the current page
  int top_ = 0;               // the first free y below the page's captions
  QString caption_;
};

QRect PlotPages::NextBox(const QString& caption) {
  if (used_ == ChartsPerPage || caption != caption_) {
    // PageFrame starts a new page for any y but 0, the document's first.
    top_ = PageFrame(context_, first_ ? 0 : 1);
    first_ = false;
    const int h = TextHeight();
    const StudyDesign& design = study_.Design();
    const FailureShare failures = study_.Failures();
    context_.SelectFont(context_.TitleFont());
    context_.TextOut(context_.LeftMargin, top_, caption);
    context_.SelectFont(context_.TextFont());
    std::string about = "Study of " + study_.Datafile() + ": " + std::to_string(design.Runs()) +
                        " runs, " + std::to_string(failures.Failures) + " failing";
    if (design.Kind() == DesignKind::Sampling) {
      about += Format(" (probability %.3g, beta %.2f)", failures.Share, failures.Beta);
    } else {
      about += "; a cross marks a run without the value (no equilibrium)";
    }
    context_.TextOut(context_.LeftMargin, top_ + 2 * h, Text(about));
    top_ += 4 * h;
    used_ = 0;
    caption_ = caption;
  }
  const int margin = context_.LeftMargin;
  const int width = (context_.PageWidth() - 2 * margin) / ChartColumns;
  const int height = (context_.PageHeight() - top_ - margin) / ChartRows;
  const int column = used_ % ChartColumns;
  const int row = used_ / ChartColumns;
  ++used_;
  return QRect(margin + column * width, top_ + row * height, width, height);
}

ChartArea PlotPages::Axes(const QRect& box, const QString& title, const QString& xLabel, Range x,
                          Range y, bool yTicks) {
  context_.SelectFont(context_.TextFont());
  const int h = TextHeight();
  const Ticks xTicks = NiceTicks(x);
  const Ticks yTicksAt = NiceTicks(y);
  int labelWidth = 0;
  for (int k = 0; yTicks && k < yTicksAt.Count; ++k) {
    labelWidth = std::max(labelWidth, context_.TextWidth(QString::fromStdString(FixedText(
                                          yTicksAt.First + k * yTicksAt.Step, yTicksAt.Decimals))));
  }
  ChartArea area;
  area.X = x;
  area.Y = y;
  const int gap = h / 2;
  area.Plot = QRect(box.left() + labelWidth + gap + h, box.top() + 2 * h,
                    box.width() - labelWidth - gap - 3 * h, box.height() - 6 * h);

  context_.SelectFont(context_.TitleFont());
  context_.TextOut(area.Plot.left(), box.top(), title);
  context_.SelectFont(context_.TextFont());
  painter_.setBrush(Qt::NoBrush);
  for (int k = 0; k < xTicks.Count; ++k) {
    const double v = xTicks.First + k * xTicks.Step;
    const int px = area.XAt(v);
    painter_.setPen(Pen(Qt::lightGray, Qt::DotLine));
    painter_.drawLine(px, area.Plot.top(), px, area.Plot.bottom());
    const QString label = QString::fromStdString(FixedText(v, xTicks.Decimals));
    painter_.setPen(Pen(Qt::black));
    context_.TextOut(px - context_.TextWidth(label) / 2, area.Plot.bottom() + gap, label);
  }
  for (int k = 0; yTicks && k < yTicksAt.Count; ++k) {
    const double v = yTicksAt.First + k * yTicksAt.Step;
    const int py = area.YAt(v);
    painter_.setPen(Pen(Qt::lightGray, Qt::DotLine));
    painter_.drawLine(area.Plot.left(), py, area.Plot.right(), py);
    const QString label = QString::fromStdString(FixedText(v, yTicksAt.Decimals));
    painter_.setPen(Pen(Qt::black));
    context_.TextOut(area.Plot.left() - gap - context_.TextWidth(label), py - h / 2, label);
  }
  painter_.setPen(Pen(Qt::black));
  painter_.drawRect(area.Plot);
  context_.TextOut(area.Plot.center().x() - context_.TextWidth(xLabel) / 2,
                   area.Plot.bottom() + gap + h + gap, xLabel);
  return area;
}

void PlotPages::Cross(int x, int y) {
  painter_.setPen(Pen(HatchColor(-1.0)));
  painter_.drawLine(x - mark_, y - mark_, x + mark_, y + mark_);
  painter_.drawLine(x - mark_, y + mark_, x + mark_, y - mark_);
}

void PlotPages::Dot(int x, int y) {
  painter_.setPen(Pen(Qt::black));
  painter_.setBrush(HatchColor(1.0));
  painter_.drawEllipse(QPoint(x, y), mark_, mark_);
  painter_.setBrush(Qt::NoBrush);
}

void PlotPages::LimitLine(const ChartArea& area, double value, bool vertical, const QString& label,
                          const QColor& color) {
  painter_.setPen(Pen(color, Qt::DashLine));
  if (vertical) {
    const int x = area.XAt(value);
    if (x < area.Plot.left() - line_ || x > area.Plot.right() + line_) return;
    painter_.drawLine(x, area.Plot.top(), x, area.Plot.bottom());
    context_.TextOut(x + mark_, area.Plot.top() + mark_, label);
  } else {
    const int y = area.YAt(value);
    if (y < area.Plot.top() - line_ || y > area.Plot.bottom() + line_) return;
    painter_.drawLine(area.Plot.left(), y, area.Plot.right(), y);
    // Above the line, or below it where the line runs along the top.
    const int above = y - TextHeight() - mark_ / 2;
    context_.TextOut(area.Plot.left() + mark_, above < area.Plot.top() ? y + mark_ / 2 : above,
                     label);
  }
  painter_.setPen(Pen(Qt::black));
}

void PlotPages::Sweeps() {
  const StudyDesign& design = study_.Design();
  const std::vector<StudyOutput>& outputs = study_.Outputs();
  const bool oneAtATime = design.Kind() == DesignKind::Sweeps;
  for (int k = 0; k < static_cast<int>(design.Inputs().size()); ++k) {
    const std::string& name = design.Inputs()[k].Field.Name();
    const QString caption = Text("Outputs against " + name);
    // Every run of the input, in the order of its values.
    std::vector<std::pair<double, int>> runs;
    for (const int r : study_.RunsOf(k)) {
      if (const auto x = study_.InputValue(r, k)) runs.emplace_back(*x, r);
    }
    std::sort(runs.begin(), runs.end());
    if (runs.empty()) continue;
    for (const StudyOutput& output : outputs) {
      Range x{runs.front().first, runs.back().first};
      Range y{HUGE_VAL, -HUGE_VAL};
      for (const auto& [value, r] : runs) {
        if (const auto v = output.Of(study_.Runs()[r])) {
          y = {std::min(y.Low, *v), std::max(y.High, *v)};
        }
      }
      if (y.Low > y.High) y = {0.0, 1.0};
      for (const auto& line : {output.Limit, output.Reference}) {
        if (line) y = {std::min(y.Low, *line), std::max(y.High, *line)};
      }
      const ChartArea area =
          Axes(NextBox(caption), Text(output.Short + " " + output.Unit), Text(name), x, y);
      painter_.setClipRect(area.Plot.adjusted(-mark_, -mark_, mark_, mark_));
      QPainterPath path;
      bool drawing = false;
      for (const auto& [value, r] : runs) {
        const auto v = output.Of(study_.Runs()[r]);
        if (!v) {
          drawing = false;
          continue;
        }
        const QPointF point(area.XAt(value), area.YAt(*v));
        if (drawing) {
          path.lineTo(point);
        } else {
          path.moveTo(point);
        }
        drawing = oneAtATime;
      }
      painter_.setPen(Pen(Qt::black));
      painter_.drawPath(path);
      for (const auto& [value, r] : runs) {
        const RunResult& run = study_.Runs()[r];
        const auto v = output.Of(run);
        // A run without the value (no equilibrium): a cross on the bottom line.
        if (v) {
          Dot(area.XAt(value), area.YAt(*v));
        } else {
          Cross(area.XAt(value), area.Plot.bottom());
        }
      }
      painter_.setClipping(false);
      if (output.Limit) LimitLine(area, *output.Limit, false, QStringLiteral("limit"));
      if (output.Reference) {
        LimitLine(area, *output.Reference, false, Text(Format("datafile %g", *output.Reference)),
                  Qt::darkGray);
      }
    }
  }
}

void PlotPages::Histograms() {
  const std::vector<StudyOutput>& outputs = study_.Outputs();
  const QString caption = QStringLiteral("Histograms of the outputs");
  for (const StudyOutput& output : outputs) {
    std::vector<double> values;
    for (const RunResult& run : study_.Runs()) {
      if (const auto v = output.Of(run)) values.push_back(*v);
    }
    const int n = static_cast<int>(values.size());
    const std::string title = output.Short + " " + output.Unit + Format(", %d runs", n);
    if (n == 0) {
      Axes(NextBox(caption), Text(title), Text(output.Short), {0.0, 1.0}, {0.0, 1.0});
      continue;
    }
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    Range x{*low, *high};
    if (output.Limit) x = {std::min(x.Low, *output.Limit), std::max(x.High, *output.Limit)};
    Range bins = x;
    NiceTicks(bins);
    const int count = std::clamp(static_cast<int>(std::ceil(std::sqrt(n))), 5, 30);
    const double width = (bins.High - bins.Low) / count;
    std::vector<int> counts(count, 0);
    for (const double v : values) {
      ++counts[std::clamp(static_cast<int>((v - bins.Low) / width), 0, count - 1)];
    }
    const int most = *std::max_element(counts.begin(), counts.end());
    const ChartArea area =
        Axes(NextBox(caption), Text(title), Text(output.Short + " " + output.Unit), bins,
             {0.0, static_cast<double>(most)});
    painter_.setPen(Pen(Qt::black));
    painter_.setBrush(HatchColor(1.0).lighter(160));
    for (int b = 0; b < count; ++b) {
      if (counts[b] == 0) continue;
      const int left = area.XAt(bins.Low + b * width);
      const int right = area.XAt(bins.Low + (b + 1) * width);
      const int top = area.YAt(counts[b]);
      painter_.drawRect(QRect(QPoint(left, top), QPoint(right, area.Plot.bottom())));
    }
    painter_.setBrush(Qt::NoBrush);
    if (output.Limit) LimitLine(area, *output.Limit, true, QStringLiteral("limit"));
  }
}

void PlotPages::Tornados() {
  const std::vector<StudyInput>& inputs = study_.Design().Inputs();
  const QString caption = QStringLiteral("Rank correlations of the inputs with each output");
  for (int j = 0; j < static_cast<int>(study_.Outputs().size()); ++j) {
    const StudyOutput& output = study_.Outputs()[j];
    // The strongest influence on top, as the tornado's wide end.
    std::vector<std::pair<double, int>> bars;
    for (int k = 0; k < static_cast<int>(inputs.size()); ++k) {
      bars.emplace_back(study_.Correlation(k, j).value_or(0.0), k);
    }
    std::stable_sort(bars.begin(), bars.end(), [](const auto& a, const auto& b) {
      return std::fabs(a.first) > std::fabs(b.first);
    });
    const QRect box = NextBox(caption);
    const ChartArea area =
        Axes(box, Text(output.Short + " " + output.Unit), QStringLiteral("rank correlation"),
             {-1.0, 1.0}, {0.0, static_cast<double>(bars.size())}, false);
    const int zero = area.XAt(0.0);
    painter_.setPen(Pen(Qt::black));
    painter_.drawLine(zero, area.Plot.top(), zero, area.Plot.bottom());
    const int slot = area.Plot.height() / std::max<int>(1, static_cast<int>(bars.size()));
    const int h = TextHeight();
    for (std::size_t b = 0; b < bars.size(); ++b) {
      const auto [rho, k] = bars[b];
      const int top = area.Plot.top() + static_cast<int>(b) * slot + slot / 6;
      const int end = area.XAt(rho);
      painter_.setBrush(HatchColor(rho));
      painter_.drawRect(
          QRect(QPoint(std::min(zero, end), top), QPoint(std::max(zero, end), top + slot * 2 / 3)));
      painter_.setBrush(Qt::NoBrush);
      const QString name = Text(inputs[k].Field.Name());
      const QString value =
          QString::fromStdString(study_.Correlation(k, j) ? FixedText(rho, 2) : std::string("-"));
      const int middle = top + slot / 3 - h / 2;
      // The name beside the axis on the side away from the bar, the value at
      // the bar's end.
      if (rho < 0.0) {
        context_.TextOut(zero + mark_, middle, name);
        context_.TextOut(end - mark_ - context_.TextWidth(value), middle, value);
      } else {
        context_.TextOut(zero - mark_ - context_.TextWidth(name), middle, name);
        context_.TextOut(end + mark_, middle, value);
      }
    }
  }
}

}  // namespace

int WriteStudyPlot(const StudyResults& study, const std::string& pdf, std::string& why) {
  StartOffscreenApplication();
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromLocal8Bit(pdf.c_str()));
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setDocName(ReportTitle(study.Problem()) + QStringLiteral(" - Study"));
  PrintOptions options;
  options.Colors = true;
  PrintContext context(printer, study.Problem(), options, 0);
  PlotPages pages(context, study);
  if (context.Failed()) {
    why = "the PDF file cannot be made there";
    return 0;
  }
  if (study.Design().Kind() == DesignKind::Sampling) {
    pages.Histograms();
    pages.Tornados();
  } else {
    pages.Sweeps();
  }
  const int written = context.PageNumber();
  if (context.Failed() || !context.End()) {
    why = "the PDF file cannot be written there";
    return 0;
  }
  return written;
}

}  // namespace korvanu
