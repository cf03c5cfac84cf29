// Shared behaviour of the tool windows: caption, font and the close box.
#include "ui/ToolWindow.h"

#include <QCloseEvent>

namespace korvanu {

ToolWindow::ToolWindow(AppContext& context, bool ViewState::*shownFlag, const QString& caption)
    : QWidget(nullptr), context_(context), shownFlag_(shownFlag) {
  setWindowTitle(caption);
  setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
  resize(640, 480);
}

void ToolWindow::closeEvent(QCloseEvent* event) {
  ShownFlag() = false;
  hide();
  event->ignore();
}

}  // namespace korvanu
