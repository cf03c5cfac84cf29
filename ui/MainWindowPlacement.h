// Where the main window opens and how small it may become, as pure
// functions of the screen and window sizes.
#pragma once

#include <QRect>
#include <QSize>

namespace korvanu {

// Nine tenths of the screen, a twentieth in from its top left corner; small
// screens (at most 800 wide or 600 high) get 800 or 600 from the edge.
QRect MainWindowPlacement(int screenWidth, int screenHeight);

// The window is never narrower than 600 nor lower than 550.
QSize LimitMainWindowSize(QSize size);
constexpr int MinimumMainWidth = 600;
constexpr int MinimumMainHeight = 550;

// Left edges of the Quit and Help buttons for a window of this width.
constexpr int QuitButtonLeft(int windowWidth) {
  return windowWidth - 57;
}
constexpr int HelpButtonLeft(int windowWidth) {
  return windowWidth - 32;
}

}  // namespace korvanu
