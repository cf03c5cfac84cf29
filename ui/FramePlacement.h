// Places a top-level window by its frame: the position and the sizes the
// program gives its windows are those of the whole window, frame included,
// unless a size is meant for the client area. The window manager tells the
// frame's margins only once it has decorated the window; until then the
// margins of the program's window decorated last stand in, and when the
// window's own become known the window is placed again.
#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <functional>

class QWidget;

namespace korvanu {

class FramePlacement : public QObject {
  Q_OBJECT

 public:
  explicit FramePlacement(QWidget& window);

  // `place` puts the window where it belongs, through ClientWidth,
  // ClientHeight, FrameWidth and MoveFrameTo. It runs now, and again when
  // the margins it counted with turn out to be others.
  void Place(std::function<void()> place);
  void Place();

  // The client width or height of a frame of that size.
  int ClientWidth(int frameWidth) const;
  int ClientHeight(int frameHeight) const;
  // The frame width of a client of that width.
  int FrameWidth(int clientWidth) const;
  // Moves the window so that its frame's top left corner is at `topLeft`.
  void MoveFrameTo(QPoint topLeft);

  // The margins the placement counts with: the window's own once known.
  QMargins Margins() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
  std::function<void()> place_;
  QMargins used_;
  bool watching_ = false;
  bool decorated_ = false;
};

}  // namespace korvanu
