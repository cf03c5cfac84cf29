// The output graphs of the loading steps.
#include "ui/TFormGraphs.h"

namespace korvanu {

TFormGraphs::TFormGraphs(AppContext& context)
    : ToolWindow(context, &ViewState::GraphsShown, QStringLiteral("Output Graphs")) {}

}  // namespace korvanu
