// The anchors and lateral forces editor; its creation sets the start values of the anchor table.
#include "ui/TFormAnchors.h"

#include "core/ProblemDefaults.h"
namespace korvanu {

TFormAnchors::TFormAnchors(AppContext& context)
    : ToolWindow(context, &ViewState::AnchorsShown, QStringLiteral("Anchors")) {
  SetAnchorStartValues(context.Problem);
}

}  // namespace korvanu
