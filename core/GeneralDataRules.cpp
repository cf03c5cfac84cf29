// The general-data rules: what storing a typed value into one row of the
// general data grid does to the problem and what the cell shows afterwards.
#include "core/GeneralDataRules.h"

#include <algorithm>
#include <cmath>

#include "core/Check.h"
#include "core/DatafileText.h"
#include "core/TextFormat.h"

namespace korvanu {
namespace {

constexpr const char* kEnterPositiveNumber = "Enter positive number";
constexpr const char* kEnterPositiveInteger = "Enter positive integer number";

std::string* TextField(GeneralData& g, GeneralField field) {
  switch (field) {
    case GeneralField::LicensedUser:
      return &g.LicensedUser;
    case GeneralField::FileName:
      return &g.FileName;
    case GeneralField::ProblemName:
      return &g.ProblemName;
    case GeneralField::Length:
    case GeneralField::NN:
    case GeneralField::NL:
    case GeneralField::NT:
    case GeneralField::NP:
      break;
  }
  return nullptr;
}

// NL grows: the layers taken (back) into use are 1 m thick and keep their
// soil; NL shrinks: the layers out of use keep their geometry. Length follows
// the lowest boundary in both cases.
void SetLayerCount(ProblemData& problem, int layers) {
  GeneralData& g = problem.General;
  for (int j = std::max(g.NL, 0); j < layers; ++j) {
    problem.H[j] = 1.0;
    problem.Z[j + 1] = problem.Z[j] + 1.0;
  }
  g.NL = layers;
  g.Length = problem.Z[g.NL];
}

}  // namespace

const char* GeneralCaption(GeneralField field) {
  switch (field) {
    case GeneralField::LicensedUser:
      return "Licensed User";
    case GeneralField::FileName:
      return "File Name";
    case GeneralField::ProblemName:
      return "Problem Name";
    case GeneralField::Length:
      return "Length (m)";
    case GeneralField::NN:
      return "Number of Elements";
    case GeneralField::NL:
      return "Number of Layers";
    case GeneralField::NT:
      return "Number of Loading Steps";
    case GeneralField::NP:
      return "Profile";
  }
  KORVANU_CHECK(false && "unknown general-data row");
  return "";
}

std::string GeneralValueText(const ProblemData& problem, GeneralField field) {
  const GeneralData& g = problem.General;
  switch (field) {
    case GeneralField::LicensedUser:
      return g.LicensedUser;
    case GeneralField::FileName:
      return g.FileName;
    case GeneralField::ProblemName:
      return g.ProblemName;
    case GeneralField::Length:
      return Format("%12.3f", g.Length);
    case GeneralField::NN:
      return Format("%8d", g.NN);
    case GeneralField::NL:
      return Format("%8d", g.NL);
    case GeneralField::NT:
      return Format("%8d", g.NT);
    case GeneralField::NP:
      return Format("%8d", g.NP);
  }
  KORVANU_CHECK(false && "unknown general-data row");
  return "";
}

CellCommit ApplyGeneralValue(ProblemData& problem, ViewState& view, GeneralField field,
                             std::string_view typed) {
  GeneralData& g = problem.General;
  CellCommit edit;

  if (std::string* text = TextField(g, field)) {
    // A line break pasted into the cell would split the datafile line.
    std::string clean;
    for (char c : typed) {
      if (c != '\r' && c != '\n' && c != '\0') clean += c;
    }
    clean = CutText(clean);
    // The datafile must give the text back as typed.
    if (std::string why = DatafileTextRefusal(clean, GeneralCaption(field)); !why.empty()) {
      edit.Accepted = false;
      edit.Message = std::move(why);
      edit.Shown = *text;
      return edit;
    }
    *text = std::move(clean);
  } else if (field == GeneralField::Length) {
    const double v = ReadReal(typed);
    if (!(v > 0.0)) {
      edit.Accepted = false;
      edit.Message = kEnterPositiveNumber;
      edit.Shown = GeneralValueText(problem, field);
      return edit;
    }
    g.Length = v;
  } else {
    const int v = ReadInteger(typed);
    if (v < 1) {
      edit.Accepted = false;
      edit.Message = kEnterPositiveInteger;
      edit.Shown = GeneralValueText(problem, field);
      return edit;
    }
    switch (field) {
      case GeneralField::NN:
        g.NN = std::max({std::min(v, MaxElements), 2 * g.NL, 10});
        break;
      case GeneralField::NL: {
        // NN/2 is at least 5 when NN came through these rules; a datafile
        // may carry a smaller NN, and a wall needs one layer at least.
        SetLayerCount(problem, std::max(1, std::min({v, MaxLayers, g.NN / 2})));
        edit.OthersChanged = true;
        break;
      }
      case GeneralField::NT:
        g.NT = std::min(v, MaxSteps);
        break;
      case GeneralField::NP:
        g.NP = std::min(v, MaxProfiles);
        break;
      case GeneralField::LicensedUser:
      case GeneralField::FileName:
      case GeneralField::ProblemName:
      case GeneralField::Length:
        KORVANU_CHECK(false && "not a whole-number general-data row");
    }
  }

  edit.Shown = GeneralValueText(problem, field);
  view.ResultsValid = false;
  view.PageOffset = 0;
  return edit;
}

std::string LengthFollowsLayers(ProblemData& problem) {
  const int layers = problem.General.NL;
  if (layers < 0 || layers > MaxLayers) return {};
  const double depth = problem.Z[layers];
  // Half the last decimal shown: a Length that reads as the depth did not
  // give way, whatever the sum of the thicknesses left in its last bits.
  const bool gaveWay = !(std::fabs(problem.General.Length - depth) <= 0.0005);
  problem.General.Length = depth;
  if (!gaveWay || layers == 0) return {};
  return Format("Length follows the layers: change the thickness of layer %d", layers);
}

}  // namespace korvanu
