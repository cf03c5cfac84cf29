// The cross-section view.
#include "ui/TFormSections.h"

namespace korvanu {

TFormSections::TFormSections(AppContext& context)
    : ToolWindow(context, &ViewState::SectionsShown, QStringLiteral("Cross Sections")) {}

}  // namespace korvanu
