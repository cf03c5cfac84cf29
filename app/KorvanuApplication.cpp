// The application object: errors escaping an event handler end the program
// with a message instead of unwinding through the toolkit's event loop.
#include "app/KorvanuApplication.h"

#include <QMessageBox>
#include <exception>

namespace korvanu {

KorvanuApplication::KorvanuApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool KorvanuApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowFatalError(QString::fromLocal8Bit(error.what()));
  } catch (...) {
    ShowFatalError(QStringLiteral("Unknown error."));
  }
  exit(1);
  return false;
}

void ShowFatalError(const QString& text) {
  QMessageBox::critical(nullptr, QStringLiteral("Korvanu"), text);
}

}  // namespace korvanu
