// The texts of the main window's two help boxes.
#pragma once

#include <QString>

namespace korvanu {

// Help button and Help > Introduction.
QString IntroductionText();
// The help button of the general data panel.
QString GeneralDataHelpText();

}  // namespace korvanu
