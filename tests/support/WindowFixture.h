// The program's windows in a scratch folder, as the window tests build them:
// the problem, the window state, the engine, scripted dialogs and the nine
// windows, with a clock that never makes a computation wait.
#pragma once

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "core/ProblemData.h"
#include "core/ViewState.h"
#include "engine/EngineState.h"
#include "engine/RunComputation.h"
#include "tests/support/ScriptedDialogs.h"
#include "ui/ApplicationWindows.h"
#include "ui/TFormKRV.h"
#include "ui/ToolWindow.h"

namespace korvanu::test {

// A clock that advances one second every time it is read: pacing never waits.
inline SecondsClock FastClock() {
  auto now = std::make_shared<std::int64_t>(1000);
  return [now] { return (*now)++; };
}

class WindowFixture {
 public:
  // Call from init(): a fresh folder becomes the current folder.
  void Start() {
    if (startFolder_.isEmpty()) startFolder_ = QDir::currentPath();
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    QDir::setCurrent(folder_->path());
    problem_ = std::make_unique<ProblemData>();
    view_ = std::make_unique<ViewState>();
    engine_ = std::make_unique<EngineState>();
    dialogs_ = std::make_unique<ScriptedDialogs>();
    context_ = std::make_unique<AppContext>(
        AppContext{*problem_, *view_, *engine_, *dialogs_, RunComputation});
    windows_ = std::make_unique<ApplicationWindows>(*context_);
    windows_->Main().SetClock(FastClock());
  }
  // Call from cleanup().
  void Stop() {
    windows_.reset();
    context_.reset();
    QDir::setCurrent(startFolder_);
    folder_.reset();
  }

  TFormKRV& Main() { return windows_->Main(); }
  AppContext& Context() { return *context_; }
  ProblemData& Problem() { return *problem_; }
  ViewState& View() { return *view_; }
  ScriptedDialogs& Dialogs() { return *dialogs_; }
  QString FolderPath() const { return folder_->path(); }

  // The window comes to the front as the user's click would bring it.
  static void Activate(ToolWindow& window) {
    QApplication::setActiveWindow(&window);
    window.FormActivate();
  }

 private:
  std::unique_ptr<ProblemData> problem_;
  std::unique_ptr<ViewState> view_;
  std::unique_ptr<EngineState> engine_;
  std::unique_ptr<ScriptedDialogs> dialogs_;
  std::unique_ptr<AppContext> context_;
  std::unique_ptr<ApplicationWindows> windows_;
  std::unique_ptr<QTemporaryDir> folder_;
  QString startFolder_;
};

}  // namespace korvanu::test
