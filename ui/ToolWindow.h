// A window that the main window shows and hides with a shown flag of the
// window state. Closing it only hides it: tool windows live as long as the
// program. Its message boxes and its activation are guarded alike.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "ui/AppContext.h"

namespace korvanu {

class FramePlacement;

class ToolWindow : public QWidget {
  Q_OBJECT

 public:
  enum class Layer { StaysOnTop, Normal };

  ToolWindow(AppContext& context, bool ViewState::*shownFlag, const QString& caption,
             Layer layer = Layer::StaysOnTop);

  bool& ShownFlag() { return context_.View.*shownFlag_; }
  bool Shown() const { return context_.View.*shownFlag_; }

  // Runs when the user makes this the active window; not when it becomes
  // active again because one of the program's message boxes closed.
  virtual void FormActivate() {}

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

  // A modal message over the window the user is in. While it is open, and
  // for the activation its closing brings, no window refills itself, so a
  // message shown by a fill can never start the fill again.
  void ShowMessage(const QString& text);
  void ShowMessage(const std::string& text);

  // Places the window by its frame: `place` runs now and again once the
  // frame's margins are known (see FramePlacement).
  void PlaceByFrame(std::function<void()> place);
  FramePlacement& Frame() { return *frame_; }
  // The size of the screen the windows are placed on.
  static QSize ScreenSize();

  AppContext& context_;

 private:
  FramePlacement* frame_;
  bool ViewState::*shownFlag_;
  bool deactivatedByModal_ = false;
};

}  // namespace korvanu
