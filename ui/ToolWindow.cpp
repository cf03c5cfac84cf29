// Shared behaviour of the tool windows: caption, font, layer, the close box,
// activation and message boxes.
#include "ui/ToolWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>

#include "base/Dialogs.h"
#include "base/QtText.h"
#include "ui/FramePlacement.h"
#include "ui/ModalScope.h"
#include "ui/WindowParts.h"

namespace korvanu {

ToolWindow::ToolWindow(AppContext& context, bool ViewState::*shownFlag, const QString& caption,
                       Layer layer)
    : QWidget(nullptr),
      context_(context),
      frame_(new FramePlacement(*this)),
      shownFlag_(shownFlag) {
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (layer == Layer::StaysOnTop) flags |= Qt::WindowStaysOnTopHint;
  setWindowFlags(flags);
  setWindowTitle(caption);
  setFont(SansFont(8));
  resize(640, 480);
}

void ToolWindow::PlaceByFrame(std::function<void()> place) {
  frame_->Place(std::move(place));
}

QSize ToolWindow::ScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->size() : QSize(1024, 768);
}

bool ToolWindow::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowDeactivate:
      deactivatedByModal_ = context_.ModalBoxes > 0 || QApplication::activeModalWidget() != nullptr;
      break;
    case QEvent::WindowActivate:
      if (deactivatedByModal_) {
        deactivatedByModal_ = false;
      } else if (context_.ModalBoxes == 0 && isVisible()) {
        FormActivate();
      }
      break;
    default:
      break;
  }
  return QWidget::event(event);
}

void ToolWindow::closeEvent(QCloseEvent* event) {
  ShownFlag() = false;
  hide();
  event->ignore();
}

void ToolWindow::ShowMessage(const QString& text) {
  ModalScope modal(context_.ModalBoxes);
  // The box belongs to the window the user is in: closing it gives the
  // activation back to that window, which knows it lost it to the box.
  QWidget* active = QApplication::activeWindow();
  context_.Dialog.Message(active != nullptr ? active : this, text);
}

void ToolWindow::ShowMessage(const std::string& text) {
  ShowMessage(ToQString(text));
}

}  // namespace korvanu
