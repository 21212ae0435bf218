// The recovery file: written soon after a change and kept up while the user goes on editing,
// removed whenever the document has no unsaved changes, one for each window, and offered back
// at start-up when its process is gone. Every window here keeps its files in a temporary
// folder of its own; the user's data folder is never touched (QStandardPaths' test mode).

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>
#include <algorithm>
#include <ctime>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "document/editor_state.h"
#include "exchange/project_document.h"
#include "files/file_io.h"
#include "files/recovery.h"
#include "support/random_fill.h"
#include "support/scripted_dialogs.h"
#include "window/sprite_editor.h"

namespace {

const QString Question = QStringLiteral("Unsaved changes from an earlier session were found.\nDo you want to recover them?");

// The wall clock, as file times are kept.
qint64 RealtimeNs() {
  timespec now {};
  ::clock_gettime(CLOCK_REALTIME, &now);
  return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

QStringList RecoveryFiles(const QString& dir) {
  return QDir(dir).entryList({"*.sprite"}, QDir::Files | QDir::Hidden, QDir::Name);
}

// A project file of its own: random pixels, 3 frames of 24 x 10.
std::vector<std::uint8_t> SomeProject(std::uint32_t seed) {
  TSpriteDocument d;
  d.Settings.Width = 24;
  d.Settings.Height = 10;
  d.Settings.FrameCount = 3;
  d.Settings.CurrentFrame = 1;
  FillRandom(d.Store, seed);
  return BuildDocumentFile(d);
}

// A recovery file as a process that is gone left it: no lock is held for it.
QString LeaveRecovery(const QString& dir, const std::vector<std::uint8_t>& bytes, int ageSeconds) {
  const QString path = dir + "/" + QUuid::createUuid().toString(QUuid::WithoutBraces) + ".sprite";
  if (!WriteWholeFile(path, bytes)) return {};
  QFile file(path);
  file.open(QIODevice::ReadWrite);
  file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime);
  return path;
}

}  // namespace

class TRecoveryTest : public TEditorTestBase {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();
  void writtenSoonAfterAChange();
  void keptUpWhileTheUserGoesOn();
  void removedWithoutUnsavedChanges_data();
  void removedWithoutUnsavedChanges();
  void eachWindowKeepsItsOwn();
  void offeredAtStartup_data();
  void offeredAtStartup();
  void severalLeftAreAskedNewestFirst();
  void temporaryOfAFirstWrite_data();
  void temporaryOfAFirstWrite();

 private:
  QString Folder() const { return FDir->filePath("recovery"); }
  void Edit() { E().MiInvertSprite->trigger(); }
};

void TRecoveryTest::initTestCase() {
  QStandardPaths::setTestModeEnabled(true);
  // The program's own folder, in test mode, lies apart from the user's.
  QVERIFY(DefaultRecoveryFolder().contains("qttest"));
}

void TRecoveryTest::init() {
  QVERIFY(MakeEditor());
  E().StartRecovery(Folder());
  E().FProjectFileName = Path("ship.sprite");
}

void TRecoveryTest::cleanup() { QCOMPARE(DropEditor(), 0); }

void TRecoveryTest::writtenSoonAfterAChange() {
  TSpriteEditor& e = E();
  QElapsedTimer clock;
  clock.start();
  Edit();
  QCOMPARE(RecoveryFiles(Folder()), QStringList());
  QTRY_VERIFY_WITH_TIMEOUT(!RecoveryFiles(Folder()).isEmpty(), 3000);
  QVERIFY2(clock.elapsed() >= 1800, qPrintable(QString::number(clock.elapsed())));
  QCOMPARE(RecoveryFiles(Folder()).size(), 1);
  const TRecoveredDocument read = ReadRecoveryFile(e.FRecovery->FilePath());
  QVERIFY(read.Ok);
  QCOMPARE(read.Project, BuildDocumentFile(e.FDocument));
  QCOMPARE(read.ProjectPath, Path("ship.sprite"));
}

// A change every 100 ms does not put the copy off: it is written within two seconds of the
// first change all the same, and again within two seconds of the next. The write's time is
// the file's own; the timer cannot fire in the middle of an edit, so it may come as late as
// the longest edit (long under a sanitizer) after its two seconds, and no later.
void TRecoveryTest::keptUpWhileTheUserGoesOn() {
  TSpriteEditor& e = E();
  QElapsedTimer clock;
  clock.start();
  const qint64 firstChangeNs = RealtimeNs();
  qint64 longestEditMs = 0;
  QSet<qint64> writes;  // each write's time of change
  while (clock.elapsed() < 4500) {
    const qint64 editStart = clock.elapsed();
    Edit();
    longestEditMs = std::max(longestEditMs, clock.elapsed() - editStart);
    QTest::qWait(100);
    struct stat st {};
    if (::stat(QFile::encodeName(e.FRecovery->FilePath()).constData(), &st) != 0) continue;
    writes.insert(qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec);
  }
  QVERIFY2(writes.size() >= 2, qPrintable(QString::number(writes.size())));
  const qint64 firstWriteMs = (*std::min_element(writes.begin(), writes.end()) - firstChangeNs) / 1'000'000;
  const qint64 allowedMs = TRecovery::WriteDelayMs + std::max<qint64>(300, longestEditMs + 100);
  QVERIFY2(firstWriteMs > 0 && firstWriteMs <= allowedMs,
           qPrintable(QString("%1 ms, allowed %2").arg(firstWriteMs).arg(allowedMs)));
  const TRecoveredDocument read = ReadRecoveryFile(e.FRecovery->FilePath());
  QVERIFY(read.Ok);
}

void TRecoveryTest::removedWithoutUnsavedChanges_data() {
  QTest::addColumn<QString>("command");
  for (const char* command : {"Save", "Save as", "New", "Open", "undo to the saved state", "close, losing the changes"})
    QTest::newRow(command) << QString(command);
}

void TRecoveryTest::removedWithoutUnsavedChanges() {
  QFETCH(QString, command);
  TSpriteEditor& e = E();
  const QString other = Path("other.sprite");
  QVERIFY(WriteWholeFile(other, SomeProject(3)));
  Edit();
  QVERIFY(e.FRecovery->WriteNow());
  const QString file = e.FRecovery->FilePath();
  QVERIFY(QFile::exists(file));
  Edit();  // a change not written yet, which must not come back either
  if (command == "Save") e.MiSave->trigger();
  if (command == "Save as") {
    D().Paths = {other};
    e.MiSaveAs->trigger();
  }
  if (command == "New") {
    D().Answers = {true};
    e.MiNew->trigger();
  }
  if (command == "Open") {
    D().Answers = {true};
    D().Paths = {other};
    e.MiOpen->trigger();
  }
  if (command == "undo to the saved state") {
    e.MiUndo->trigger();
    QVERIFY(e.FModified);
    e.MiUndo->trigger();
  }
  if (command == "close, losing the changes") {
    e.show();
    D().Answers = {true};
    QVERIFY(e.close());
  }
  QVERIFY(!e.FModified || command.startsWith("close"));
  QVERIFY(!QFile::exists(file));
  QTest::qWait(TRecovery::WriteDelayMs + 200);
  QCOMPARE(RecoveryFiles(Folder()), QStringList());
}

// Two windows, one folder: each its own file, neither taken for one left behind while both
// live; a window that ends without leave to lose its changes leaves its file for the next start.
void TRecoveryTest::eachWindowKeepsItsOwn() {
  TScriptedEditor second;
  second->StartRecovery(Folder());
  Edit();
  second->MiInvertSprite->trigger();
  second->MiShiftSprite1->trigger();
  QVERIFY(E().FRecovery->WriteNow());
  QVERIFY(second->FRecovery->WriteNow());
  QVERIFY(E().FRecovery->FilePath() != second->FRecovery->FilePath());
  QCOMPARE(RecoveryFiles(Folder()).size(), 2);
  QVERIFY(FindLeftRecoveries(Folder()).empty());

  // The second window goes with a change it has not written yet: it is written on the way.
  const QString secondFile = second->FRecovery->FilePath();
  second->MiInvertSprite->trigger();
  const std::vector<std::uint8_t> last = BuildDocumentFile(second->FDocument);
  QCOMPARE(second.Dialogs->Unexpected, 0);  // the dialogs go with the window
  second.Editor.reset();
  std::vector<TLeftRecovery> left = FindLeftRecoveries(Folder());
  QCOMPARE(left.size(), std::size_t(1));
  QCOMPARE(left[0].File, secondFile);
  QCOMPARE(ReadRecoveryFile(secondFile).Project, last);
}

void TRecoveryTest::offeredAtStartup_data() {
  QTest::addColumn<QString>("left");     // what was left behind
  QTest::addColumn<bool>("answer");      // to the question, when it is asked
  QTest::addColumn<bool>("startup");     // a start-up file is named too
  QTest::newRow("Yes") << "whole" << true << false;
  QTest::newRow("Yes, with a start-up file") << "whole" << true << true;
  QTest::newRow("No, with a start-up file") << "whole" << false << true;
  QTest::newRow("damaged, with a start-up file") << "damaged" << false << true;
  QTest::newRow("cut short") << "cut" << false << false;
  QTest::newRow("a living window's file") << "living" << false << true;
}

void TRecoveryTest::offeredAtStartup() {
  QFETCH(QString, left);
  QFETCH(bool, answer);
  QFETCH(bool, startup);
  // The window of init stands for a living one; a new window starts as the program would.
  QVERIFY(QDir().mkpath(Folder()));
  const QString projectPath = Path("saved/ship.sprite");
  QVERIFY(QDir().mkpath(Path("saved")));
  const std::vector<std::uint8_t> project = SomeProject(11);
  std::vector<std::uint8_t> bytes = BuildRecoveryFile(project, projectPath);
  if (left == "damaged") bytes[5] = 0xFF;  // a plane side out of range
  if (left == "cut") bytes.resize(bytes.size() / 2);
  QString leftFile;
  if (left == "living") {
    Edit();
    QVERIFY(E().FRecovery->WriteNow());
    leftFile = E().FRecovery->FilePath();
  } else {
    leftFile = LeaveRecovery(Folder(), bytes, 60);
  }
  const QString startupFile = Path("startup.sprite");
  const std::vector<std::uint8_t> startupProject = SomeProject(12);
  QVERIFY(WriteWholeFile(startupFile, startupProject));

  TScriptedEditor window;
  window.Dialogs->Answers = {answer};
  window->StartRecovery(Folder());
  if (startup) window->FStartupFileName = startupFile;
  window->show();
  QTRY_VERIFY(window->FRecovery->Offered && window->FStartupFileName.isEmpty());
  QTest::qWait(20);

  const bool asked = left == "whole";
  QCOMPARE(window.Dialogs->Sequence(), asked ? QStringList{"question:Deduzu Sprite Editor"} : QStringList());
  if (asked) QCOMPARE(window.Dialogs->Shown[0].Text, Question);
  window.Dialogs->Answers.clear();
  QCOMPARE(QFile::exists(leftFile), left == "living");
  if (asked && answer) {
    QCOMPARE(BuildDocumentFile(window->FDocument), project);
    QVERIFY(window->FModified);
    QCOMPARE(window->FProjectFileName, projectPath);
    QCOMPARE(window->windowTitle(), QString::fromStdString(BuildCaption(BaseCaption, true, projectPath.toStdString())));
    // This window keeps its own copy at once.
    QCOMPARE(ReadRecoveryFile(window->FRecovery->FilePath()).Project, project);
    // Ctrl+S saves to the project path the document had.
    window->MiSave->trigger();
    QVERIFY(!window->FModified);
    QByteArray saved;
    QCOMPARE(ReadWholeFile(projectPath, 1 << 22, saved), TReadResult::Ok);
    QCOMPARE(saved, QByteArray(reinterpret_cast<const char*>(project.data()), qsizetype(project.size())));
    QVERIFY(!QFile::exists(window->FRecovery->FilePath()));
  } else if (startup) {
    QCOMPARE(BuildDocumentFile(window->FDocument), startupProject);
    QCOMPARE(window->FProjectFileName, startupFile);
  } else {
    QVERIFY(!window->FModified);
    QCOMPARE(window->FProjectFileName, QString());
  }
  QCOMPARE(window.Dialogs->Unexpected, 0);
}

// The newest first; No removes one and asks about the next; Yes ends the questions, and the
// files not asked about stay for the next start.
void TRecoveryTest::severalLeftAreAskedNewestFirst() {
  QVERIFY(QDir().mkpath(Folder()));
  const QString oldest = LeaveRecovery(Folder(), BuildRecoveryFile(SomeProject(1), Path("a.sprite")), 300);
  const QString middle = LeaveRecovery(Folder(), BuildRecoveryFile(SomeProject(2), Path("b.sprite")), 200);
  const QString newest = LeaveRecovery(Folder(), BuildRecoveryFile(SomeProject(3), Path("c.sprite")), 100);
  TScriptedEditor window;
  window.Dialogs->Answers = {false, true};
  window->StartRecovery(Folder());
  window->show();
  QTRY_VERIFY(window->FRecovery->Offered);
  QTest::qWait(20);
  QCOMPARE(window.Dialogs->Sequence(), (QStringList{"question:Deduzu Sprite Editor", "question:Deduzu Sprite Editor"}));
  QCOMPARE(BuildDocumentFile(window->FDocument), SomeProject(2));
  QCOMPARE(window->FProjectFileName, Path("b.sprite"));
  QVERIFY(!QFile::exists(newest));
  QVERIFY(!QFile::exists(middle));
  QVERIFY(QFile::exists(oldest));
  QCOMPARE(window.Dialogs->Unexpected, 0);
  // Not asked again while the program runs: a second showing asks nothing.
  window->hide();
  window->show();
  QTest::qWait(20);
  QCOMPARE(window.Dialogs->Shown.size(), std::size_t(2));
}

// A process killed during its very first write leaves a lock and the writer's temporary file,
// but no recovery file. Once the process is gone both are removed, and nothing is offered; while
// its window lives, both stay. Another window's temporary is never touched.
void TRecoveryTest::temporaryOfAFirstWrite_data() {
  QTest::addColumn<bool>("gone");
  QTest::newRow("its process gone") << true;
  QTest::newRow("its window living") << false;
}

void TRecoveryTest::temporaryOfAFirstWrite() {
  QFETCH(bool, gone);
  QVERIFY(QDir().mkpath(Folder()));
  const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
  const QString lockPath = Folder() + "/" + id + ".lock";
  const QString temporary = Folder() + "/." + id + ".sprite.Ab3xYz";
  const QString otherTemporary = Folder() + "/.other.sprite.Ab3xYz";
  QVERIFY(WriteWholeFile(temporary, SomeProject(5)));
  QVERIFY(WriteWholeFile(otherTemporary, SomeProject(6)));

  QLockFile living(lockPath);
  QVERIFY(living.tryLock(0));
  if (gone) {
    // The same lock as a process that has ended wrote it: its first line, the process id,
    // names a child that has been waited for.
    QFile file(lockPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    QVERIFY(child > 0);
    QCOMPARE(::waitpid(child, nullptr, 0), child);
    lines[0] = QByteArray::number(child);
    living.unlock();
    QFile stale(lockPath);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    QCOMPARE(stale.write(lines.join('\n')), qint64(lines.join('\n').size()));
  }

  QVERIFY(FindLeftRecoveries(Folder()).empty());
  QCOMPARE(QFile::exists(temporary), !gone);
  QCOMPARE(QFile::exists(lockPath), !gone);
  QVERIFY(QFile::exists(otherTemporary));
}

QTEST_MAIN(TRecoveryTest)
#include "recovery_test.moc"
