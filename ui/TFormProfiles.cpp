// The catalogue of sheet pile profiles. What a commit does lives in
// CommitProfileCell.
#include "ui/TFormProfiles.h"

#include "base/QtText.h"
#include "core/ProfileRules.h"
#include "ui/HelpTexts.h"
#include "ui/StringGrid.h"

namespace korvanu {

namespace {

constexpr int NameColumn = static_cast<int>(ProfileColumn::Name);

EditorLayout ProfilesLayout() {
  return EditorLayout{
      "FormProfiles",
      "PanelProfiles",
      "ProfileGrid",
      QStringLiteral("Help on Profiles"),
      538,
      1,
      {20, 120, 64, 64, 64, 64, 64, 64},
      {"No.", "Profile Name", "    Area", "   Weight", "       E", "       h", "       i",
       "       EI"},
      {"", "", "     m²/m", "    kN/m³", "    GN/m²", "       m", "       m", "   kNm²/m"},
  };
}

}  // namespace

TFormProfiles::TFormProfiles(AppContext& context)
    : EditorWindow(context, &ViewState::ProfilesShown,
                   QStringLiteral("Catalogue of Sheet Pile Profiles"), ProfilesLayout()) {
  const QSize screen = ScreenSize();
  PlaceAt(QPoint(static_cast<int>(0.3 * screen.width()), static_cast<int>(0.4 * screen.height())));
  HomeCursor(NameColumn);
  FormPaint();
  context.Steps.JoinInput(this);
}

void TFormProfiles::FormPaint() {
  DeriveRadiiOfInertia(context_.Problem);
  FillDataRows(MaxProfiles, [this](int column, int profile) {
    return ProfileCellText(context_.Problem, static_cast<ProfileColumn>(column), profile);
  });
}

void TFormProfiles::FormActivate() {
  HomeCursor(NameColumn);
  FocusGrid();
  FormPaint();
}

void TFormProfiles::WriteCell(int column, int profile) {
  grid_->SetCell(
      column, profile + FirstDataRow,
      ToQString(ProfileCellText(context_.Problem, static_cast<ProfileColumn>(column), profile)));
}

CellCommit TFormProfiles::CommitCell(int col, int row) {
  return CommitProfileCell(context_.Problem, context_.View, static_cast<ProfileColumn>(col),
                           row - FirstDataRow, Typed(col, row));
}

void TFormProfiles::AfterCommit(int col, int row) {
  // E, i and EI recompute one another; a refused value keeps what it shows.
  const ProfileColumn column = static_cast<ProfileColumn>(col);
  if (column == ProfileColumn::E || column == ProfileColumn::i)
    WriteCell(static_cast<int>(ProfileColumn::EI), row - FirstDataRow);
  else if (column == ProfileColumn::EI)
    WriteCell(static_cast<int>(ProfileColumn::i), row - FirstDataRow);
}

void TFormProfiles::SpeedButtonHelpClick() {
  ShowMessage(ProfilesHelpText());
}

}  // namespace korvanu
