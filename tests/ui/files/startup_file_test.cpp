// The project named on the command line opens when the window first shows, once. Each case
// starts this program again as a child with real command-line arguments; the child shows the
// window, lets it settle, shows it a second time and reports what it saw.

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "exchange/project_file.h"
#include "support/scripted_dialogs.h"
#include "window/sprite_editor.h"

namespace {

const char* const ChildVariable = "DEDUZU_STARTUP_CHILD";

void Settle(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// The child: the window as the program starts it, with its arguments.
int RunWindow(int argc, char** argv) {
  QApplication app(argc, argv);
  TScriptedEditor window;
  const QString startup = window->FStartupFileName;
  window->show();
  Settle(100);
  const QString title = window->windowTitle();
  const bool modified = window->FModified;
  const int pixel = window->FStore.Pixel(0, false, 0, 0);
  // An edit, then a second showing: nothing may be opened again.
  window->FStore.SetPixel(0, false, 1, 1, 1);
  window->MarkModified();
  window->hide();
  window->show();
  Settle(100);
  QTextStream out(stdout);
  out << "startup=" << startup << "\n"
      << "title=" << title << "\n"
      << "modified=" << int(modified) << "\n"
      << "pixel=" << pixel << "\n"
      << "kept=" << int(window->FStore.Pixel(0, false, 1, 1) == 1 && window->FModified) << "\n"
      << "consumed=" << int(window->FStartupFileName.isEmpty()) << "\n"
      << "shown=" << window.Dialogs->Sequence().join(';') << "\n"
      << "text=" << (window.Dialogs->Shown.empty() ? QString() : window.Dialogs->Shown[0].Text.replace('\n', '|'))
      << "\n"
      << "unexpected=" << window.Dialogs->Unexpected << "\n";
  return 0;
}

// What the child reported, by key.
QMap<QString, QString> RunChild(const QStringList& arguments) {
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QString::fromLatin1(ChildVariable), "1");
  env.insert("QT_QPA_PLATFORM", "offscreen");
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(), arguments);
  QMap<QString, QString> report;
  if (!child.waitForFinished(30000)) return report;
  for (const QString& line : QString::fromUtf8(child.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
    const qsizetype eq = line.indexOf('=');
    if (eq > 0) report.insert(line.left(eq), line.mid(eq + 1));
  }
  return report;
}

}  // namespace

class TStartupFileTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void startupArgument_data();
  void startupArgument();

 private:
  QTemporaryDir FDir;
  QString FProject;  // a valid project with pixel (0, 0) set, upper-case extension
};

void TStartupFileTest::initTestCase() {
  QVERIFY(FDir.isValid());
  TSpriteStore store;
  store.SetPixel(0, false, 0, 0, 1);
  TProjectHeader header;
  header.Width = 18;
  const std::vector<std::uint8_t> bytes = BuildProjectFile(store, header);
  const QByteArray file(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
  for (const char* name : {"SHIP.SPRITE", "ship.bin", "other.sprite"}) {
    QFile f(FDir.filePath(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(file);
  }
  QFile damaged(FDir.filePath("damaged.sprite"));
  QVERIFY(damaged.open(QIODevice::WriteOnly));
  damaged.write(file.left(file.size() - 1));
  FProject = FDir.filePath("SHIP.SPRITE");
}

void TStartupFileTest::startupArgument_data() {
  QTest::addColumn<QStringList>("arguments");  // names in the temporary folder
  QTest::addColumn<QString>("opened");         // the name that must be open, or empty
  QTest::addColumn<QString>("shown");
  QTest::addColumn<QString>("text");
  QTest::newRow("upper-case .SPRITE opens") << QStringList{"SHIP.SPRITE"} << "SHIP.SPRITE" << "" << "";
  QTest::newRow(".bin opens nothing") << QStringList{"ship.bin"} << "" << "" << "";
  QTest::newRow("no argument") << QStringList{} << "" << "" << "";
  QTest::newRow("second argument ignored") << QStringList{"ship.bin", "SHIP.SPRITE"} << "" << "" << "";
  QTest::newRow("first of two opens") << QStringList{"other.sprite", "SHIP.SPRITE"} << "other.sprite" << "" << "";
  QTest::newRow("missing file: error, empty document")
      << QStringList{"missing.sprite"} << "" << "error:Open sprite project..." << "Can't open this file!";
  QTest::newRow("damaged file: error, empty document")
      << QStringList{"damaged.sprite"} << "" << "error:Open sprite project..." << "File has unexpected length!";
}

void TStartupFileTest::startupArgument() {
  QFETCH(QStringList, arguments);
  QFETCH(QString, opened);
  QFETCH(QString, shown);
  QFETCH(QString, text);
  QStringList paths;
  for (const QString& a : arguments) paths << FDir.filePath(a);
  const QMap<QString, QString> report = RunChild(paths);
  QVERIFY2(!report.isEmpty(), "the child did not report");
  const QString base = QStringLiteral("Deduzu Sprite Editor");
  QCOMPARE(report["title"], opened.isEmpty() ? base : base + " - [" + FDir.filePath(opened) + "]");
  QCOMPARE(report["pixel"], opened.isEmpty() ? "0" : "1");
  QCOMPARE(report["modified"], "0");
  QCOMPARE(report["shown"], shown);  // never a file dialog
  QCOMPARE(report["text"], text);
  QCOMPARE(report["kept"], "1");
  QCOMPARE(report["consumed"], "1");
  QCOMPARE(report["unexpected"], "0");
  const bool named = !paths.isEmpty() && paths[0].endsWith(".sprite", Qt::CaseInsensitive);
  QCOMPARE(report["startup"], named ? paths[0] : QString());
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsSet(ChildVariable)) return RunWindow(argc, argv);
  QApplication app(argc, argv);
  TStartupFileTest test;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&test, argc, argv);
}

#include "startup_file_test.moc"
