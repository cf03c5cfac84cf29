// Placement by the frame, and a second placement once the window manager has
// told the frame's margins.
#include "ui/FramePlacement.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace korvanu {

namespace {

// The margins of the program's window decorated last: the windows share one
// kind of frame.
QMargins& KnownMargins() {
  static QMargins margins;
  return margins;
}

}  // namespace

FramePlacement::FramePlacement(QWidget& window) : QObject(&window), window_(window) {
  window_.installEventFilter(this);
}

void FramePlacement::Place(std::function<void()> place) {
  place_ = std::move(place);
  Place();
}

void FramePlacement::Place() {
  used_ = Margins();
  if (place_) place_();
}

QMargins FramePlacement::Margins() const {
  const QWindow* handle = window_.windowHandle();
  if (handle != nullptr && handle->isExposed() && !handle->frameMargins().isNull())
    return handle->frameMargins();
  return KnownMargins();
}

int FramePlacement::ClientWidth(int frameWidth) const {
  return frameWidth - used_.left() - used_.right();
}

int FramePlacement::ClientHeight(int frameHeight) const {
  return frameHeight - used_.top() - used_.bottom();
}

int FramePlacement::FrameWidth(int clientWidth) const {
  return clientWidth + used_.left() + used_.right();
}

void FramePlacement::MoveFrameTo(QPoint topLeft) {
  if (!window_.testAttribute(Qt::WA_WState_Created)) {
    // Not yet on the screen: the window manager puts the frame there.
    window_.move(topLeft);
    return;
  }
  window_.setGeometry(QRect(topLeft + QPoint(used_.left(), used_.top()), window_.size()));
}

bool FramePlacement::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && event->type() == QEvent::Show) {
    if (!watching_ && window_.windowHandle() != nullptr) {
      window_.windowHandle()->installEventFilter(this);
      watching_ = true;
    }
    // Shown for the first time after another window was decorated.
    if (!decorated_ && Margins() != used_) Place();
  } else if (watched == window_.windowHandle() && event->type() == QEvent::Expose && !decorated_) {
    const QMargins margins = window_.windowHandle()->frameMargins();
    if (window_.windowHandle()->isExposed() && !margins.isNull()) {
      // Decorated for the first time: from now on the window stays where the
      // user puts it.
      decorated_ = true;
      KnownMargins() = margins;
      // Placed again after the exposure has been handled, not inside it.
      if (margins != used_) QTimer::singleShot(0, this, [this] { Place(); });
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace korvanu
