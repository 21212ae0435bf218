// The file dialogs: "description|patterns" filters become Qt name filters; the real dialogs
// keep a directory each, offer the given name, add the default extension and refuse a folder
// that does not exist.

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "files/dialogs.h"

namespace {

// Answers the modal dialogs that come up, in turn, with the given steps; records what the
// file dialogs showed.
class TDialogDriver : public QObject {
 public:
  std::vector<std::function<void(QWidget*)>> Steps;
  QStringList Directories;  // each file dialog's directory when it came up
  QStringList Offered;      // each file dialog's offered file
  QStringList Messages;
  int Unexpected = 0;

  TDialogDriver() {
    FTimer.setInterval(20);
    connect(&FTimer, &QTimer::timeout, this, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr || modal == FLast) return;
      FLast = modal;
      if (FNext >= Steps.size()) {  // more dialogs than the test expects: close them
        ++Unexpected;
        if (auto* d = qobject_cast<QDialog*>(modal)) d->reject();
        return;
      }
      if (auto* d = qobject_cast<QFileDialog*>(modal)) {
        Directories << d->directory().absolutePath();
        Offered << (d->selectedFiles().isEmpty() ? QString() : QFileInfo(d->selectedFiles().first()).fileName());
      }
      if (auto* box = qobject_cast<QMessageBox*>(modal)) Messages << box->text();
      Steps[FNext++](modal);
    });
    FTimer.start();
  }

 private:
  QTimer FTimer;
  std::size_t FNext = 0;
  QPointer<QWidget> FLast;
};

void Reject(QWidget* w) { static_cast<QDialog*>(w)->reject(); }

auto Choose(const QString& path) {
  return [path](QWidget* w) {
    auto* d = static_cast<QFileDialog*>(w);
    d->selectFile(path);
    // As typed: selectFile leaves a focused name field alone.
    if (auto* name = d->findChild<QLineEdit*>("fileNameEdit")) name->setText(path);
    QMetaObject::invokeMethod(d, "accept", Qt::DirectConnection);  // the dialog's own checks
  };
}

void Dismiss(QWidget* w) { static_cast<QMessageBox*>(w)->accept(); }

}  // namespace

class TDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void nameFilters_data();
  void nameFilters();
  void eachDialogKeepsItsDirectory();
  void saveDialogAddsTheExtensionAndRefusesAMissingFolder();
};

void TDialogsTest::nameFilters_data() {
  QTest::addColumn<QString>("filter");
  QTest::addColumn<QString>("expected");
  QTest::newRow("project") << "sprite project (*.sprite)|*.sprite|all files (*.*)|*.*"
                           << "sprite project (*.sprite);;all files (*.*)";
  QTest::newRow("import, two patterns in one pair")
      << "binary sprite files (*.bin;*.dat)|*.bin;*.dat|all files (*.*)|*.*"
      << "binary sprite files (*.bin *.dat);;all files (*.*)";
  QTest::newRow("export") << "binary sprite file (*.bin)|*.bin|binary sprite file (*.dat)|*.dat|raw file (*.*)|*.*"
                          << "binary sprite file (*.bin);;binary sprite file (*.dat);;raw file (*.*)";
  QTest::newRow("description without patterns") << "pictures|*.png" << "pictures (*.png)";
}

void TDialogsTest::nameFilters() {
  QFETCH(QString, filter);
  QFETCH(QString, expected);
  QCOMPARE(QtNameFilters(filter), expected);
}

// A directory given to one dialog stays in force for it until another is given; the other
// dialog keeps its own.
void TDialogsTest::eachDialogKeepsItsDirectory() {
  QTemporaryDir a, b;
  QVERIFY(a.isValid() && b.isValid());
  TQtDialogs dialogs(nullptr);
  TDialogDriver driver;
  driver.Steps = {Reject, Reject, Reject, Reject};
  const QString filter = QStringLiteral("sprite project (*.sprite)|*.sprite|all files (*.*)|*.*");
  QVERIFY(dialogs.GetOpenFileName({"Open", filter, "sprite", "ship.sprite", a.path() + "/"}).isEmpty());
  QVERIFY(dialogs.GetSaveFileName({"Save", filter, "sprite", "", b.path() + "/"}).isEmpty());
  QVERIFY(dialogs.GetOpenFileName({"Import", filter, "", "", ""}).isEmpty());
  QVERIFY(dialogs.GetSaveFileName({"Export", filter, "bin", "", ""}).isEmpty());
  const QString da = QDir(a.path()).absolutePath(), db = QDir(b.path()).absolutePath();
  QCOMPARE(driver.Directories, (QStringList{da, db, da, db}));
  QCOMPARE(driver.Offered.first(), QStringLiteral("ship.sprite"));
  QCOMPARE(driver.Unexpected, 0);
}

void TDialogsTest::saveDialogAddsTheExtensionAndRefusesAMissingFolder() {
  QTemporaryDir a;
  QVERIFY(a.isValid());
  const QString dir = QDir(a.path()).absolutePath();
  TQtDialogs dialogs(nullptr);
  TDialogDriver driver;
  driver.Steps = {Choose(dir + "/missing/ship.bin"), Dismiss, Choose(dir + "/ship")};
  const QString filter = QStringLiteral("binary sprite file (*.bin)|*.bin|raw file (*.*)|*.*");
  const QString chosen = dialogs.GetSaveFileName({"Export sprite data...", filter, "bin", "", dir + "/"});
  QCOMPARE(driver.Messages.size(), 1);
  QVERIFY2(driver.Messages[0].contains("does not exist"), qPrintable(driver.Messages[0]));
  QCOMPARE(chosen, dir + "/ship.bin");
  QCOMPARE(driver.Unexpected, 0);
}

QTEST_MAIN(TDialogsTest)
#include "dialogs_test.moc"
