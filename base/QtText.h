// Conversions between the problem's texts and Qt strings. The problem holds
// UTF-8; the datafile's own 8-bit text is converted on reading and writing
// (core/DatafileText), so the screen and the printed report show the same.
#pragma once

#include <QString>
#include <string>

namespace korvanu {

inline QString ToQString(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStdString(const QString& text) {
  return text.toUtf8().toStdString();
}

}  // namespace korvanu
