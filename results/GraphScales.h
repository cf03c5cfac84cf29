// The common scales of the output graphs: each quantity's value scale comes
// from its largest absolute value over all steps, so that paging through the
// steps compares like with like; the depth scale from the wall length.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/ProblemData.h"
#include "engine/EngineState.h"

namespace korvanu {

// The four graphs, left to right. F is the soil pressure f, not the
// concentrated force.
enum class GraphQuantity { W, M, Q, F };
constexpr int GraphCount = 4;

// The graphs window as designed: the size it has before anyone resizes it,
// which also serves the report when the window was never shown.
constexpr int DesignedGraphsClientWidth = 700;
constexpr int DesignedGraphsClientHeight = 420;
constexpr int GraphsPanelHeight = 30;

// Largest absolute values over all steps and nodes.
struct GraphMaxima {
  std::array<double, GraphCount> Value{};  // by GraphQuantity

  double& operator[](GraphQuantity q) { return Value[static_cast<int>(q)]; }
  double operator[](GraphQuantity q) const { return Value[static_cast<int>(q)]; }
};

// Raises the maxima by nodes 0..NN of one step: |w|, |M|, |Q-| and |Q+|, |f|.
void RaiseGraphMaxima(GraphMaxima& maxima, const NodeResults& results, int NN);

// Reads the step files of steps 1..NT in turn into `results` (overwriting
// them, as every view's read does) and gathers their maxima. A file that
// cannot be read is reported through `report` with the reader's message and
// counts with whatever the arrays hold.
GraphMaxima ReadGraphMaxima(const ProblemData& problem, NodeResults& results,
                            const std::function<void(const std::string&)>& report);

// Sizes the scales are fixed from, in device units of each medium.
struct GraphSizes {
  int ClientWidth = DesignedGraphsClientWidth;    // graphs window
  int ClientHeight = DesignedGraphsClientHeight;  // graphs window
  int PanelHeight = GraphsPanelHeight;            // its step panel
  int PageWidth = 0;                              // printer
  int PageHeight = 0;                             // printer
};

struct GraphScale {
  double Maximum = 0.0;  // 1.1 times the largest absolute value (at least 1e-6)
  double Unit = 0.0;     // grid unit: the power of ten not above Maximum
  double Screen = 0.0;   // screen device units per value unit
  double Print = 0.0;    // printer device units per value unit
};

struct GraphScales {
  std::array<GraphScale, GraphCount> Value{};  // by GraphQuantity
  double ScreenZ = 0.0;                        // screen device units per metre of depth
  double PrintZ = 0.0;                         // printer device units per metre of depth

  const GraphScale& operator[](GraphQuantity q) const { return Value[static_cast<int>(q)]; }
};

// The largest value of a quantity lies a tenth of the window (or page) width
// from its axis; the wall fills the graph height on the screen and a fifth of
// the page height on paper. `wallLength` is z[NN] of the arrays at hand; a
// length of 0 gives a depth scale of 0.
GraphScales ComputeGraphScales(const GraphMaxima& maxima, double wallLength,
                               const GraphSizes& sizes);

}  // namespace korvanu
