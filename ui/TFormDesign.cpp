// The design summary window. The window only wires widgets: the checks, the
// searches and every text it shows come from the analysis library, formatted
// as the command line and the printed report format them.
#include "ui/TFormDesign.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <atomic>

#include "analysis/DesignText.h"
#include "base/QtText.h"
#include "core/Check.h"
#include "core/TextFormat.h"
#include "ui/StepChooser.h"
#include "ui/StoredEdit.h"
#include "ui/StringGrid.h"
#include "ui/WindowParts.h"

namespace korvanu {

namespace {

constexpr int ClientWidth = 980;
constexpr int ClientHeight = 560;
constexpr int PanelHeight = 32;
constexpr int SettingsTop = PanelHeight + 6;
constexpr int GridTop = SettingsTop + 58;
constexpr int GridHeight = 200;
constexpr int VerdictsTop = GridTop + GridHeight + 8;
constexpr int SearchTop = ClientHeight - 34;

const QColor HoldsColor(0, 128, 0);
const QColor FallsShortColor(200, 0, 0);
const QColor NotComputedColor(128, 128, 128);

int StepCount(const ProblemData& problem) {
  return std::clamp(problem.General.NT, 0, MaxSteps);
}

QColor StateColor(CheckState state) {
  switch (state) {
    case CheckState::Holds:
      return HoldsColor;
    case CheckState::FallsShort:
      return FallsShortColor;
    case CheckState::NotComputed:
      return NotComputedColor;
    case CheckState::NoRequirement:
      break;
  }
  return Qt::black;
}

// The analysis texts are UTF-8 (sigma, gamma, squared units).
QString Utf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Html(const std::string& text) {
  return Utf8(text).toHtmlEscaped();
}

QDoubleSpinBox* MakeSpin(QWidget* parent, const char* name, int x, int y, double lowest,
                         double highest, int decimals, double step) {
  auto* spin = new QDoubleSpinBox(parent);
  spin->setObjectName(QLatin1String(name));
  spin->setRange(lowest, highest);
  spin->setDecimals(decimals);
  spin->setSingleStep(step);
  spin->setGeometry(x, y, 70, 22);
  // A typed value counts when it is finished, as one edit, not at each key.
  spin->setKeyboardTracking(false);
  return spin;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& text, int x, int y,
                     int width) {
  auto* box = new QCheckBox(text, parent);
  box->setObjectName(QLatin1String(name));
  box->setGeometry(x, y, width, 22);
  return box;
}

}  // namespace

// What the searching thread owns: its own copy of the problem, the stop
// flag the window sets and the results it leaves when it ends.
struct TFormDesign::SearchJob {
  std::unique_ptr<ProblemData> Problem;
  std::atomic<bool> Cancel{false};
  DesignSearches Result;
};

TFormDesign::TFormDesign(AppContext& context)
    : ToolWindow(context, &ViewState::DesignShown, QStringLiteral("Design Summary")) {
  setObjectName(QStringLiteral("FormDesign"));
  setFixedSize(ClientWidth, ClientHeight);
  move(40, 120);

  panel_ = MakePanel(this, "PanelDesign", colors::Lime);
  panel_->setGeometry(0, 0, ClientWidth, PanelHeight);
  MakeLabel(panel_, "LabelStep", QStringLiteral("Loading Step :"), 16, 9, false, 0);
  chooser_ = new StepChooser(panel_, 96, 6, 36, QStringLiteral("1"));
  chooser_->OnChange = [this] { ComboBoxStepChange(); };
  help_ = MakeHelpButton(panel_, QStringLiteral("Help on the Design Summary"));
  help_->move(ClientWidth - 35, 3);
  connect(help_, &QToolButton::clicked, this, &TFormDesign::SpeedButtonHelpClick);

  BuildSettings();

  grid_ = new StringGrid(static_cast<int>(DesignTableCaptions().size()), 2, 0, 1, this);
  grid_->setObjectName(QStringLiteral("DesignGrid"));
  grid_->setGeometry(0, GridTop, ClientWidth, GridHeight);
  SetUpGrid(*grid_, font(), 18, {34, 64, 52, 76, 52, 76, 52, 78, 52, 60, 72, 150, 64});
  grid_->SetReadOnly(true);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  grid_->FreezeFixedRows();
  const std::vector<std::string> captions = DesignTableCaptions();
  for (int column = 0; column < static_cast<int>(captions.size()); ++column)
    grid_->SetCell(column, 0, Utf8(captions[column]));

  verdicts_ = new QLabel(this);
  verdicts_->setObjectName(QStringLiteral("LabelVerdicts"));
  verdicts_->setTextFormat(Qt::RichText);
  verdicts_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  verdicts_->setGeometry(8, VerdictsTop, ClientWidth - 16, SearchTop - VerdictsTop - 6);

  search_ = new QPushButton(QStringLiteral("Run Searches"), this);
  search_->setObjectName(QStringLiteral("ButtonSearch"));
  search_->setToolTip(QStringLiteral("Search Fp, Fs and the minimum length"));
  search_->setGeometry(8, SearchTop, 110, 26);
  connect(search_, &QPushButton::clicked, this, &TFormDesign::ButtonSearchClick);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName(QStringLiteral("ButtonCancel"));
  cancel_->setGeometry(124, SearchTop, 80, 26);
  cancel_->setEnabled(false);
  connect(cancel_, &QPushButton::clicked, this, &TFormDesign::ButtonCancelClick);
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("ProgressSearch"));
  progress_->setGeometry(212, SearchTop + 2, 200, 22);
  progress_->setRange(0, 1000);
  progress_->setValue(0);
  status_ = MakeLabel(this, "LabelSearch", QStringLiteral("The searches have not run."), 424,
                      SearchTop + 5, false, ClientWidth - 432);
  connect(this, &TFormDesign::SearchProgress, this, &TFormDesign::ShowProgress,
          Qt::QueuedConnection);

  // Edits made where no window tells the others (a file opened, New) show
  // up within a second while the window is shown.
  watch_ = new QTimer(this);
  watch_->setInterval(1000);
  connect(watch_, &QTimer::timeout, this, [this] {
    if (isVisible() && computedFor_ && !(*computedFor_ == context_.Problem)) Fill();
  });
  context.Steps.Join(StepWindow::Design, this);
}

TFormDesign::~TFormDesign() {
  if (thread_ != nullptr) {
    job_->Cancel = true;
    thread_->wait();
  }
}

void TFormDesign::BuildSettings() {
  const int y1 = SettingsTop, y2 = SettingsTop + 28;
  MakeLabel(this, "LabelGrade", QStringLiteral("Steel grade"), 8, y1 + 3, false, 0);
  grade_ = new QComboBox(this);
  grade_->setObjectName(QStringLiteral("ComboBoxGrade"));
  grade_->setGeometry(80, y1, 120, 22);
  grade_->addItem(QStringLiteral("none"), 0.0);
  for (const SteelGrade& grade : SteelGrades) grade_->addItem(QLatin1String(grade.Name), grade.Fy);
  fy_ = MakeLabel(this, "LabelFy", QString(), 210, y1 + 3, false, 130);
  MakeLabel(this, "LabelGammaM0", QString::fromUtf8("\u03b3M0"), 344, y1 + 3, false, 0);
  gammaM0_ = MakeSpin(this, "SpinGammaM0", 380, y1, 0.5, 3.0, 3, 0.05);

  requireFp_ = MakeCheck(this, "CheckBoxFp", QStringLiteral("Fp at least"), 8, y2, 90);
  minFp_ = MakeSpin(this, "SpinFp", 98, y2, 1.0, LargestFactor, 3, 0.1);
  requireFs_ = MakeCheck(this, "CheckBoxFs", QStringLiteral("Fs at least"), 184, y2, 90);
  minFs_ = MakeSpin(this, "SpinFs", 274, y2, 1.0, LargestFactor, 3, 0.1);
  requireW_ = MakeCheck(this, "CheckBoxW", QStringLiteral("|w| at most (m)"), 360, y2, 120);
  maxW_ = MakeSpin(this, "SpinW", 480, y2, 0.001, 10.0, 4, 0.005);
  limitUtilisation_ =
      MakeCheck(this, "CheckBoxUtilisation", QStringLiteral("utilisation at most 1"), 570, y2, 150);
  noAnchorYield_ =
      MakeCheck(this, "CheckBoxAnchors", QStringLiteral("no anchor yielded"), 730, y2, 150);

  connect(grade_, &QComboBox::currentIndexChanged, this, &TFormDesign::SettingsEdited);
  for (QDoubleSpinBox* spin : {gammaM0_, minFp_, minFs_, maxW_})
    connect(spin, &QDoubleSpinBox::valueChanged, this, &TFormDesign::SettingsEdited);
  for (QCheckBox* box : {requireFp_, requireFs_, requireW_, limitUtilisation_, noAnchorYield_})
    connect(box, &QCheckBox::toggled, this, &TFormDesign::SettingsEdited);
}

void TFormDesign::ShowSettings() {
  const DesignSettings& s = context_.Problem.Design;
  showingSettings_ = true;
  // A strength read from a file that names no grade keeps an item of its own.
  while (grade_->count() > 1 + static_cast<int>(SteelGrades.size()))
    grade_->removeItem(grade_->count() - 1);
  int index = grade_->findData(s.Fy);
  if (index < 0) {
    grade_->addItem(ToQString(Format("fy %.1f", s.Fy)), s.Fy);
    index = grade_->count() - 1;
  }
  grade_->setCurrentIndex(index);
  fy_->setText(s.Fy > 0.0 ? ToQString(Format("fy = %.1f N/mm", s.Fy)) + QChar(0x00b2)
                          : QStringLiteral("no stress check"));
  gammaM0_->setValue(s.GammaM0);
  requireFp_->setChecked(s.MinFp.has_value());
  minFp_->setValue(s.MinFp.value_or(1.5));
  minFp_->setEnabled(s.MinFp.has_value());
  requireFs_->setChecked(s.MinFs.has_value());
  minFs_->setValue(s.MinFs.value_or(1.25));
  minFs_->setEnabled(s.MinFs.has_value());
  requireW_->setChecked(s.MaxW.has_value());
  maxW_->setValue(s.MaxW.value_or(0.05));
  maxW_->setEnabled(s.MaxW.has_value());
  limitUtilisation_->setChecked(s.LimitUtilisation);
  noAnchorYield_->setChecked(s.NoAnchorYield);
  showingSettings_ = false;
}

void TFormDesign::SettingsEdited() {
  if (showingSettings_) return;
  DesignSettings s;
  s.Fy = grade_->currentData().toDouble();
  s.GammaM0 = gammaM0_->value();
  if (requireFp_->isChecked()) s.MinFp = minFp_->value();
  if (requireFs_->isChecked()) s.MinFs = minFs_->value();
  if (requireW_->isChecked()) s.MaxW = maxW_->value();
  s.LimitUtilisation = limitUtilisation_->isChecked();
  s.NoAnchorYield = noAnchorYield_->isChecked();
  if (s == context_.Problem.Design) return;
  // The settings are part of the problem and are saved with it; they judge
  // the results but change none, so the results stay valid.
  {
    StoredEdit edit(context_, EditLocation{EditWindow::Design});
    context_.Problem.Design = s;
  }
  if (computedFor_) computedFor_->Design = s;
  if (searchedFor_) searchedFor_->Design = s;
  ShowSettings();
  ShowSummary();
}

void TFormDesign::showEvent(QShowEvent* event) {
  ToolWindow::showEvent(event);
  watch_->start();
  Fill();
}

void TFormDesign::FormActivate() {
  ComboBoxStepChange();
}

void TFormDesign::ComboBoxStepChange() {
  context_.View.CurrentStep = chooser_->TakeStep(1, StepCount(context_.Problem));
  context_.Steps.StepChosen(StepWindow::Design, context_.View.CurrentStep);
}

void TFormDesign::Fill() {
  const ProblemData& problem = context_.Problem;
  if (!computedFor_ || !SameComputation(*computedFor_, problem)) {
    steps_ = std::make_unique<ComputedSteps>(ComputeSteps(problem));
  }
  computedFor_ = std::make_unique<ProblemData>(problem);
  ShowSettings();
  ShowSummary();
}

const DesignSearches* TFormDesign::ShownSearches() const {
  if (!searches_ || !searchedFor_ || !SameComputation(*searchedFor_, context_.Problem))
    return nullptr;
  return &*searches_;
}

void TFormDesign::ShowSummary() {
  if (!steps_) return;
  const ProblemData& problem = context_.Problem;
  summary_ = SummariseDesign(problem, problem.Design, *steps_);
  const DesignSearches* searches = ShownSearches();
  const FactorSearch* fp = searches ? &searches->Fp : nullptr;

  const int rows = static_cast<int>(summary_.Steps.size()) + 2;
  const int columns = static_cast<int>(DesignTableCaptions().size());
  if (grid_->RowCount() != rows) grid_->SetSize(columns, rows);
  grid_->setUpdatesEnabled(false);
  const auto writeRow = [&](int row, const StepCheck& step) {
    const std::vector<std::string> cells = DesignTableRow(step, fp);
    for (int column = 0; column < columns && column < static_cast<int>(cells.size()); ++column)
      grid_->SetCell(column, row, Utf8(cells[column]));
  };
  for (int k = 0; k < static_cast<int>(summary_.Steps.size()); ++k)
    writeRow(k + 1, summary_.Steps[k]);
  writeRow(rows - 1, summary_.Envelope);
  grid_->setUpdatesEnabled(true);

  const int step = std::clamp(context_.View.CurrentStep, 1, std::max(1, StepCount(problem)));
  chooser_->SetSteps(1, StepCount(problem), step);
  if (step < rows - 1) grid_->MoveCursor(0, step);

  QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\">");
  if (!summary_.SectionKnown)
    html += QStringLiteral("<tr><td colspan=\"4\">%1</td></tr>").arg(Html(summary_.StressNote));
  for (const std::string& warning : summary_.Warnings) {
    html += QStringLiteral("<tr><td><b>Warning</b></td><td colspan=\"3\">%1</td></tr>")
                .arg(Html(warning));
  }
  for (const Verdict& verdict : DesignVerdicts(summary_, searches)) {
    const QString state = Html(CheckStateText(verdict.State));
    html += QStringLiteral(
                "<tr><td><b>%1</b></td><td>%2</td><td>%3</td>"
                "<td style=\"color:%4\"><b>%5</b></td></tr>")
                .arg(Html(verdict.Check), Html(verdict.Value), Html(verdict.Requirement),
                     StateColor(verdict.State).name(), state);
    if (!verdict.Note.empty()) {
      html += QStringLiteral("<tr><td></td><td colspan=\"3\">%1</td></tr>").arg(Html(verdict.Note));
    }
  }
  html += QStringLiteral("</table>");
  verdicts_->setText(html);

  if (!Searching()) {
    if (searches != nullptr) {
      status_->setText(ToQString(
          Format("Searched: Fp in %d runs, Fs in %d runs.", searches->Fp.Runs, searches->Fs.Runs)));
    } else if (searches_) {
      status_->setText(
          QStringLiteral("The problem has changed since the searches: run them "
                         "again."));
    }
  }
}

void TFormDesign::ButtonSearchClick() {
  if (Searching()) return;
  job_ = std::make_shared<SearchJob>();
  job_->Problem = std::make_unique<ProblemData>(context_.Problem);
  std::shared_ptr<SearchJob> job = job_;
  thread_ = QThread::create([this, job] {
    SearchControl control;
    control.Cancel = &job->Cancel;
    control.Progress = [this](double fraction) { emit SearchProgress(fraction); };
    job->Result = RunDesignSearches(*job->Problem, control);
  });
  connect(thread_, &QThread::finished, this, &TFormDesign::SearchFinished);
  search_->setEnabled(false);
  cancel_->setEnabled(true);
  progress_->setValue(0);
  status_->setText(QStringLiteral("Searching Fp, Fs and the minimum length..."));
  thread_->start();
}

void TFormDesign::ButtonCancelClick() {
  if (!Searching()) return;
  job_->Cancel = true;
  cancel_->setEnabled(false);
  status_->setText(QStringLiteral("Cancelling..."));
}

void TFormDesign::ShowProgress(double fraction) {
  if (!Searching()) return;
  progress_->setValue(static_cast<int>(std::clamp(fraction, 0.0, 1.0) * 1000.0));
}

void TFormDesign::SearchFinished() {
  KORVANU_CHECK(thread_ != nullptr);
  thread_->deleteLater();
  thread_ = nullptr;
  std::shared_ptr<SearchJob> job = std::move(job_);
  search_->setEnabled(true);
  cancel_->setEnabled(false);
  QString why;
  if (job->Result.Cancelled || job->Cancel) {
    why = QStringLiteral("The searches were cancelled.");
  } else if (!SameComputation(*job->Problem, context_.Problem)) {
    why = QStringLiteral("The problem changed while searching: run the searches again.");
  } else {
    searches_ = std::move(job->Result);
    searchedFor_ = std::move(job->Problem);
  }
  progress_->setValue(why.isEmpty() ? 1000 : 0);
  ShowSummary();
  if (!why.isEmpty()) status_->setText(why);
}

void TFormDesign::SpeedButtonHelpClick() {
  ShowMessage(QStringLiteral(
      "This screen checks the design of the wall.\n"
      "- The settings: the steel grade and partial factor of the stress check, and what the "
      "design must meet.\n"
      "- The table: per loading step and over all steps (\"all\") the largest displacement, "
      "moments and shear, the steel stress, the anchor forces and Fp.\n"
      "- Run Searches finds the factor on passive resistance Fp, the strength factor Fs and the "
      "minimum length; they run while the program stays usable and can be cancelled.\n"
      "The settings are saved with the datafile; the summary can be printed from the main "
      "menu."));
}

}  // namespace korvanu
