// korvanu-cli coefficients: options to a strength, the coefficients to lines.
#include "cli/CoefficientsCommand.h"

#include <optional>
#include <string>

#include "core/EarthPressure.h"
#include "core/TextFormat.h"

namespace korvanu {
namespace {

int Refuse(const std::string& why, std::ostream& err) {
  err << "korvanu-cli coefficients: " << why << "\n";
  return ExitRefused;
}

}  // namespace

int CoefficientsCommand(const Arguments& arguments, std::ostream& out, std::ostream& err) {
  SoilStrength strength;
  std::optional<double> phi, delta, ratio, sigmaV;
  strength.Method = EarthPressureMethod::Coulomb;
  for (size_t k = 0; k < arguments.size(); ++k) {
    const std::string& option = arguments[k];
    if (k + 1 >= arguments.size()) return Refuse(option + " needs a value", err);
    const std::string& word = arguments[++k];
    if (option == "--method") {
      if (word == "rankine") {
        strength.Method = EarthPressureMethod::Rankine;
      } else if (word == "coulomb") {
        strength.Method = EarthPressureMethod::Coulomb;
      } else if (word == "curved") {
        strength.Method = EarthPressureMethod::Curved;
      } else {
        return Refuse("--method " + word + " is not rankine, coulomb or curved", err);
      }
      continue;
    }
    double value = 0.0;
    if (!WholeNumber(word, value)) return Refuse(option + " " + word + " is not a number", err);
    if (option == "--phi") {
      phi = value;
    } else if (option == "--delta") {
      delta = value;
    } else if (option == "--delta-ratio") {
      ratio = value;
    } else if (option == "--beta") {
      strength.Beta = value;
    } else if (option == "--cohesion") {
      strength.Cohesion = value;
    } else if (option == "--ocr") {
      strength.OCR = value;
    } else if (option == "--kh") {
      strength.Kh = value;
    } else if (option == "--sigma-v") {
      sigmaV = value;
    } else {
      return Refuse("unknown option " + option, err);
    }
  }
  if (!phi) return Refuse("--phi is needed", err);
  if (delta && ratio) return Refuse("give --delta or --delta-ratio, not both", err);
  if (strength.Kh.has_value() != sigmaV.has_value()) {
    return Refuse("--kh and --sigma-v go together", err);
  }
  strength.Phi = *phi;
  strength.Delta = ratio ? *ratio : delta.value_or(0.0);
  strength.DeltaUnit = ratio ? WallFrictionUnit::Ratio : WallFrictionUnit::Degrees;

  const EarthPressureCoefficients k = ComputeCoefficients(strength, sigmaV.value_or(0.0));
  if (!k.Ok()) return Refuse(k.Error, err);
  out << Format("Ka %.3f\nKn %.3f\nKp %.3f\n", k.Ka, k.Kn, k.Kp);
  if (k.Dw) out << Format("Dw %.4f\n", *k.Dw);
  return ExitDone;
}

}  // namespace korvanu
