// printf-style formatting and the C library's lenient text-to-number
// conversions that every grid, file and printout shares.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Limits.h"

namespace korvanu {

// Formats like snprintf, e.g. Format("%12.3f", 4.0) gives "       4.000".
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Fixed notation with `decimals` digits as "%.*f" gives it, except that a
// value that rounds to zero shows no sign: "0.000", never "-0.000".
std::string FixedText(double value, int decimals);

// FixedText when it reads back as `value`, otherwise the shortest text that
// does ("1.500", but "1.2645" and "1e+308"): a value the user gave, echoed or
// stored without losing what was given.
std::string ExactText(double value, int decimals);

// Converts the longest leading decimal real, after leading white space;
// text that is not a number gives 0 (as atof does). Never overflows to
// infinity: out-of-range values give the largest finite double of that sign.
double ReadReal(std::string_view text);

// Converts the longest leading decimal integer, after leading white space,
// so "12abc" gives 12 and "3.7" gives 3; no digits gives 0. Values outside
// int are clamped to its range.
int ReadInteger(std::string_view text);

// The text with its invisible characters written out ("\r", "\t", "\x01"), for
// a message that quotes what a file or a user gave.
std::string VisibleText(std::string_view text);

// A whole word that is a finite number (or a whole number of at most a
// million), unlike the datafile's lenient reading: a mistyped option value
// must not become 0.
bool WholeNumber(const std::string& word, double& value);
bool WholeInteger(const std::string& word, int& value);

// The first `limit` characters of a UTF-8 text (MaxText unless given).
std::string CutText(std::string_view text, int limit = MaxText);

// The words of a line, split at blanks and tabs.
std::vector<std::string_view> BlankSeparatedWords(std::string_view line);

}  // namespace korvanu
