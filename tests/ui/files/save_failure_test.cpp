// Save, Save as and Export when the file cannot be written: the old file stays byte for byte,
// no temporary file is left, the user is told, and the document keeps its identity.
//
// The tests run as root, where permissions stop nothing, so the obstacles are: a folder that
// does not exist, a folder standing where the file should be, a file size limit
// (RLIMIT_FSIZE) that makes the write itself fail half way, the same limit over a file with a
// second link (written in place, where the room is reserved before a byte is overwritten), and
// a copy of the full device (a device is refused as a target). The last needs root and is
// skipped without it.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "support/random_fill.h"
#include "support/scripted_dialogs.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

const QString WriteText = QStringLiteral("Can't open this file for writing!");
const QByteArray OldContent = QByteArray("the old file, which must survive\n").repeated(3);

QStringList Listing(const QString& dir) {
  return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool IsCharDevice(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISCHR(st.st_mode);
}

// Limits the size of any file this process writes, for as long as it lives.
struct TFileSizeLimit {
  rlimit Old{};
  explicit TFileSizeLimit(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead of ending the process
    getrlimit(RLIMIT_FSIZE, &Old);
    rlimit limited = Old;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~TFileSizeLimit() { setrlimit(RLIMIT_FSIZE, &Old); }
};

}  // namespace

class TSaveFailureTest : public TEditorTestBase {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void failedWriteChangesNothing_data();
  void failedWriteChangesNothing();
  void saveReplacesAnOldFileWhole();
};

void TSaveFailureTest::init() {
  QVERIFY(MakeEditor());
  // A large document: the project file and the export run to megabytes.
  TSpriteEditor& e = E();
  e.SpinEditWidth->setValue(240);
  e.SpinEditHeight->setValue(240);
  e.SpinEditTotalFrames->setValue(128);
  FillRandom(e.FStore, 5);
}

void TSaveFailureTest::cleanup() {
  QCOMPARE(DropEditor(), 0);
}

void TSaveFailureTest::failedWriteChangesNothing_data() {
  QTest::addColumn<QString>("obstacle");
  QTest::newRow("folder does not exist") << "missing folder";
  QTest::newRow("a folder where the file should be") << "folder";
  QTest::newRow("write fails half way over an old file") << "size limit";
  QTest::newRow("write fails over a file with a second link") << "size limit, linked";
  QTest::newRow("full device") << "full device";
}

void TSaveFailureTest::failedWriteChangesNothing() {
  QFETCH(QString, obstacle);
  TSpriteEditor& e = E();
  QString dir = FDir->path();
  QString target;
  bool oldFile = false;

  if (obstacle == "missing folder") {
    target = Path("missing/ship.sprite");
  } else if (obstacle == "folder") {
    target = Path("ship.sprite");
    QVERIFY(QDir(dir).mkdir("ship.sprite"));
  } else {
    QVERIFY(QDir(dir).mkdir("sub"));
    dir = Path("sub");
    target = dir + "/ship.sprite";
    if (obstacle == "full device") {
      if (::mknod(QFile::encodeName(target).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        QSKIP("no device nodes can be made here (needs root)");
    } else {
      QFile old(target);
      QVERIFY(old.open(QIODevice::WriteOnly));
      QCOMPARE(old.write(OldContent), qint64(OldContent.size()));
      old.close();
      oldFile = true;
    }
    if (obstacle == "size limit, linked")
      QVERIFY(::link(QFile::encodeName(target).constData(), QFile::encodeName(dir + "/second").constData()) == 0);
  }
  const QStringList listing = Listing(dir);
  e.FDataFileName = Path("earlier.bin");

  // The three commands that write, one after the other: Save to the document's own path,
  // Save as from another path, Export.
  struct TRun {
    QString Title;
    QString ProjectFile;
    std::function<void()> Command;
  };
  const TRun runs[] = {
      {"Save sprite project...", target, [&] { e.MiSave->trigger(); }},
      {"Save sprite project...", Path("earlier.sprite"),
       [&] {
         D().Paths = {target};
         e.MiSaveAs->trigger();
       }},
      {"Export sprite data...", Path("earlier.sprite"),
       [&] {
         D().Paths = {target};
         e.MiExport->trigger();
       }},
  };
  for (const TRun& run : runs) {
    e.FProjectFileName = run.ProjectFile;
    e.UpdateCaption(e.FProjectFileName);
    const QString title = e.windowTitle();
    D().Shown.clear();
    {
      std::unique_ptr<TFileSizeLimit> limit;
      if (obstacle.startsWith("size limit")) limit = std::make_unique<TFileSizeLimit>(64 * 1024);
      run.Command();
    }
    QStringList errors;
    for (const TShown& s : D().Shown)
      if (s.Kind == TShown::Error) errors << s.Title + "|" + s.Text;
    QCOMPARE(errors, QStringList{run.Title + "|" + WriteText});
    QVERIFY(e.FModified);
    QVERIFY(e.MiSave->isEnabled());
    QCOMPARE(e.FProjectFileName, run.ProjectFile);
    QCOMPARE(e.windowTitle(), title);
    QCOMPARE(e.FDataFileName, Path("earlier.bin"));
    if (oldFile) QCOMPARE(ReadAll(target), OldContent);
    if (obstacle == "size limit, linked") QCOMPARE(ReadAll(dir + "/second"), OldContent);
    if (obstacle == "full device") QVERIFY(IsCharDevice(target));
    if (obstacle == "folder") QVERIFY(QFileInfo(target).isDir());
    QCOMPARE(Listing(dir), listing);
    if (obstacle == "missing folder") QVERIFY(!QFileInfo::exists(Path("missing")));
  }
}

// The control case: without an obstacle the new file replaces the old one whole.
void TSaveFailureTest::saveReplacesAnOldFileWhole() {
  TSpriteEditor& e = E();
  const QString target = Path("ship.sprite");
  QFile old(target);
  QVERIFY(old.open(QIODevice::WriteOnly));
  old.write(OldContent);
  old.close();
  e.FProjectFileName = target;
  e.MarkModified();
  e.MiSave->trigger();
  QVERIFY(D().Shown.empty());
  QVERIFY(!e.FModified);
  const QByteArray saved = ReadAll(target);
  QVERIFY(saved.size() > 1'000'000);
  QVERIFY(saved.startsWith("SPRJ"));
  QCOMPARE(Listing(FDir->path()), QStringList{"ship.sprite"});
}

QTEST_MAIN(TSaveFailureTest)
#include "save_failure_test.moc"
