// The nine windows of the program, created in their fixed order: the main
// window first (it sets up the default problem), then the tool windows,
// hidden. They live as long as this object.
#pragma once

#include <memory>

#include "ui/AppContext.h"

namespace korvanu {

class ApplicationWindows {
 public:
  explicit ApplicationWindows(AppContext& context);
  ~ApplicationWindows();
  ApplicationWindows(const ApplicationWindows&) = delete;
  ApplicationWindows& operator=(const ApplicationWindows&) = delete;

  TFormKRV& Main() { return *main_; }
  TFormDesign& Design() { return *design_; }

 private:
  AppContext& context_;
  std::unique_ptr<TFormKRV> main_;
  std::unique_ptr<TFormSoils> soils_;
  std::unique_ptr<TFormProfiles> profiles_;
  std::unique_ptr<TFormSections> sections_;
  std::unique_ptr<TFormAnchors> anchors_;
  std::unique_ptr<TFormAxis> axis_;
  std::unique_ptr<TFormTables> tables_;
  std::unique_ptr<TFormGraphs> graphs_;
  std::unique_ptr<TFormManual> manual_;
  std::unique_ptr<TFormDesign> design_;
};

}  // namespace korvanu
