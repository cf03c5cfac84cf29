// The application object: an error that escapes a command is shown in a
// message box, after which the program ends.
#pragma once

#include <QApplication>

namespace korvanu {

class KorvanuApplication : public QApplication {
 public:
  KorvanuApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;
};

// Shows an error that ends the program.
void ShowFatalError(const QString& text);

}  // namespace korvanu
