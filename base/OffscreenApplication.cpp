// The offscreen application object and the notes Qt prints about it.
#include "base/OffscreenApplication.h"

#include <QApplication>
#include <cstdio>

#include "base/Fonts.h"

namespace korvanu {

namespace {

// Qt's notes that it made up a runtime folder or cannot raise a window are
// no news without a screen.
void QuietMessages(QtMsgType, const QMessageLogContext&, const QString& message) {
  if (message.startsWith(QLatin1String("QStandardPaths:")) ||
      message.startsWith(QLatin1String("This plugin does not support")))
    return;
  std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

void StartOffscreenApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietMessages);
  static int argc = 1;
  static char name[] = "korvanu";
  static char* argv[] = {name, nullptr};
  // Lives until the process ends: destroyed among the exit handlers it
  // would outlive parts of Qt it needs.
  new QApplication(argc, argv);
  InstallFontSubstitutes();
}

}  // namespace korvanu
