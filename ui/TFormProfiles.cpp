// The catalogue of sheet pile profiles.
#include "ui/TFormProfiles.h"

namespace korvanu {

TFormProfiles::TFormProfiles(AppContext& context)
    : ToolWindow(context, &ViewState::ProfilesShown,
                 QStringLiteral("Catalogue of Sheet Pile Profiles")) {}

}  // namespace korvanu
