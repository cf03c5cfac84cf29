// A window that the main window shows and hides with a shown flag of the
// window state. Closing it only hides it: tool windows live as long as the
// program.
#pragma once

#include <QWidget>

#include "ui/AppContext.h"

namespace korvanu {

class ToolWindow : public QWidget {
  Q_OBJECT

 public:
  ToolWindow(AppContext& context, bool ViewState::*shownFlag, const QString& caption);

  bool& ShownFlag() { return context_.View.*shownFlag_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

  AppContext& context_;

 private:
  bool ViewState::*shownFlag_;
};

}  // namespace korvanu
