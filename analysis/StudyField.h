// A datafile field that a study varies, named in words a user can read:
// layer3.Kp, layer2.step2.right.Zw, layer3.phi, anchor1.Fa, profile1.EI, NN,
// toe. The name is resolved against the problem once; a value then goes into
// every record the name addresses, rounded as a datafile keeps it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/ProblemData.h"

namespace korvanu {

class StudyField {
 public:
  // The field a name addresses in `problem`; nothing, with the reason and the
  // valid forms in `why`, for a name that is unknown or out of range.
  static std::optional<StudyField> Parse(const std::string& name, const ProblemData& problem,
                                         std::string& why);

  const std::string& Name() const { return name_; }
  // The value as a datafile keeps it: to 0.001 (EI to 0.1, NN whole).
  double Rounded(double value) const;
  // Why a rounded value cannot be given to the field; nothing when it can.
  std::optional<std::string> Refusal(double value) const;
  // Writes the value into every record the name addresses.
  void Apply(ProblemData& problem, double value) const;
  // Once every value of a run is in: derives Ka, Kn, Kp (and Dw from k_h)
  // anew from the strength of the records of a phi name, then brings Kp up
  // to Ka and Kn between them in the soil records of the field, as a
  // datafile is read. True when bringing them in order changed a value.
  bool KeepCoefficientOrder(ProblemData& problem) const;
  // The value the problem holds, when all records of the name hold the same.
  std::optional<double> GivenValue(const ProblemData& problem) const;
  // Whether the two names set a value of the same record.
  bool Overlaps(const StudyField& other) const;
  // A layer boundary moves: the layers must stay in order in every run.
  bool MovesBoundary() const { return kind_ == Kind::Boundary; }
  // The point of an anchor name, -1 for the other names.
  int AnchorPoint() const { return kind_ == Kind::Anchor ? records_.front().B : -1; }

 private:
  enum class Kind { Soil, Strength, Anchor, Axial, Stiffness, Elements, Boundary };
  // The indices of one record: soil and strength (layer, step, side),
  // anchor (step, point), axial (step), stiffness (profile index), boundary
  // (point).
  struct Record {
    int A = 0, B = 0, C = 0;
    bool operator==(const Record&) const = default;
  };

  double* Slot(ProblemData& problem, const Record& record) const;
  const double* Slot(const ProblemData& problem, const Record& record) const;

  Kind kind_ = Kind::Elements;
  std::string name_;
  int member_ = 0;  // which field of the record
  std::vector<Record> records_;
  // Of a phi name: the strength each record holds in the problem, so that a
  // friction angle is checked against the other inputs before any run.
  std::vector<SoilStrength> strengths_;
  int leastElements_ = 10;
  double givenSign_ = 0.0;  // of Fw: the side of the anchor
};

}  // namespace korvanu
