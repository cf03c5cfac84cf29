// Numbers as "%.6f" writes them, quickly: the step files hold a million of
// them per run, and the general conversion was most of a computation's time.
#pragma once

#include <cmath>

namespace korvanu {

// Room WriteFixedSix may need: the widest double in "%.6f".
constexpr int FixedSixRoom = 330;

// Writes value as "%.6f" gives it (sign and digits, no padding, rounded to
// nearest whatever the rounding mode) from out on and returns the end.
char* WriteFixedSix(char* out, double value);

// |value| * 10^6 rounded as printf rounds it, or false where only the general
// conversion can tell: a fraction so near a half that the product's rounding
// (at most one unit in its last place, in any rounding mode) could tip it.
inline bool FixedSixUnits(double value, unsigned long long& units) {
  const double magnitude = std::fabs(value);
  if (!(magnitude == 0.0 || (magnitude > 1e-300 && magnitude < 1e12))) return false;
  const double scaled = magnitude * 1e6;
  units = static_cast<unsigned long long>(scaled);  // below 2^60: exact
  const double fraction = scaled - static_cast<double>(units);
  if (std::fabs(fraction - 0.5) <= scaled * 0x1p-50 + 0x1p-60) return false;
  if (fraction > 0.5) ++units;
  return true;
}

// Writes units (from FixedSixUnits) as "%.6f" text that ends at `end`, at
// most FixedSixFastRoom characters, and returns its first character.
constexpr int FixedSixFastRoom = 24;
inline char* WriteFixedSixBackwards(char* end, unsigned long long units, bool negative) {
  static constexpr char Pairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  auto decimals = static_cast<unsigned>(units % 1000000);
  for (int pair = 0; pair < 3; ++pair) {
    const unsigned two = 2 * (decimals % 100);
    decimals /= 100;
    *--end = Pairs[two + 1];
    *--end = Pairs[two];
  }
  *--end = '.';
  units /= 1000000;
  if (units < 4294967296ULL) {  // 32-bit arithmetic is quicker, and the common case
    auto whole = static_cast<unsigned>(units);
    do {
      *--end = static_cast<char>('0' + whole % 10);
      whole /= 10;
    } while (whole > 0);
  } else {
    do {
      *--end = static_cast<char>('0' + units % 10);
      units /= 10;
    } while (units > 0);
  }
  if (negative) *--end = '-';
  return end;
}

}  // namespace korvanu
