// Conversions between the problem's 8-bit texts and Qt strings: the
// datafile is plain 8-bit text, so every character maps to one byte.
#pragma once

#include <QString>
#include <string>

namespace korvanu {

inline QString ToQString(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStdString(const QString& text) {
  return text.toLatin1().toStdString();
}

}  // namespace korvanu
