// The soil editor's "K from φ'" dialog: opened from the keyboard for the
// layer under the cursor, the coefficients shown as the user types, refused
// input, and Apply storing what typing the same values into the grid stores.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "tests/support/WindowFixture.h"
#include "core/Datafile.h"
#include "base/Fonts.h"
#include "ui/StringGrid.h"
#include "ui/TFormSoils.h"
#include "ui/TFormStrength.h"

using namespace korvanu;

class StrengthDialogTest : public QObject {
  Q_OBJECT

  korvanu::test::WindowFixture fx_;

  TFormSoils& Soils() { return *fx_.Context().Windows.Soils; }
  static void Key(StringGrid& grid, Qt::Key key, int times = 1) {
    for (int i = 0; i < times; ++i) QTest::keyClick(grid.Editor(), key);
  }
  static void SetText(QLineEdit& edit, const QString& text) {
    edit.selectAll();
    QTest::keyClicks(&edit, text);
  }

 private slots:
  void initTestCase() { InstallFontSubstitutes(); }
  void init() {
    fx_.Start();
    fx_.Problem().General.NT = 3;
    fx_.Main().SpeedButtonSoilsClick();
    QApplication::setActiveWindow(&Soils());
    Soils().FormActivate();
  }
  void cleanup() { fx_.Stop(); }

  void applyStoresWhatTypingStores() {
    StringGrid& grid = Soils().Grid();
    Key(grid, Qt::Key_Down, 2);  // layer 3
    const ProblemData before = fx_.Problem();

    QCOMPARE(Soils().SpeedButtonStrength().text(), QString::fromUtf8("&K from φ'"));
    Soils().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&Soils()));
    QTest::keyClick(grid.Editor(), Qt::Key_K, Qt::AltModifier);
    QTRY_VERIFY(Soils().findChild<TFormStrength*>() != nullptr);  // the button's animated click
    auto* dialog = Soils().findChild<TFormStrength*>();
    QVERIFY(dialog->isVisible());
    // Rankine's Ka 0.333 of the entry gives back 30 degrees.
    QCOMPARE(dialog->EditPhi().text(), QStringLiteral("30"));
    QCOMPARE(dialog->LabelKa().text(), QStringLiteral("     0.333"));

    dialog->ComboBoxMethod().setCurrentIndex(static_cast<int>(EarthPressureMethod::Coulomb));
    SetText(dialog->EditDelta(), QStringLiteral("20"));
    SetText(dialog->EditKh(), QStringLiteral("5000"));
    QCOMPARE(dialog->LabelKa().text(), QStringLiteral("     0.279"));
    QCOMPARE(dialog->LabelKp().text(), QStringLiteral("     5.737"));
    QCOMPARE(dialog->LabelKn().text(), QStringLiteral("     0.500"));
    // sigma'v 31 in the middle of layer 3: (5.737 - 0.279)*31/5000.
    QCOMPARE(dialog->LabelDw().text(), QStringLiteral("     0.034"));

    // Refused input: the message names it and Apply stores nothing.
    SetText(dialog->EditPhi(), QStringLiteral("60"));
    QVERIFY(dialog->LabelMessage().text().startsWith(QString::fromUtf8("φ' 60 is outside")));
    QVERIFY(!dialog->ButtonApply().isEnabled());
    QVERIFY(!dialog->ButtonApplyClick());
    QVERIFY(fx_.Problem() == before);
    SetText(dialog->EditPhi(), QStringLiteral("30"));

    QTest::mouseClick(&dialog->ButtonApply(), Qt::LeftButton);
    QCOMPARE(grid.Cell(9, 4), QStringLiteral("     0.279"));  // the grid follows
    QVERIFY(fx_.Problem().Strength(2, 3, Side::Right));
    const ProblemData applied = fx_.Problem();
    dialog->close();
    // Apply is one step of undo, with all it spread.
    fx_.Main().Undo1Click();
    QVERIFY(fx_.Problem() == before);
    fx_.Main().Redo1Click();
    QVERIFY(fx_.Problem() == applied);

    // The same values typed into the grid, left to right.
    fx_.Problem() = before;
    Soils().FillSoilGrid();
    Key(grid, Qt::Key_Tab, 7);
    QCOMPARE(grid.Col(), 8);
    for (const char* value : {"0", "0.279", "5.737", "0.500", "0.034"}) {
      QTest::keyClicks(grid.Editor(), QLatin1String(value));
      Key(grid, Qt::Key_Tab);
    }
    ProblemData typed = fx_.Problem();
    QVERIFY(!typed.Strength(2, 3, Side::Right));
    typed.StrengthTable = applied.StrengthTable;
    QCOMPARE(QString::fromStdString(WriteDatafile(applied)),
             QString::fromStdString(WriteDatafile(typed)));

    // Opened again on layer 3, the dialog shows the inputs kept.
    fx_.Problem() = applied;
    Key(grid, Qt::Key_Up);  // the last Tab went on to layer 4
    TFormStrength* again = Soils().SpeedButtonStrengthClick();
    QVERIFY(again != nullptr);
    QCOMPARE(again->EditDelta().text(), QStringLiteral("20"));
    QCOMPARE(again->EditKh().text(), QStringLiteral("5000"));
    QCOMPARE(again->ComboBoxMethod().currentIndex(),
             static_cast<int>(EarthPressureMethod::Coulomb));
    again->close();
  }
};

QTEST_MAIN(StrengthDialogTest)
#include "StrengthDialogTest.moc"
