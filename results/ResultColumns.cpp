// Values and captions of the result columns.
#include "results/ResultColumns.h"

#include "results/ResultQuantities.h"

namespace korvanu {

const char* const TableCaptions[ResultColumnCount + 1] = {
    "    i",      "         z", "         w", "         M",
    "        Q-", "        Q+", "         F", "         f",
};
// UTF-8: the unit of f ends in a superscript two.
const char* const TableUnits[ResultColumnCount + 1] = {
    "",
    "         m",
    "         m",
    "      kNm/m",
    "       kN/m",
    "       kN/m",
    "       kN/m",
    "      kN/m\u00b2",
};

double ResultValue(const NodeResults& results, ResultColumn column, int i) {
  switch (column) {
    case ResultColumn::z:
      return results.z[i];
    case ResultColumn::w:
      return results.w[i];
    case ResultColumn::M:
      return results.M[i];
    case ResultColumn::Qminus:
      return results.Qminus[i];
    case ResultColumn::Qplus:
      return results.Qplus[i];
    case ResultColumn::F:
      return ConcentratedForce(results, i);
    case ResultColumn::f:
      return DistributedLoad(results, i);
  }
  return 0.0;
}

}  // namespace korvanu
