// The manual.
#include "ui/TFormManual.h"

namespace korvanu {

TFormManual::TFormManual(AppContext& context)
    : ToolWindow(context, &ViewState::ManualShown, QStringLiteral("Manual")) {}

}  // namespace korvanu
