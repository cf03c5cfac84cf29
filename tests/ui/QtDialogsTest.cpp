// The real dialogs on the offscreen platform: every one is modal, belongs to
// the window that asks, and stays on top like the tool windows, so that it
// comes up above them.
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QPrinter>
#include <QTest>
#include <QTimer>
#include <functional>

#include "base/QtDialogs.h"

using korvanu::QtDialogs;
using korvanu::SaveChangesAnswer;

class QtDialogsTest : public QObject {
  Q_OBJECT

  struct Seen {
    bool Found = false;
    bool Modal = false;
    bool OnTop = false;
    bool Native = true;
    QWidget* Parent = nullptr;
  };

  // Runs `ask`, which opens a dialog; records how the dialog came up, then
  // cancels it.
  static Seen Inspect(const std::function<void()>& ask) {
    Seen seen;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr || !dialog->isVisible()) return;
      seen.Found = true;
      seen.Modal = dialog->isModal();
      seen.OnTop = dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
      seen.Parent = dialog->parentWidget();
      if (auto* files = qobject_cast<QFileDialog*>(dialog))
        seen.Native = !files->testOption(QFileDialog::DontUseNativeDialog);
      dialog->reject();
    });
    timer.start();
    ask();
    return seen;
  }

 private slots:
  void everyDialogIsModalAndAboveTheToolWindows() {
    QWidget main;
    main.show();
    QtDialogs dialogs;
    QPrinter printer;
    const std::function<void()> asks[] = {
        [&] { QVERIFY(!dialogs.OpenFile(&main, QDir::tempPath(), QStringLiteral("New.krv"))); },
        [&] { QVERIFY(!dialogs.SaveFile(&main, QDir::tempPath(), QStringLiteral("New.krv"))); },
        [&] { QVERIFY(!dialogs.Print(&main, printer)); },
        [&] { dialogs.Message(&main, QStringLiteral("Datafile not saved")); },
        [&] { dialogs.Error(&main, QStringLiteral("Floating point division by zero.")); },
        [&] {
          QCOMPARE(dialogs.AskSaveChanges(&main, QStringLiteral("Save changes to New.krv?")),
                   SaveChangesAnswer::Cancel);
        },
    };
    int index = 0;
    for (const auto& ask : asks) {
      const Seen seen = Inspect(ask);
      QVERIFY2(seen.Found && seen.Modal && seen.OnTop && seen.Parent == &main,
               qPrintable(QString::number(index)));
      if (index < 2) QVERIFY(!seen.Native);
      ++index;
    }
  }
};

QTEST_MAIN(QtDialogsTest)
#include "QtDialogsTest.moc"
