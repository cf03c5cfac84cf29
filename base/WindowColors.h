// The colours of the windows' panels and figures, shared by the windows and
// the manual's figures.
#pragma once

#include <QColor>

namespace korvanu::colors {

inline const QColor Aqua{0x00, 0xFF, 0xFF};
inline const QColor Lime{0x00, 0xFF, 0x00};
inline const QColor Yellow{0xFF, 0xFF, 0x00};
inline const QColor Red{0xFF, 0x00, 0x00};
inline const QColor Blue{0x00, 0x00, 0xFF};

}  // namespace korvanu::colors
