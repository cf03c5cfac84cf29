// Floating-point faults of the computation: a division by zero, an overflow or
// an invalid operation ends the run. Detected by explicit checks (a checked
// division and the IEEE status flags), never by signal handlers.
#pragma once

#include <cfenv>
#include <exception>

namespace korvanu {

enum class ComputationFault {
  None,
  DivisionByZero,    // "Floating point division by zero."
  Overflow,          // "Floating point overflow."
  InvalidOperation,  // "Invalid floating point operation."
  // Not a floating-point fault: NN, NL or NT beyond the fixed tables; the run
  // is refused before it starts.
  LimitsExceeded,
};

// The text the user sees for a fault; empty for None.
const char* FaultText(ComputationFault fault);

// Thrown at the first fault; RunComputation catches it.
class FloatingPointFaultError : public std::exception {
 public:
  explicit FloatingPointFaultError(ComputationFault fault) : fault_(fault) {}
  ComputationFault Fault() const { return fault_; }
  const char* what() const noexcept override { return FaultText(fault_); }

 private:
  ComputationFault fault_;
};

// Clears the flags that the fault checks look at.
void ClearFloatingPointFlags();

// Throws for a fault whose flag is raised. When several are raised in one unit
// of work the one that must have come first is reported: an overflow yields
// an infinity, and only an infinity (our inputs are finite) can then make an
// invalid operation.
void CheckFloatingPointFlags();

[[noreturn]] void RaiseDivisionFault(double numerator);

// x / y, but a zero divisor ends the run as the hardware trap would:
// finite non-zero / 0 is a division by zero, 0 / 0 an invalid operation. A
// fault flagged earlier in the same unit of work takes precedence.
inline double CheckedDivide(double x, double y) {
  if (y == 0.0) [[unlikely]] {
    RaiseDivisionFault(x);
  }
  return x / y;
}

}  // namespace korvanu
