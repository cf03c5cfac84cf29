// The "K from φ'" dialog. The formulas live in EarthPressure, what Apply
// stores in ApplyCoefficients.
#include "ui/TFormStrength.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/Dialogs.h"
#include "base/QtText.h"
#include "core/StrengthRules.h"
#include "core/TextFormat.h"
#include "engine/StrengthCoefficients.h"
#include "ui/HelpTexts.h"
#include "ui/ModalScope.h"
#include "ui/StoredEdit.h"

namespace korvanu {
namespace {

constexpr const char* kMethodNames[] = {
    "Rankine (no wall friction)",
    "Coulomb (plane surfaces)",
    "Curved surfaces for Kp (Lancellotta)",
};

// Up to 9 digits, without trailing zeros: how a stored input is shown again.
QString Number(double v) {
  return QString::number(v, 'g', 9);
}

QLineEdit* MakeEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(name));
  edit->setFixedWidth(80);
  return edit;
}

QLabel* MakeValue(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  // "%10.3f" lines its digits up as the grid does.
  QFont fixed = label->font();
  fixed.setFamily(QStringLiteral("Monospace"));
  fixed.setStyleHint(QFont::TypeWriter);
  label->setFont(fixed);
  return label;
}

// A field as a number: empty gives `empty`, anything but a whole number is
// refused naming the input.
std::optional<double> Field(const QLineEdit& edit, const char* name, std::optional<double> empty,
                            std::string& error, bool& given) {
  const std::string text = edit.text().trimmed().toStdString();
  given = !text.empty();
  if (text.empty()) {
    if (!empty) error = Format("Give %s.", name);
    return empty;
  }
  double v = 0.0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), v);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(v)) {
    error = Format("%s '%s' is not a number.", name, text.c_str());
    return std::nullopt;
  }
  return v;
}

}  // namespace

TFormStrength::TFormStrength(AppContext& context, int layer, QWidget* parent)
    : QDialog(parent), context_(context), layer_(layer) {
  const ProblemData& problem = context.Problem;
  const ViewState& view = context.View;
  step_ = std::clamp(view.CurrentStep, 0, std::clamp(problem.General.NT, 0, MaxSteps));
  // In the initial state the grid edits the left side for both.
  side_ = step_ == 0 ? Side::Left : view.CurrentSide;
  sigmaV_ = InitialMidLayerStress(problem, layer_, side_);

  setObjectName(QStringLiteral("FormStrength"));
  setWindowTitle(QString::fromUtf8("K from φ' - %1, step %2, %3")
                     .arg(ToQString(problem.LayerName[layer]))
                     .arg(step_)
                     .arg(step_ == 0            ? QStringLiteral("Left and Right Sides")
                          : side_ == Side::Left ? QStringLiteral("Left Side")
                                                : QStringLiteral("Right Side")));
  setWindowModality(Qt::ApplicationModal);

  auto* inputs = new QGridLayout;
  int row = 0;
  const auto addRow = [&](const char* caption, QWidget* field, const char* unit) {
    inputs->addWidget(new QLabel(QString::fromUtf8(caption), this), row, 0);
    inputs->addWidget(field, row, 1);
    if (unit) inputs->addWidget(new QLabel(QString::fromUtf8(unit), this), row, 2);
    ++row;
  };
  phi_ = MakeEdit(this, "EditPhi");
  delta_ = MakeEdit(this, "EditDelta");
  deltaUnit_ = new QComboBox(this);
  deltaUnit_->setObjectName(QStringLiteral("ComboBoxDeltaUnit"));
  deltaUnit_->addItems({QStringLiteral("degrees"), QString::fromUtf8("× φ'")});
  beta_ = MakeEdit(this, "EditBeta");
  cohesion_ = MakeEdit(this, "EditCohesion");
  ocr_ = MakeEdit(this, "EditOCR");
  ocr_->setPlaceholderText(QStringLiteral("none"));
  kh_ = MakeEdit(this, "EditKh");
  kh_->setPlaceholderText(QStringLiteral("none"));
  method_ = new QComboBox(this);
  method_->setObjectName(QStringLiteral("ComboBoxMethod"));
  for (const char* name : kMethodNames) method_->addItem(QString::fromUtf8(name));

  addRow("φ'  friction angle", phi_, "degrees");
  inputs->addWidget(new QLabel(QString::fromUtf8("δ  wall friction"), this), row, 0);
  inputs->addWidget(delta_, row, 1);
  inputs->addWidget(deltaUnit_, row, 2);
  ++row;
  addRow("β  slope of the surface", beta_, "degrees, rising away from the wall");
  addRow("c'  cohesion", cohesion_, "kN/m², goes to c");
  addRow("OCR  overconsolidation", ocr_, "empty: normally consolidated");
  addRow("k_h  subgrade reaction", kh_, "kN/m³, empty: Dw stays");
  inputs->addWidget(new QLabel(QStringLiteral("Method"), this), row, 0);
  inputs->addWidget(method_, row, 1, 1, 2);
  ++row;

  auto* results = new QGridLayout;
  ka_ = MakeValue(this, "LabelKa");
  kn_ = MakeValue(this, "LabelKn");
  kp_ = MakeValue(this, "LabelKp");
  dw_ = MakeValue(this, "LabelDw");
  int r = 0;
  for (auto [caption, label] : {std::pair{"Ka", ka_}, {"Kn", kn_}, {"Kp", kp_}, {"Dw (m)", dw_}}) {
    results->addWidget(new QLabel(QLatin1String(caption), this), r, 0);
    results->addWidget(label, r, 1);
    ++r;
  }
  results->addWidget(
      new QLabel(QString::fromUtf8("σ'v at the middle of the layer, initial state: %1 kN/m²")
                     .arg(ToQString(Format("%.3f", sigmaV_))),
                 this),
      r, 0, 1, 2);
  message_ = new QLabel(this);
  message_->setObjectName(QStringLiteral("LabelMessage"));
  message_->setWordWrap(true);
  message_->setStyleSheet(QStringLiteral("color: #c00000"));

  apply_ = new QPushButton(QStringLiteral("&Apply"), this);
  apply_->setObjectName(QStringLiteral("ButtonApply"));
  auto* help = new QPushButton(QStringLiteral("&Help"), this);
  help->setObjectName(QStringLiteral("ButtonHelp"));
  auto* close = new QPushButton(QStringLiteral("&Close"), this);
  close->setObjectName(QStringLiteral("ButtonClose"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(apply_);
  buttons->addStretch();
  buttons->addWidget(help);
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(inputs);
  layout->addSpacing(8);
  layout->addLayout(results);
  layout->addWidget(message_);
  layout->addLayout(buttons);

  const std::optional<SoilStrength>& kept = problem.Strength(layer_, step_, side_);
  if (kept) {
    Show(*kept);
  } else {
    // Rankine's Ka of the entry gives back the friction angle it came from.
    const LayerProperties& entry = problem.Layer(layer_, step_, side_);
    SoilStrength guess;
    guess.Method = EarthPressureMethod::Rankine;
    guess.Phi = entry.Ka > 0.0 && entry.Ka < 1.0
                    ? std::round(90.0 - 2.0 * std::atan(std::sqrt(entry.Ka)) * 180.0 / M_PI)
                    : 30.0;
    guess.Cohesion = entry.c;
    Show(guess);
  }

  for (QLineEdit* edit : {phi_, delta_, beta_, cohesion_, ocr_, kh_}) {
    connect(edit, &QLineEdit::textChanged, this, &TFormStrength::Recompute);
  }
  connect(deltaUnit_, &QComboBox::currentIndexChanged, this, &TFormStrength::Recompute);
  connect(method_, &QComboBox::currentIndexChanged, this, &TFormStrength::Recompute);
  connect(apply_, &QPushButton::clicked, this, &TFormStrength::ButtonApplyClick);
  connect(help, &QPushButton::clicked, this, &TFormStrength::ButtonHelpClick);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  Recompute();
}

void TFormStrength::Show(const SoilStrength& s) {
  phi_->setText(Number(s.Phi));
  delta_->setText(Number(s.Delta));
  deltaUnit_->setCurrentIndex(s.DeltaUnit == WallFrictionUnit::Ratio ? 1 : 0);
  beta_->setText(Number(s.Beta));
  cohesion_->setText(Number(s.Cohesion));
  ocr_->setText(s.OCR ? Number(*s.OCR) : QString());
  kh_->setText(s.Kh ? Number(*s.Kh) : QString());
  method_->setCurrentIndex(static_cast<int>(s.Method));
}

std::optional<SoilStrength> TFormStrength::Inputs(std::string& error) const {
  SoilStrength s;
  bool given = false;
  const auto phi = Field(*phi_, "φ'", std::nullopt, error, given);
  const auto delta = Field(*delta_, "δ", 0.0, error, given);
  const auto beta = Field(*beta_, "β", 0.0, error, given);
  const auto cohesion = Field(*cohesion_, "c'", 0.0, error, given);
  bool ocrGiven = false, khGiven = false;
  const auto ocr = Field(*ocr_, "OCR", 0.0, error, ocrGiven);
  const auto kh = Field(*kh_, "k_h", 0.0, error, khGiven);
  if (!error.empty()) return std::nullopt;
  s.Phi = *phi;
  s.Delta = *delta;
  s.DeltaUnit =
      deltaUnit_->currentIndex() == 1 ? WallFrictionUnit::Ratio : WallFrictionUnit::Degrees;
  s.Beta = *beta;
  s.Cohesion = *cohesion;
  if (ocrGiven) s.OCR = *ocr;
  if (khGiven) s.Kh = *kh;
  s.Method = static_cast<EarthPressureMethod>(method_->currentIndex());
  return s;
}

EarthPressureCoefficients TFormStrength::Typed(std::optional<SoilStrength>& strength) const {
  std::string error;
  strength = Inputs(error);
  if (!strength) {
    EarthPressureCoefficients refused;
    refused.Error = error;
    return refused;
  }
  return ComputeCoefficients(*strength, sigmaV_);
}

void TFormStrength::Recompute() {
  // Rankine's method has no wall friction to give.
  delta_->setEnabled(method_->currentIndex() != static_cast<int>(EarthPressureMethod::Rankine));
  deltaUnit_->setEnabled(delta_->isEnabled());
  std::optional<SoilStrength> strength;
  const EarthPressureCoefficients k = Typed(strength);
  const auto show = [&](QLabel* label, std::optional<double> v) {
    label->setText(k.Ok() && v ? ToQString(Format("%10.3f", *v)) : QStringLiteral("        --"));
  };
  show(ka_, k.Ka);
  show(kn_, k.Kn);
  show(kp_, k.Kp);
  show(dw_, k.Dw);
  message_->setText(QString::fromUtf8(k.Error.c_str()));
  apply_->setEnabled(k.Ok());
}

bool TFormStrength::ButtonApplyClick() {
  std::optional<SoilStrength> strength;
  const EarthPressureCoefficients k = Typed(strength);
  if (!k.Ok()) {
    ModalScope modal(context_.ModalBoxes);
    context_.Dialog.Message(this, QString::fromUtf8(k.Error.c_str()));
    return false;
  }
  {
    // Everything Apply stores, spread to later steps and sides, is one step
    // of undo.
    const EditLocation where = WhereApplied ? WhereApplied() : EditLocation{};
    StoredEdit edit(context_, where);
    ApplyCoefficients(context_.Problem, context_.View, layer_, *strength, k);
  }
  if (OnApplied) OnApplied();
  return true;
}

void TFormStrength::ButtonHelpClick() {
  ModalScope modal(context_.ModalBoxes);
  context_.Dialog.Message(this, StrengthHelpText());
}

}  // namespace korvanu
