// Creation of the nine windows in their fixed order; the tool windows are
// destroyed first, so that none outlives the main window that commands it.
#include "ui/ApplicationWindows.h"

#include "ui/TFormAnchors.h"
#include "ui/TFormAxis.h"
#include "ui/TFormDesign.h"
#include "ui/TFormGraphs.h"
#include "ui/TFormKRV.h"
#include "ui/TFormManual.h"
#include "ui/TFormProfiles.h"
#include "ui/TFormSections.h"
#include "ui/TFormSoils.h"
#include "ui/TFormTables.h"

namespace korvanu {

ApplicationWindows::ApplicationWindows(AppContext& context) : context_(context) {
  WindowSet& w = context.Windows;
  main_ = std::make_unique<TFormKRV>(context);
  w.Main = main_.get();
  soils_ = std::make_unique<TFormSoils>(context);
  w.Soils = soils_.get();
  profiles_ = std::make_unique<TFormProfiles>(context);
  w.Profiles = profiles_.get();
  sections_ = std::make_unique<TFormSections>(context);
  w.Sections = sections_.get();
  anchors_ = std::make_unique<TFormAnchors>(context);
  w.Anchors = anchors_.get();
  axis_ = std::make_unique<TFormAxis>(context);
  w.Axis = axis_.get();
  tables_ = std::make_unique<TFormTables>(context);
  w.Tables = tables_.get();
  graphs_ = std::make_unique<TFormGraphs>(context);
  w.Graphs = graphs_.get();
  manual_ = std::make_unique<TFormManual>(context);
  w.Manual = manual_.get();
  // Windows the program gained later follow the nine.
  design_ = std::make_unique<TFormDesign>(context);
  w.Design = design_.get();
  // The anchors and axial editors set their start values: that is the
  // problem as created, not a change of the user's.
  main_->RecordProblemAsSaved();
}

ApplicationWindows::~ApplicationWindows() {
  context_.Windows = WindowSet{};
  design_.reset();
  manual_.reset();
  graphs_.reset();
  tables_.reset();
  axis_.reset();
  anchors_.reset();
  sections_.reset();
  profiles_.reset();
  soils_.reset();
  main_.reset();
}

}  // namespace korvanu
