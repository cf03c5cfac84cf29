// The soil layer editor.
#include "ui/TFormSoils.h"

namespace korvanu {

TFormSoils::TFormSoils(AppContext& context)
    : ToolWindow(context, &ViewState::SoilsShown, QStringLiteral("Properties of Soil Layers")) {}

void TFormSoils::SelectStep(int step) {
  (void)step;
}

}  // namespace korvanu
