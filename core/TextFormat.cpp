// printf-style formatting and lenient number conversions.
#include "core/TextFormat.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "core/Limits.h"

namespace korvanu {

std::string Format(const char* format, ...) {
  char small[256];
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int n = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  std::string out;
  if (n < 0) {
    va_end(again);
    return out;
  }
  if (static_cast<size_t>(n) < sizeof small) {
    out.assign(small, static_cast<size_t>(n));
  } else {
    out.resize(static_cast<size_t>(n) + 1);
    std::vsnprintf(out.data(), out.size(), format, again);
    out.resize(static_cast<size_t>(n));
  }
  va_end(again);
  return out;
}

double ReadReal(std::string_view text) {
  const std::string s(text);  // strtod needs a terminated string
  errno = 0;
  double v = std::strtod(s.c_str(), nullptr);
  if (v > DBL_MAX) v = DBL_MAX;
  if (v < -DBL_MAX) v = -DBL_MAX;
  if (v != v) v = 0.0;  // "nan" is not a number for us
  return v;
}

int ReadInteger(std::string_view text) {
  const std::string s(text);
  errno = 0;
  long long v = std::strtoll(s.c_str(), nullptr, 10);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

std::string CutText(std::string_view text) {
  return std::string(text.substr(0, MaxText));
}

}  // namespace korvanu
