// Starts the program on its default problem; it reads no command line.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Korvanu - Sheet Pile Wall"));
  window.show();
  return app.exec();
}
