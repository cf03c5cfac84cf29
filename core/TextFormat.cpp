// printf-style formatting and lenient number conversions. Both work in the
// "C" locale whatever locale the windowing toolkit installs, so a file written
// on one desktop reads back on every other.
#include "core/TextFormat.h"

#include <locale.h>

#include <cerrno>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "core/Limits.h"

namespace korvanu {
namespace {

locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

// Switches the calling thread to the "C" locale for the lifetime of the object.
class CLocaleScope {
 public:
  CLocaleScope() : previous_(CLocale() ? uselocale(CLocale()) : static_cast<locale_t>(nullptr)) {}
  ~CLocaleScope() {
    if (previous_) uselocale(previous_);
  }
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  locale_t previous_;
};

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::string Format(const char* format, ...) {
  CLocaleScope inC;
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

std::string FixedText(double value, int decimals) {
  std::string text = Format("%.*f", decimals, value);
  if (!text.empty() && text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) {
    text.erase(0, 1);
  }
  return text;
}

namespace {

// The length of the plain decimal number at the start of `text` (sign,
// digits, a point, an exponent), 0 when there is none.
size_t DecimalLength(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  return i;
}

}  // namespace

double ReadReal(std::string_view text) {
  // Only the plain decimal form is a number here: no hexadecimal, "inf" or
  // "nan", which a user typing into a cell or a datafile never means.
  size_t start = 0;
  while (start < text.size() && IsSpace(text[start])) ++start;
  const size_t length = DecimalLength(text.substr(start));
  if (length == 0) return 0.0;
  const size_t i = start + length;
  // from_chars rounds as strtod does and needs no locale; only values beyond
  // the range of a double take the slower road.
  const size_t unsigned_start = start < i && text[start] == '+' ? start + 1 : start;
  double v = 0.0;
  const auto [end, error] = std::from_chars(text.data() + unsigned_start, text.data() + i, v);
  if (error != std::errc() || end != text.data() + i) {
    const std::string number(text.substr(start, i - start));
    v = CLocale() ? strtod_l(number.c_str(), nullptr, CLocale())
                  : std::strtod(number.c_str(), nullptr);
  }
  if (v > DBL_MAX) v = DBL_MAX;
  if (v < -DBL_MAX) v = -DBL_MAX;
  if (v != v) v = 0.0;
  return v;
}

int ReadInteger(std::string_view text) {
  const std::string s(text.substr(0, text.find('\0')));
  errno = 0;
  long long v = std::strtoll(s.c_str(), nullptr, 10);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

std::string CutText(std::string_view text, int limit) {
  // Texts are UTF-8: the limit counts characters, and a character is never
  // split in two. A byte that starts no valid UTF-8 character counts as one.
  size_t pos = 0;
  for (int count = 0; count < limit && pos < text.size(); ++count) {
    const unsigned char lead = static_cast<unsigned char>(text[pos]);
    const size_t length = lead >= 0xF0 && lead <= 0xF4  ? 4
                          : lead >= 0xE0 && lead < 0xF0 ? 3
                          : lead >= 0xC2 && lead < 0xE0 ? 2
                                                        : 1;
    bool valid = pos + length <= text.size();
    for (size_t c = pos + 1; valid && c < pos + length; ++c) {
      if ((static_cast<unsigned char>(text[c]) & 0xC0) != 0x80) valid = false;
    }
    pos += valid ? length : 1;
  }
  return std::string(text.substr(0, pos));
}

std::string VisibleText(std::string_view text) {
  std::string visible;
  for (const char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '\r') {
      visible += "\\r";
    } else if (c == '\n') {
      visible += "\\n";
    } else if (c == '\t') {
      visible += "\\t";
    } else if (u < 0x20 || u == 0x7f) {
      visible += Format("\\x%02x", u);
    } else {
      visible += c;
    }
  }
  return visible;
}

bool WholeNumber(const std::string& word, double& value) {
  if (word.empty() || DecimalLength(word) != word.size()) return false;
  const size_t start = word[0] == '+' ? 1 : 0;
  const auto [end, error] = std::from_chars(word.data() + start, word.data() + word.size(), value);
  return error == std::errc() && end == word.data() + word.size() && std::isfinite(value);
}

std::string ExactText(double value, int decimals) {
  const std::string fixed = FixedText(value, decimals);
  double back = 0.0;
  std::from_chars(fixed.data(), fixed.data() + fixed.size(), back);
  if (back == value || !std::isfinite(value)) return fixed;
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc() ? std::string(buffer, end) : fixed;
}

bool WholeInteger(const std::string& word, int& value) {
  double number = 0.0;
  if (!WholeNumber(word, number) || number != std::floor(number) || std::fabs(number) > 1e6) {
    return false;
  }
  value = static_cast<int>(number);
  return true;
}

std::vector<std::string_view> BlankSeparatedWords(std::string_view line) {
  std::vector<std::string_view> words;
  size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    const size_t start = pos;
    while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t') ++pos;
    if (pos > start) words.push_back(line.substr(start, pos - start));
  }
  return words;
}

}  // namespace korvanu
