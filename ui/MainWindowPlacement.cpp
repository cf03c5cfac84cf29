// Placement of the main window from the screen size.
#include "ui/MainWindowPlacement.h"

#include <algorithm>

namespace korvanu {

QRect MainWindowPlacement(int screenWidth, int screenHeight) {
  int width = static_cast<int>(0.9 * screenWidth);
  int height = static_cast<int>(0.9 * screenHeight);
  int left = screenWidth / 20;
  int top = screenHeight / 20;
  if (screenWidth <= 800) {
    width = 800;
    left = 0;
  }
  if (screenHeight <= 600) {
    height = 600;
    top = 0;
  }
  return QRect(left, top, width, height);
}

QSize LimitMainWindowSize(QSize size) {
  return QSize(std::max(size.width(), MinimumMainWidth),
               std::max(size.height(), MinimumMainHeight));
}

}  // namespace korvanu
