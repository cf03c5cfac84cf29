// Output tables and graphs of the printed report.
#include "print/PrintedOutput.h"

namespace korvanu {

// The printed table of a step joins with the output tables.
int PrintStepTable(PrintContext& context, int y, int k) {
  (void)context;
  (void)k;
  return y;
}

// The graph scales join with the output graphs.
void ComputeGraphScales(PrintContext& context) {
  (void)context;
}

// The printed graphs of a step join with the output graphs.
int PrintStepGraphs(PrintContext& context, int y, int k) {
  (void)context;
  (void)k;
  return y;
}

}  // namespace korvanu
