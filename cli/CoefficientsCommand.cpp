// korvanu-cli coefficients: options to a strength, the coefficients to lines.
#include "cli/CoefficientsCommand.h"

#include <optional>
#include <set>
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
  static const std::set<std::string> options{"--method",      "--phi",  "--delta",
                                             "--delta-ratio", "--beta", "--cohesion",
                                             "--ocr",         "--kh",   "--sigma-v"};
  SoilStrength strength;
  std::optional<double> phi, delta, ratio, sigmaV;
  std::set<std::string> given;
  strength.Method = EarthPressureMethod::Coulomb;
  for (size_t k = 0; k < arguments.size(); ++k) {
    const std::string& option = arguments[k];
    if (option.rfind("--", 0) != 0) return Refuse("unexpected argument " + option, err);
    if (!options.count(option)) return Refuse("unknown option " + option, err);
    if (!given.insert(option).second) return Refuse(option + " is given twice", err);
    // A negative number is a value; another option is not.
    if (k + 1 >= arguments.size() || arguments[k + 1].rfind("--", 0) == 0) {
      return Refuse(option + " needs a value", err);
    }
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
    } else {
      sigmaV = value;
    }
  }
  if (!phi) return Refuse("--phi is needed", err);
  if (delta && ratio) return Refuse("give --delta or --delta-ratio, not both", err);
  if (strength.Kh.has_value() != sigmaV.has_value()) {
    return Refuse("--kh and --sigma-v go together", err);
  }
  if (sigmaV && !(*sigmaV > 0.0)) {
    return Refuse("--sigma-v " + ExactText(*sigmaV, 3) +
                      ": the vertical effective stress must be above 0 kN/m²",
                  err);
  }
  strength.Phi = *phi;
  strength.Delta = ratio ? *ratio : delta.value_or(0.0);
  strength.DeltaUnit = ratio ? WallFrictionUnit::Ratio : WallFrictionUnit::Degrees;

  const EarthPressureCoefficients k = ComputeCoefficients(strength, sigmaV.value_or(0.0));
  if (!k.Ok()) return Refuse(k.Error, err);
  if (strength.Method == EarthPressureMethod::Rankine && strength.Delta != 0.0) {
    err << "korvanu-cli coefficients: note: Rankine's method takes no wall friction; "
        << (ratio ? "--delta-ratio" : "--delta") << " is not used\n";
  }
  if (!k.Note.empty()) err << "korvanu-cli coefficients: note: " << k.Note << "\n";
  out << Format("Ka %.3f\nKn %.3f\nKp %.3f\n", k.Ka, k.Kn, k.Kp);
  if (k.Dw) out << Format("Dw %.4f\n", *k.Dw);
  return ExitDone;
}

}  // namespace korvanu
