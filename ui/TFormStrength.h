// The "K from φ'" dialog of the soil layer editor: the strength of the layer
// under the cursor, in the step and on the side shown, the coefficients it
// gives as the user types, and Apply, which stores them as if typed.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "core/EarthPressure.h"
#include "core/EditHistory.h"
#include "ui/AppContext.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvanu {

class TFormStrength : public QDialog {
  Q_OBJECT

 public:
  // For layer `layer` (0-based) in the view's step and side; opens with the
  // strength kept there, or with the phi' that Rankine's Ka of the entry gives.
  TFormStrength(AppContext& context, int layer, QWidget* parent);

  // Reads the inputs and shows what they give.
  void Recompute();
  // Stores the coefficients; refused input gives a message and stores nothing.
  bool ButtonApplyClick();
  void ButtonHelpClick();

  // Runs after every Apply that stored something.
  std::function<void()> OnApplied;
  // Where Apply counts as an edit for undo: the soil grid's cell of the layer.
  std::function<EditLocation()> WhereApplied;

  QLineEdit& EditPhi() { return *phi_; }
  QLineEdit& EditDelta() { return *delta_; }
  QComboBox& ComboBoxDeltaUnit() { return *deltaUnit_; }
  QLineEdit& EditBeta() { return *beta_; }
  QLineEdit& EditCohesion() { return *cohesion_; }
  QLineEdit& EditOCR() { return *ocr_; }
  QLineEdit& EditKh() { return *kh_; }
  QComboBox& ComboBoxMethod() { return *method_; }
  QLabel& LabelKa() { return *ka_; }
  QLabel& LabelKn() { return *kn_; }
  QLabel& LabelKp() { return *kp_; }
  QLabel& LabelDw() { return *dw_; }
  QLabel& LabelMessage() { return *message_; }
  QPushButton& ButtonApply() { return *apply_; }

 private:
  // The strength typed, or why it cannot be read.
  std::optional<SoilStrength> Inputs(std::string& error) const;
  void Show(const SoilStrength& strength);
  // The coefficients of the typed strength, with the reason when refused.
  EarthPressureCoefficients Typed(std::optional<SoilStrength>& strength) const;

  AppContext& context_;
  int layer_;
  int step_;
  Side side_;
  double sigmaV_;

  QLineEdit* phi_ = nullptr;
  QLineEdit* delta_ = nullptr;
  QComboBox* deltaUnit_ = nullptr;
  QLineEdit* beta_ = nullptr;
  QLineEdit* cohesion_ = nullptr;
  QLineEdit* ocr_ = nullptr;
  QLineEdit* kh_ = nullptr;
  QComboBox* method_ = nullptr;
  QLabel* ka_ = nullptr;
  QLabel* kn_ = nullptr;
  QLabel* kp_ = nullptr;
  QLabel* dw_ = nullptr;
  QLabel* message_ = nullptr;
  QPushButton* apply_ = nullptr;
};

}  // namespace korvanu
