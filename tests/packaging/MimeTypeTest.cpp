// The MIME type of datafiles as a desktop sees it once installed: compiled by
// update-mime-database together with the system's types, as in /usr/share/mime,
// it recognises a datafile by its name and by its first two lines whatever
// its line ends (before types whose magic is a leading "##"), and does not
// take a step file.
#include <QMimeDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "core/Datafile.h"
#include "core/ProblemDefaults.h"
#include "engine/StepOutput.h"

namespace korvanu {

class MimeTypeTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(data_.isValid());
    const QString packages = data_.path() + "/mime/packages";
    QVERIFY(QDir().mkpath(packages));
    const QDir system("/usr/share/mime/packages");
    for (const QString& name : system.entryList({"*.xml"}, QDir::Files)) {
      QVERIFY(QFile::copy(system.filePath(name), packages + "/" + name));
    }
    QVERIFY(QFile::copy(KORVANU_MIME_XML, packages + "/korvanu.xml"));
    QProcess update;
    update.start("update-mime-database", {data_.path() + "/mime"});
    QVERIFY(update.waitForFinished());
    QCOMPARE(update.exitCode(), 0);
    QVERIFY(QFile::exists(data_.path() + "/mime/mime.cache"));
    // Read before the database is first used; nothing of the user's own.
    qputenv("XDG_DATA_DIRS", data_.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (data_.path() + "/home").toLocal8Bit());
  }

  void byName() {
    const QMimeType type = db().mimeTypeForFile("Wall.krv", QMimeDatabase::MatchExtension);
    QCOMPARE(type.name(), QString("application/x-korvanu"));
    QCOMPARE(type.comment(), QString("Korvanu sheet pile wall datafile"));
    QVERIFY(type.inherits("text/plain"));
  }

  void byContent() {
    ProblemData problem;
    ViewState view;
    InitialiseProblem(problem, view);
    const QByteArray crlf = QByteArray::fromStdString(WriteDatafile(problem));
    QCOMPARE(db().mimeTypeForData(crlf).name(), QString("application/x-korvanu"));
    QByteArray lf = crlf;
    lf.replace("\r\n", "\n");
    QCOMPARE(db().mimeTypeForData(lf).name(), QString("application/x-korvanu"));
    // Step files open with the same separator line.
    QVERIFY(db().mimeTypeForData(QByteArray(StepFileHeader)).name() != "application/x-korvanu");
  }

 private:
  QMimeDatabase& db() {
    static QMimeDatabase database;
    return database;
  }
  QTemporaryDir data_;
};

}  // namespace korvanu

QTEST_GUILESS_MAIN(korvanu::MimeTypeTest)
#include "MimeTypeTest.moc"
