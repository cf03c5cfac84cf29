// Study names resolved to the records of the problem they set.
#include "analysis/StudyField.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>

#include "analysis/MinimumLength.h"
#include "core/Check.h"
#include "core/TextFormat.h"
#include "engine/EngineState.h"
#include "engine/StrengthCoefficients.h"

namespace korvanu {

namespace {

// A layer whose dry weight is below this is excavated: the soil editor gives
// it the values of water. A name for several records leaves such records
// alone, so that varying the soil never fills a pit.
constexpr double ExcavatedBelow = 0.001;

constexpr const char* SoilNames[] = {"Wd", "Ws", "Zw", "Cap", "q", "c", "Ka", "Kp", "Kn", "Dw"};
constexpr double LayerProperties::*SoilMembers[] = {
    &LayerProperties::Wd, &LayerProperties::Ws, &LayerProperties::Zw, &LayerProperties::Cap,
    &LayerProperties::q,  &LayerProperties::c,  &LayerProperties::Ka, &LayerProperties::Kp,
    &LayerProperties::Kn, &LayerProperties::Dw};
constexpr int KaMember = 6;
constexpr int DwMember = 9;

constexpr const char* AnchorNames[] = {"Fx", "Fa", "Fw"};
constexpr double AnchorRecord::*AnchorMembers[] = {&AnchorRecord::Fx, &AnchorRecord::Fa,
                                                   &AnchorRecord::Fw};
constexpr int FaMember = 1;
constexpr int FwMember = 2;

constexpr const char* AxialNames[] = {"NA", "NB", "MA"};
constexpr double AxialRecord::*AxialMembers[] = {&AxialRecord::NA, &AxialRecord::NB,
                                                 &AxialRecord::MA};

template <std::size_t N>
int IndexOf(const char* const (&names)[N], const std::string& word) {
  for (std::size_t k = 0; k < N; ++k) {
    if (word == names[k]) return static_cast<int>(k);
  }
  return -1;
}

// "layer3" with prefix "layer" gives 3; -1 when the word is not the prefix
// followed by digits.
int Numbered(const std::string& word, const std::string& prefix) {
  if (word.size() <= prefix.size() || word.compare(0, prefix.size(), prefix) != 0) return -1;
  int number = -1;
  const char* first = word.data() + prefix.size();
  const char* last = word.data() + word.size();
  const auto [end, error] = std::from_chars(first, last, number);
  if (error != std::errc() || end != last || *first == '+' || *first == '-') return -1;
  return number;
}

std::string Forms(const ProblemData& problem) {
  const GeneralData& g = problem.General;
  std::ostringstream text;
  text << "Valid names (J a layer 1.." << g.NL << ", S a loading step 0.." << g.NT
       << ", P a point 0.." << g.NL << "):\n"
       << "  layerJ.F, layers.F          soil value F of layer J (of every layer), every step,\n"
       << "                              both sides\n"
       << "  layerJ.left.F, layerJ.right.F, layerJ.stepS.F, layerJ.stepS.left.F\n"
       << "                              one side, one step, one record; F is Wd, Ws, Zw, Cap,\n"
       << "                              q, c, Ka, Kp, Kn or Dw. Excavated records (Wd 0) are\n"
       << "                              left alone unless the step and the side are named\n"
       << "  layerJ.phi, layers.phi, layerJ.left.phi ...\n"
       << "                              friction angle phi' (degrees) of the records that keep\n"
       << "                              the strength Ka, Kn, Kp came from; each run derives\n"
       << "                              Ka, Kn, Kp (and Dw from k_h) anew from it\n"
       << "  anchorP.F, anchorP.stepS.F  F is Fx, Fa or Fw at point P; without a step, Fa and Fw\n"
       << "                              of the steps that have an anchor there\n"
       << "  axial.F, axial.stepS.F      F is NA, NB or MA\n"
       << "  profile" << g.NP << ".EI                  EI of the wall's profile (NP " << g.NP
       << ")\n"
       << "  pointP.Z, toe               depth of point P (1.." << g.NL
       << "); toe is the lowest point\n"
       << "  NN                          number of elements\n";
  return text.str();
}

}  // namespace

std::optional<StudyField> StudyField::Parse(const std::string& name, const ProblemData& problem,
                                            std::string& why) {
  const GeneralData& g = problem.General;
  std::vector<std::string> words;
  {
    std::stringstream stream(name);
    std::string word;
    while (std::getline(stream, word, '.')) words.push_back(word);
  }
  const auto refuse = [&](const std::string& reason) {
    why = name + ": " + reason + "\n" + Forms(problem);
    return std::nullopt;
  };
  const auto unknown = [&] { return refuse("no field a study can vary"); };
  if (words.empty() || name.back() == '.') return unknown();

  StudyField field;
  field.name_ = name;
  const std::string& head = words.front();
  if (words.size() == 1 && head == "NN") {
    field.kind_ = Kind::Elements;
    field.leastElements_ = std::max(10, 2 * g.NL);
    return field;
  }
  if ((words.size() == 1 && head == "toe") ||
      (words.size() == 2 && Numbered(head, "point") >= 0 && words[1] == "Z")) {
    const int point = head == "toe" ? g.NL : Numbered(head, "point");
    if (point < 1 || point > g.NL) {
      return refuse("point " + std::to_string(point) + " is no boundary below the top (1.." +
                    std::to_string(g.NL) + ")");
    }
    field.kind_ = Kind::Boundary;
    field.records_.push_back({point});
    return field;
  }
  if (words.size() == 2 && Numbered(head, "profile") >= 0 && words[1] == "EI") {
    const int profile = Numbered(head, "profile");
    if (profile != g.NP) {
      return refuse("the wall is profile " + std::to_string(g.NP) +
                    " (NP); only its EI enters the computation");
    }
    field.kind_ = Kind::Stiffness;
    field.records_.push_back({profile - 1});
    return field;
  }

  // layer, anchor and axial names: a head, qualifiers, the field.
  int step = -1;
  int side = -1;
  for (std::size_t k = 1; k + 1 < words.size(); ++k) {
    const std::string& word = words[k];
    if (Numbered(word, "step") >= 0 && step < 0) {
      step = Numbered(word, "step");
      if (step > g.NT) {
        return refuse("step " + std::to_string(step) + " is not in the problem (steps 0.." +
                      std::to_string(g.NT) + ")");
      }
    } else if ((word == "left" || word == "right") && side < 0 && head != "axial" &&
               Numbered(head, "anchor") < 0) {
      side = word == "left" ? 0 : 1;
    } else {
      return unknown();
    }
  }
  if (words.size() < 2) return unknown();
  const std::string& last = words.back();
  const int firstStep = step >= 0 ? step : 0;
  const int lastStep = step >= 0 ? step : g.NT;

  if (head == "layers" || Numbered(head, "layer") >= 0) {
    const bool strength = last == "phi";
    field.kind_ = strength ? Kind::Strength : Kind::Soil;
    field.member_ = strength ? 0 : IndexOf(SoilNames, last);
    if (field.member_ < 0) return unknown();
    const int layer = head == "layers" ? 0 : Numbered(head, "layer");
    if (head != "layers" && (layer < 1 || layer > g.NL)) {
      return refuse("layer " + std::to_string(layer) + " is not in the problem (layers 1.." +
                    std::to_string(g.NL) + ")");
    }
    const bool one = step >= 0 && side >= 0;
    for (int j = head == "layers" ? 0 : layer - 1; j < (head == "layers" ? g.NL : layer); ++j) {
      for (int s = firstStep; s <= lastStep; ++s) {
        for (int c = side >= 0 ? side : 0; c <= (side >= 0 ? side : 1); ++c) {
          if (!one && problem.LayerTable[j][s][c].Wd < ExcavatedBelow) continue;
          const std::optional<SoilStrength>& kept = problem.StrengthTable[j][s][c];
          if (strength && !kept) continue;
          field.records_.push_back({j, s, c});
          if (strength) field.strengths_.push_back(*kept);
        }
      }
    }
    if (strength && field.records_.empty()) {
      return refuse(
          "no record it names keeps the strength its coefficients came from; give it "
          "with \"K from φ'\" in the soil layer editor first");
    }
    if (field.records_.empty()) {
      return refuse("every record it names is excavated (Wd 0); name the step and the side");
    }
    return field;
  }
  if (Numbered(head, "anchor") >= 0) {
    field.kind_ = Kind::Anchor;
    field.member_ = IndexOf(AnchorNames, last);
    if (field.member_ < 0) return unknown();
    const int point = Numbered(head, "anchor");
    if (point > g.NL) {
      return refuse("point " + std::to_string(point) + " is not in the problem (points 0.." +
                    std::to_string(g.NL) + ")");
    }
    for (int s = firstStep; s <= lastStep; ++s) {
      // Without a step, Fa and Fw only where an anchor stands: setting them
      // elsewhere would build the anchor before its step.
      const bool anchored = std::fabs(problem.Anchors[s][point].Fa) >= StressTolerance;
      if (step < 0 && field.member_ != 0 && !anchored) continue;
      field.records_.push_back({s, point});
    }
    if (field.records_.empty()) {
      return refuse("point " + std::to_string(point) +
                    " has an anchor in no step; name the step: anchor" + std::to_string(point) +
                    ".stepS." + last);
    }
    if (field.member_ == FwMember) {
      const double given = problem.Anchors[field.records_.front().A][point].Fw;
      field.givenSign_ = given > 0.0 ? 1.0 : given < 0.0 ? -1.0 : 0.0;
    }
    return field;
  }
  if (head == "axial") {
    field.kind_ = Kind::Axial;
    field.member_ = IndexOf(AxialNames, last);
    if (field.member_ < 0) return unknown();
    for (int s = firstStep; s <= lastStep; ++s) field.records_.push_back({s});
    return field;
  }
  return unknown();
}

double StudyField::Rounded(double value) const {
  // Whole units divided by the scale give the double nearest to the decimal,
  // the one a datafile reads back; + 0.0 turns -0 into 0.
  const double scale = kind_ == Kind::Elements ? 1.0 : kind_ == Kind::Stiffness ? 10.0 : 1000.0;
  return std::round(value * scale) / scale + 0.0;
}

std::optional<std::string> StudyField::Refusal(double value) const {
  const std::string lead = name_ + " = " + Format("%g", value) + ": ";
  switch (kind_) {
    case Kind::Soil:
      if (member_ == DwMember && value <= 0.0) return lead + "a stroke must be above 0";
      if (value < 0.0) return lead + "a soil value must not be negative";
      break;
    case Kind::Strength:
      for (SoilStrength strength : strengths_) {
        strength.Phi = value;
        if (const std::string error = StrengthError(strength); !error.empty()) {
          return lead + error;
        }
      }
      break;
    case Kind::Anchor:
      if (member_ == FaMember && value < 0.0) return lead + "an anchor force must not be negative";
      if (member_ == FwMember && value == 0.0) return lead + "Fw must not be 0";
      if (member_ == FwMember && givenSign_ * value < 0.0) {
        return lead + "Fw must keep the sign it has in the datafile (the side of the anchor)";
      }
      break;
    case Kind::Stiffness:
      if (value <= 0.0) return lead + "EI must be above 0";
      break;
    case Kind::Elements:
      if (value < leastElements_ || value > MaxElements) {
        return lead + "NN must lie between " + std::to_string(leastElements_) + " and " +
               std::to_string(MaxElements);
      }
      break;
    case Kind::Boundary:
      if (value <= 0.0) return lead + "a depth must be above 0";
      break;
    case Kind::Axial:
      break;
  }
  return std::nullopt;
}

double* StudyField::Slot(ProblemData& problem, const Record& r) const {
  return const_cast<double*>(Slot(static_cast<const ProblemData&>(problem), r));
}

const double* StudyField::Slot(const ProblemData& problem, const Record& r) const {
  switch (kind_) {
    case Kind::Soil:
      return &(problem.LayerTable[r.A][r.B][r.C].*SoilMembers[member_]);
    case Kind::Strength: {
      const std::optional<SoilStrength>& kept = problem.StrengthTable[r.A][r.B][r.C];
      KORVANU_CHECK(kept.has_value());
      return &kept->Phi;
    }
    case Kind::Anchor:
      return &(problem.Anchors[r.A][r.B].*AnchorMembers[member_]);
    case Kind::Axial:
      return &(problem.Axial[r.A].*AxialMembers[member_]);
    case Kind::Stiffness:
      return &problem.Catalogue[r.A].EI;
    case Kind::Boundary:
      return &problem.Z[r.A];
    case Kind::Elements:
      break;
  }
  return nullptr;
}

void StudyField::Apply(ProblemData& problem, double value) const {
  if (kind_ == Kind::Elements) {
    problem.General.NN = static_cast<int>(value);
    return;
  }
  if (kind_ == Kind::Boundary) {
    const int point = records_.front().A;
    if (point == problem.General.NL) {
      SetWallLength(problem, value);
    } else {
      problem.Z[point] = value;
      problem.H[point - 1] = problem.Z[point] - problem.Z[point - 1];
      problem.H[point] = problem.Z[point + 1] - problem.Z[point];
    }
    return;
  }
  for (const Record& record : records_) *Slot(problem, record) = value;
}

bool StudyField::KeepCoefficientOrder(ProblemData& problem) const {
  if (kind_ != Kind::Soil && kind_ != Kind::Strength) return false;
  bool changed = false;
  for (const Record& r : records_) {
    LayerProperties& l = problem.LayerTable[r.A][r.B][r.C];
    if (kind_ == Kind::Strength) {
      // After every value of the run is in, so that the stress behind Dw is
      // the run's; kept to 0.001 as the datafile keeps them. A stroke the
      // table could not hold is kept at its smallest: k_h sets the stiffness
      // only, and a run must not fail for a rounding.
      const EarthPressureCoefficients k =
          LayerCoefficients(problem, r.A, static_cast<Side>(r.C),
                            *problem.StrengthTable[r.A][r.B][r.C], StrokeRule::Unrounded);
      KORVANU_CHECK(k.Ok());
      const auto kept = [](double value) { return std::stod(Format("%.3f", value)); };
      l.Ka = kept(k.Ka);
      l.Kn = kept(k.Kn);
      l.Kp = kept(k.Kp);
      if (k.Dw) l.Dw = kept(*k.Dw);
    }
    const LayerProperties before = l;
    if (l.Kp < l.Ka) l.Kp = l.Ka;
    if (l.Kn < l.Ka) l.Kn = l.Ka;
    if (l.Kn > l.Kp) l.Kn = l.Kp;
    changed = changed || !(l == before);
  }
  return changed;
}

std::optional<double> StudyField::GivenValue(const ProblemData& problem) const {
  if (kind_ == Kind::Elements) return problem.General.NN;
  const double first = *Slot(problem, records_.front());
  for (const Record& record : records_) {
    if (*Slot(problem, record) != first) return std::nullopt;
  }
  return first;
}

bool StudyField::Overlaps(const StudyField& other) const {
  // phi' sets Ka, Kn, Kp and, with k_h, Dw of its records.
  if (kind_ == Kind::Soil && other.kind_ == Kind::Strength) return other.Overlaps(*this);
  if (kind_ == Kind::Strength && other.kind_ == Kind::Soil) {
    if (other.member_ < KaMember) return false;
    for (std::size_t k = 0; k < records_.size(); ++k) {
      const bool shared = std::find(other.records_.begin(), other.records_.end(), records_[k]) !=
                          other.records_.end();
      if (shared && (other.member_ != DwMember || strengths_[k].Kh)) return true;
    }
    return false;
  }
  if (kind_ != other.kind_ || member_ != other.member_) return false;
  if (kind_ == Kind::Elements) return true;
  return std::any_of(records_.begin(), records_.end(), [&](const Record& r) {
    return std::find(other.records_.begin(), other.records_.end(), r) != other.records_.end();
  });
}

}  // namespace korvanu
