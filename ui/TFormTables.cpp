// The output tables of the loading steps.
#include "ui/TFormTables.h"

namespace korvanu {

TFormTables::TFormTables(AppContext& context)
    : ToolWindow(context, &ViewState::TablesShown, QStringLiteral("Output Tables")) {}

}  // namespace korvanu
