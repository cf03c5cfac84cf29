// The texts of the help boxes.
#pragma once

#include <QString>

namespace korvanu {

// Help button and Help > Introduction.
QString IntroductionText();
// The help button of the general data panel.
QString GeneralDataHelpText();
// The help buttons of the output tables and the output graphs.
QString TablesHelpText();
QString GraphsHelpText();
// The help button of the manual.
QString ManualHelpText();
// The help buttons of the four editors.
QString SoilsHelpText();
QString ProfilesHelpText();
QString AnchorsHelpText();
QString AxialHelpText();
// The help of the soil editor's "K from φ'" dialog.
QString StrengthHelpText();
// The help button of the cross-section view.
QString SectionsHelpText();

}  // namespace korvanu
