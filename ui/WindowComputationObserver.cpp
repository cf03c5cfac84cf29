// Progress, messages and pacing of a computation run from the main window.
// Only the progress panel is repainted; other events wait until the run ends.
#include "ui/WindowComputationObserver.h"

#include <QLabel>
#include <QThread>
#include <QWidget>
#include <ctime>

#include "base/Dialogs.h"
#include "results/KeptStepResults.h"

namespace korvanu {

SecondsClock SystemSecondsClock() {
  return [] { return static_cast<std::int64_t>(std::time(nullptr)); };
}

WindowComputationObserver::WindowComputationObserver(ProgressLabels labels, Dialogs& dialogs,
                                                     QWidget* parent, SecondsClock clock)
    : labels_(labels), dialogs_(dialogs), parent_(parent), clock_(std::move(clock)) {}

void WindowComputationObserver::RunStarted() {
  lastSecond_ = clock_();
}

void WindowComputationObserver::StepStarted(int step) {
  labels_.Step->setText(QStringLiteral("Loading Step : %1").arg(step));
  labels_.Step->show();
  RepaintPanel();
}

void WindowComputationObserver::PlasticSpringsCounted(int count) {
  labels_.Plastic->setText(QStringLiteral("Number of Plastic springs : %1").arg(count));
  labels_.Plastic->show();
  RepaintPanel();
}

void WindowComputationObserver::WritingStepFile(const std::string& name) {
  labels_.Writing->setText(QStringLiteral("Writing Output in Datafile : ") +
                           QString::fromLocal8Bit(name));
  labels_.Writing->show();
  RepaintPanel();
}

void WindowComputationObserver::ShowMessage(const std::string& text) {
  dialogs_.Message(parent_, QString::fromLatin1(text));
}

void WindowComputationObserver::PaceStep() {
  std::int64_t now = clock_();
  while (now < lastSecond_ + 1) {
    QThread::msleep(10);
    now = clock_();
  }
  lastSecond_ = now;
}

void WindowComputationObserver::RepaintPanel() {
  if (labels_.Panel && labels_.Panel->isVisible()) labels_.Panel->repaint();
}

void WindowComputationObserver::StepFinished(const StepOutcome& outcome,
                                             const EngineState& engine) {
  if (kept_ != nullptr && outcome.converged && outcome.fileWritten)
    kept_->Keep(outcome.step, engine.Nodes);
}

}  // namespace korvanu
