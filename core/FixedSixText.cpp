// Numbers as "%.6f" writes them: the quick way where it can tell, to_chars
// (exact, and always to nearest) where it cannot.
#include "core/FixedSixText.h"

#include <charconv>
#include <cstring>

namespace korvanu {

char* WriteFixedSix(char* out, double value) {
  unsigned long long units = 0;
  if (!FixedSixUnits(value, units)) {
    return std::to_chars(out, out + FixedSixRoom, value, std::chars_format::fixed, 6).ptr;
  }
  char text[FixedSixFastRoom];
  const char* first = WriteFixedSixBackwards(text + sizeof text, units, std::signbit(value));
  const auto length = static_cast<std::size_t>(text + sizeof text - first);
  std::memcpy(out, first, length);
  return out + length;
}

}  // namespace korvanu
