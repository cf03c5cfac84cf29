// What storing a typed value into a cell of the soil layer grid does: names
// and thicknesses belong to the initial state, an edit spreads to the later
// steps (in step 0 to both sides), Kp and Kn stay between Ka and Kp, and a
// layer without dry weight acts as water.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/CellCommit.h"
#include "core/ProblemData.h"
#include "core/ViewState.h"

namespace korvanu {

// The columns of the soil layer grid; the data rows hold layers 1..NL.
enum class SoilColumn { Number, Name, H, Wd, Ws, Zw, Cap, q, c, Ka, Kp, Kn, Dw };
constexpr int SoilColumnCount = 13;

// What a data cell shows for layer `layer` (0-based) in the step and side of
// the view: "%2d" of the layer number, the name, or the value in "%10.3f".
std::string SoilCellText(const ProblemData& problem, const ViewState& view, SoilColumn column,
                         int layer);

// Commits `typed` into the cell of layer `layer` in the step and side of the
// view; whatever the outcome, ResultsValid is cleared.
CellCommit CommitSoilCell(ProblemData& problem, ViewState& view, SoilColumn column, int layer,
                          std::string_view typed);

// Below this dry weight a layer is excavated: it acts as water.
constexpr double NoDryWeight = 0.001;

// One entry of the layer table: a layer (0-based), a loading step, a side.
struct LayerRecord {
  int Layer = 0;
  int Step = 0;
  Side WallSide = Side::Left;

  bool operator==(const LayerRecord&) const = default;
};

// The entries of layers 1..NL in steps 0..NT that a change from `before` to
// `after` filled again: excavated before, with soil weight after. Unless the
// change gave them others, they keep the water values of the excavation
// (Ws 10, Ka = Kp = Kn = Dw = 1), as the spreading of a Wd typed into an
// earlier step leaves them. In layer, step, side order.
std::vector<LayerRecord> RefilledRecords(const ProblemData& before, const ProblemData& after);

// The entries as the panels and notes name them, layer by layer:
// "layer 2 (both sides, steps 1-3), layer 4 (left side, step 3)".
std::string DescribeRecords(const std::vector<LayerRecord>& records);

// What the soil layer editor says of the entries an edit made in step
// `shownStep` filled again, leaving out that step, which is on show: "Filled
// again, water values kept: layer 2 (...)."; empty when there are none.
std::string RefilledNote(const std::vector<LayerRecord>& records, int shownStep);

}  // namespace korvanu
