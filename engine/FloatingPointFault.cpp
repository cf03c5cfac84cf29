// Turning zero divisors and raised IEEE flags into the fault that ends a run.
#include "engine/FloatingPointFault.h"

#include <cmath>

namespace korvanu {

const char* FaultText(ComputationFault fault) {
  switch (fault) {
    case ComputationFault::DivisionByZero:
      return "Floating point division by zero.";
    case ComputationFault::Overflow:
      return "Floating point overflow.";
    case ComputationFault::InvalidOperation:
      return "Invalid floating point operation.";
    case ComputationFault::LimitsExceeded:
      return "The problem exceeds the limits of the computation: at most 1000 elements, "
             "20 layers and 20 loading steps.";
    case ComputationFault::None:
      break;
  }
  return "";
}

void ClearFloatingPointFlags() {
  std::feclearexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
}

void CheckFloatingPointFlags() {
  const int raised = std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
  if (raised == 0) [[likely]] {
    return;
  }
  if (raised & FE_DIVBYZERO) throw FloatingPointFaultError(ComputationFault::DivisionByZero);
  if (raised & FE_OVERFLOW) throw FloatingPointFaultError(ComputationFault::Overflow);
  throw FloatingPointFaultError(ComputationFault::InvalidOperation);
}

void RaiseDivisionFault(double numerator) {
  // Anything raised before this division in the same unit of work came first.
  CheckFloatingPointFlags();
  if (numerator == 0.0 || std::isnan(numerator)) {
    throw FloatingPointFaultError(ComputationFault::InvalidOperation);
  }
  throw FloatingPointFaultError(ComputationFault::DivisionByZero);
}

}  // namespace korvanu
