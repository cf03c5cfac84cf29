// Numbers as "%.6f" writes them, by the quick way and the general one.
#include <gtest/gtest.h>

#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/FixedSixText.h"

namespace korvanu {
namespace {

// The step files' fast conversion must give printf's text for every value:
// exact halves (1/128 rounds to even), values a unit in the last place from
// a half, every magnitude and sign, and under each rounding mode.
TEST(FixedSixText, WriteFixedSixGivesPrintfsText) {
  std::vector<double> values = {
      0.0,  -0.0,  1.0 / 128,      -3.0 / 128,        5e-7,    -5e-7,    1e-301, -1e-320,
      1e12, -1e12, 999999.9999995, 123456789012345.6, DBL_MAX, -DBL_MAX, 2.5e-7, 1.5e-6};
  for (double half : {0.0000005, 1.0000005, 0.0078125, 12345.6789125}) {
    values.push_back(std::nextafter(half, 0.0));
    values.push_back(std::nextafter(half, 1e300));
  }
  std::mt19937_64 random(17);
  std::uniform_real_distribution<double> exponent(-12.0, 14.0);
  for (int i = 0; i < 20000; ++i) {
    const double v = std::pow(10.0, exponent(random)) * (i % 2 ? -1.0 : 1.0);
    values.push_back(v);
    values.push_back(std::round(v * 1e7) / 1e7);  // last digit a 5 more often
  }
  // printf follows the rounding mode; the step files always round to nearest.
  std::vector<std::string> expected;
  for (double v : values) {
    char text[400];
    std::snprintf(text, sizeof text, "%.6f", v);
    expected.emplace_back(text);
  }
  for (int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    std::fesetround(mode);
    for (std::size_t i = 0; i < values.size(); ++i) {
      char written[FixedSixRoom + 1];
      const std::string text(written, WriteFixedSix(written, values[i]));
      std::fesetround(FE_TONEAREST);
      ASSERT_EQ(text, expected[i]) << "rounding mode " << mode;
      std::fesetround(mode);
    }
  }
  std::fesetround(FE_TONEAREST);
}

}  // namespace
}  // namespace korvanu
