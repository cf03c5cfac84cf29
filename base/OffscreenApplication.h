// The windowing system for tools that draw without a screen (the report of
// the command line, the window pictures, benchmarks): Qt's offscreen platform.
#pragma once

namespace korvanu {

// Creates the one application object of the process on the offscreen
// platform, with the program's font substitutes; does nothing when one
// exists already.
void StartOffscreenApplication();

}  // namespace korvanu
