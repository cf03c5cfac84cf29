// The axial forces editor; its creation sets the start values of the axial table.
#include "ui/TFormAxis.h"

#include "core/ProblemDefaults.h"
namespace korvanu {

TFormAxis::TFormAxis(AppContext& context)
    : ToolWindow(context, &ViewState::AxisShown, QStringLiteral("Axial Forces")) {
  SetAxialStartValues(context.Problem);
}

}  // namespace korvanu
