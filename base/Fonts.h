// The window fonts the program is designed with, mapped onto free fonts of
// the same metrics so that every width and height comes out as laid out.
#pragma once

namespace korvanu {

// Registers the substitutes; call once after the application object exists.
void InstallFontSubstitutes();

}  // namespace korvanu
