// The one in-memory problem: all input that the editors change, the datafile
// stores and the computation reads. Plain records; nothing here validates.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/DesignSettings.h"
#include "core/Limits.h"
#include "core/SoilStrength.h"

namespace korvanu {

struct GeneralData {
  std::string LicensedUser;
  std::string FileName;
  std::string ProblemName;
  double Length = 0.0;  // m; shown, saved and printed, never used by the computation
  int NN = 0;           // elements of the beam analysis
  int NL = 0;           // soil layers
  int NT = 0;           // loading steps after the initial state
  int NP = 0;           // catalogue profile (1..20) that forms the wall
  int Version = 0;

  bool operator==(const GeneralData&) const = default;
};

// Soil of one layer, one loading step and one side, in datafile order.
struct LayerProperties {
  double Wd = 0.0;   // kN/m3, dry
  double Ws = 0.0;   // kN/m3, saturated
  double Zw = 0.0;   // m, phreatic level below the top of the wall
  double Cap = 0.0;  // m, capillary zone above the phreatic level
  double q = 0.0;    // kN/m2, surcharge on this layer and all below
  double c = 0.0;    // kN/m2, cohesion
  double Ka = 0.0;
  double Kp = 0.0;
  double Kn = 0.0;
  double Dw = 0.0;  // m, stroke between active and passive

  bool operator==(const LayerProperties&) const = default;
};

// Given force and anchor at one point in one step.
struct AnchorRecord {
  double Fx = 0.0;  // kN/m, given lateral force, positive to the right
  double Fa = 0.0;  // kN/m, maximum anchor force
  double Fw = 0.0;  // m, displacement of the maximum force; sign gives the side

  bool operator==(const AnchorRecord&) const = default;
};

struct AxialRecord {
  double NA = 0.0;  // kN/m, normal force at the top, tension positive
  double NB = 0.0;  // kN/m, normal force at the toe
  double MA = 0.0;  // kNm/m, moment at the top, clockwise positive

  bool operator==(const AxialRecord&) const = default;
};

struct Profile {
  std::string Name;
  double Area = 0.0;    // m2/m
  double Weight = 0.0;  // kN/m3
  double E = 0.0;       // GN/m2
  double h = 0.0;       // m, height of the section
  double i = 0.0;       // m, radius of inertia
  double EI = 0.0;      // kNm2/m

  bool operator==(const Profile&) const = default;
};

struct ProblemData {
  GeneralData General;

  std::array<double, MaxPoints> Z{};  // LayerBoundary: depth of point p
  std::array<double, MaxLayers> H{};  // thickness of layer j+1

  std::array<std::string, MaxLayers> LayerName;
  // LayerTable[layer][step][side]
  std::array<std::array<std::array<LayerProperties, 2>, StepSlots>, MaxLayers> LayerTable{};
  std::array<int, MaxLayers> LayerPattern{};
  // StrengthTable[layer][step][side]: the strength the coefficients of that
  // entry were derived from, while they still are; none for values typed.
  std::array<std::array<std::array<std::optional<SoilStrength>, 2>, StepSlots>, MaxLayers>
      StrengthTable{};

  std::array<std::array<AnchorRecord, MaxPoints>, StepSlots> Anchors{};  // [step][point]
  std::array<AxialRecord, StepSlots> Axial{};                            // [step]

  std::array<Profile, MaxProfiles> Catalogue;  // entry n at index n-1

  DesignSettings Design;  // what the design checks require

  LayerProperties& Layer(int layer, int step, Side side) {
    return LayerTable[layer][step][static_cast<int>(side)];
  }
  const LayerProperties& Layer(int layer, int step, Side side) const {
    return LayerTable[layer][step][static_cast<int>(side)];
  }

  std::optional<SoilStrength>& Strength(int layer, int step, Side side) {
    return StrengthTable[layer][step][static_cast<int>(side)];
  }
  const std::optional<SoilStrength>& Strength(int layer, int step, Side side) const {
    return StrengthTable[layer][step][static_cast<int>(side)];
  }

  // Whole-record comparison: whether a problem differs from its last saved
  // state, and what undo must put back.
  bool operator==(const ProblemData&) const = default;
};

}  // namespace korvanu
