// The shared conversions: lenient decimal reading, the 40-character cut, and
// independence from the locale the windowing toolkit installs.
#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>

#include "core/TextFormat.h"

namespace korvanu {
namespace {

TEST(TextFormat, ReadRealTakesTheLeadingDecimalOnly) {
  EXPECT_EQ(ReadReal("  12.5abc"), 12.5);
  EXPECT_EQ(ReadReal("-.5"), -0.5);
  EXPECT_EQ(ReadReal("1e3"), 1000.0);
  EXPECT_EQ(ReadReal("1e"), 1.0);
  EXPECT_EQ(ReadReal("1e+"), 1.0);
  EXPECT_EQ(ReadReal(""), 0.0);
  EXPECT_EQ(ReadReal("."), 0.0);
  EXPECT_EQ(ReadReal("abc"), 0.0);
  EXPECT_EQ(ReadReal("0x10"), 0.0);
  EXPECT_EQ(ReadReal("inf"), 0.0);
  EXPECT_EQ(ReadReal("nan"), 0.0);
  EXPECT_EQ(ReadReal("1e999"), DBL_MAX);
  EXPECT_EQ(ReadReal("-1e999"), -DBL_MAX);
  EXPECT_EQ(ReadReal(std::string_view("7\0"
                                      "5",
                                      3)),
            7.0);
}

TEST(TextFormat, FixedTextShowsAVanishingValueAsZero) {
  EXPECT_EQ(FixedText(-0.0004, 3), "0.000");
  EXPECT_EQ(FixedText(-0.0, 3), "0.000");
  EXPECT_EQ(FixedText(-0.0006, 3), "-0.001");
  EXPECT_EQ(FixedText(-41.198, 3), "-41.198");
  EXPECT_EQ(FixedText(-1e-9, 0), "0");
}

TEST(TextFormat, ReadIntegerStopsAtTheFirstNonDigit) {
  EXPECT_EQ(ReadInteger("12abc"), 12);
  EXPECT_EQ(ReadInteger("3.7"), 3);
  EXPECT_EQ(ReadInteger(" -4"), -4);
  EXPECT_EQ(ReadInteger("abc"), 0);
  EXPECT_EQ(ReadInteger("99999999999"), 2147483647);
  EXPECT_EQ(ReadInteger("-99999999999"), -2147483647 - 1);
}

TEST(TextFormat, CutTextKeepsFortyCharactersAndWholeUtf8Characters) {
  EXPECT_EQ(CutText(std::string(45, 'a')), std::string(40, 'a'));
  EXPECT_EQ(CutText("short"), "short");
  // The limit counts characters: "é" (2 bytes) is the 40th and stays whole.
  const std::string accented = std::string(39, 'a') + "\xC3\xA9" + "bc";
  EXPECT_EQ(CutText(accented), std::string(39, 'a') + "\xC3\xA9");
  EXPECT_EQ(CutText("\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC", 2), "\xE2\x82\xAC\xE2\x82\xAC");
  // Eight-bit text that is not UTF-8 is cut at 40 bytes.
  const std::string latin = std::string(39, 'a') + "\xB5\xB5\xB5";
  EXPECT_EQ(CutText(latin).size(), 40u);
}

// A locale with a decimal comma; scripts/install-deps generates it.
TEST(TextFormat, NumbersUseAPointWhateverTheLocale) {
  const char* german = std::setlocale(LC_ALL, "de_DE.UTF-8");
  if (german == nullptr) german = std::setlocale(LC_ALL, "de_DE");
  ASSERT_NE(german, nullptr) << "no German locale to test against: run scripts/install-deps";
  EXPECT_EQ(Format("%10.3f", 1.5), "     1.500");
  EXPECT_EQ(ReadReal("1.5"), 1.5);
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace korvanu
