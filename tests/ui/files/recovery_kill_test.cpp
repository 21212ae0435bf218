// The recovery file under SIGKILL. The program runs again as a child, offscreen with a data
// folder of its own: a window with a full document (240 x 240, 128 frames of random pixels)
// edits without a pause through its menu items, undoes, redoes and saves, and after each step
// logs the time, a fingerprint of the document and its modified mark (one write(2) a line, so
// the log survives the kill). The test kills it at random moments and checks what is left:
//   - at most one recovery file, taken for one left by a process that is gone;
//   - when there is one, it reads back whole, holds the project path, and equals a state the
//     log shows with unsaved changes, which the document was still in no more than
//     WriteDelayMs + Tolerance before the kill;
//   - when there is none, the document had no unsaved changes, or had them for no longer than
//     WriteDelayMs + Tolerance.
// Tolerance: the copy is written from the event loop, so it can come one step (a few ms) or
// one save with its sync to the disk (tens of ms on a loaded machine) late.

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <thread>
#include <unistd.h>

#include "exchange/project_document.h"
#include "files/recovery.h"
#include "support/random_fill.h"
#include "support/scripted_dialogs.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

const char* const ChildVariable = "DEDUZU_RECOVERY_KILL_CHILD";
constexpr int Kills = 20;
constexpr std::int64_t ToleranceMs = 300;

std::int64_t NowNs() {
  // steady_clock is CLOCK_MONOTONIC, one clock for the child and the test.
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::uint64_t Fingerprint(std::span<const std::uint8_t> bytes) {
  std::uint64_t h = 14695981039346656037ull;
  for (const std::uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
  return h;
}

// The child: edits until it is killed.
int RunChild(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString dir = QString::fromLocal8Bit(std::getenv(ChildVariable));
  const std::uint32_t seed = std::uint32_t(std::strtoul(std::getenv("DEDUZU_RECOVERY_KILL_SEED"), nullptr, 10));
  TScriptedEditor window;
  TSpriteEditor& e = *window;
  e.SpinEditWidth->setValue(240);
  e.SpinEditHeight->setValue(240);
  e.SpinEditTotalFrames->setValue(128);
  FillRandom(e.FStore, seed);
  window.Dialogs->Paths = {dir + "/ship.sprite"};
  e.MiSaveAs->trigger();
  e.StartRecovery(dir + "/recovery");
  e.show();

  const int log = ::open(QFile::encodeName(dir + "/log").constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  const auto note = [&] {
    char line[96];
    const int n = std::snprintf(line, sizeof line, "%lld %016llx %d\n", static_cast<long long>(NowNs()),
                                static_cast<unsigned long long>(Fingerprint(BuildDocumentFile(e.FDocument))),
                                int(e.FModified));
    if (::write(log, line, std::size_t(n)) != n) std::_Exit(3);
  };
  note();
  std::mt19937 rng(seed);
  QAction* const edits[] = {e.MiInvertSprite,         e.MiShiftSprite1, e.MiShiftSprite2, e.MiShiftSprite3,
                            e.MiShiftSprite4,         e.MiFlipSpriteHorizontal, e.MiRotateSprite180,
                            e.MiFlipSpriteVertical};
  QTimer steps;
  QObject::connect(&steps, &QTimer::timeout, [&] {
    // A save about every 600 steps, so that the document is both saved and left with unsaved
    // changes for longer than the delay.
    const unsigned pick = rng() % 1200;
    if (pick < 720)
      edits[rng() % std::size(edits)]->trigger();
    else if (pick < 900)
      e.MiUndo->trigger();
    else if (pick < 1060)
      e.MiRedo->trigger();
    else if (pick < 1198)
      e.SpinEditTotalFrames->setValue(100 + int(rng() % 29));
    else
      e.MiSave->trigger();
    note();
  });
  steps.start(10);
  return app.exec();
}

struct TLogEntry {
  std::int64_t Ns;
  std::uint64_t Fingerprint;
  bool Modified;
};

std::vector<TLogEntry> ReadLog(const QString& path) {
  std::vector<TLogEntry> entries;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return entries;
  for (const QByteArray& line : file.readAll().split('\n')) {
    const QList<QByteArray> parts = line.split(' ');
    if (parts.size() != 3) continue;  // the end of the log, cut by the kill
    entries.push_back({parts[0].toLongLong(), parts[1].toULongLong(nullptr, 16), parts[2] == "1"});
  }
  return entries;
}

}  // namespace

class TRecoveryKillTest : public QObject {
  Q_OBJECT

 private slots:
  void recoveryFileSurvivesAKill();
};

void TRecoveryKillTest::recoveryFileSurvivesAKill() {
  QTemporaryDir root;
  QVERIFY(root.isValid());
  std::mt19937 rng(2026);
  int withFile = 0, withoutFile = 0, longModified = 0;
  std::int64_t oldestCopyMs = 0;  // how long before the kill the document left the state of the copy
  std::int64_t largestAllowedMs = 0;  // the largest allowance a kill was judged by
  QElapsedTimer total;
  total.start();
  for (int kill = 0; kill < Kills; ++kill) {
    const QString dir = root.filePath(QString::number(kill));
    QVERIFY(QDir().mkpath(dir + "/data"));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(ChildVariable), dir);
    env.insert("DEDUZU_RECOVERY_KILL_SEED", QString::number(rng()));
    env.insert("XDG_DATA_HOME", dir + "/data");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForStarted(10000));
    QTRY_VERIFY_WITH_TIMEOUT(!ReadLog(dir + "/log").empty(), 20000);
    // Half the kills within the delay of the first change, half well after it.
    const int delayMs = kill % 2 == 0 ? 100 + int(rng() % 1100) : 2300 + int(rng() % 800);
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    const std::int64_t killedNs = NowNs();
    QCOMPARE(::kill(pid_t(child.processId()), SIGKILL), 0);
    QVERIFY(child.waitForFinished(10000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    const std::vector<TLogEntry> log = ReadLog(dir + "/log");
    QVERIFY(!log.empty());
    const QStringList files = QDir(dir + "/recovery").entryList({"*.sprite"}, QDir::Files);
    QVERIFY2(files.size() <= 1, qPrintable(files.join(' ')));
    // The dead window's lock is known for stale.
    QCOMPARE(FindLeftRecoveries(dir + "/recovery").size(), std::size_t(files.size()));
    // The copy's timer cannot fire in the middle of a step or a save: it may come as late as
    // the longest of them (a save with its sync, or any step under a sanitizer, can take more
    // than the fixed tolerance). So the allowance is the larger of the two.
    std::int64_t longestStepMs = (killedNs - log.back().Ns) / 1'000'000;
    for (std::size_t i = 1; i < log.size(); ++i)
      longestStepMs = std::max(longestStepMs, (log[i].Ns - log[i - 1].Ns) / 1'000'000);
    const std::int64_t allowedMs = TRecovery::WriteDelayMs + std::max(ToleranceMs, longestStepMs + 50);
    largestAllowedMs = std::max(largestAllowedMs, allowedMs);
    // Since when the document has had unsaved changes without a break (or the kill: none).
    std::int64_t modifiedSince = killedNs;
    for (auto it = log.rbegin(); it != log.rend() && it->Modified; ++it) modifiedSince = it->Ns;
    if (killedNs - modifiedSince > allowedMs * 1'000'000) ++longModified;

    if (files.isEmpty()) {
      ++withoutFile;
      QVERIFY2((killedNs - modifiedSince) / 1'000'000 <= allowedMs,
               qPrintable(QString("kill %1: no copy after %2 ms of unsaved changes (allowed %3 ms)")
                              .arg(kill)
                              .arg((killedNs - modifiedSince) / 1'000'000)
                              .arg(allowedMs)));
    } else {
      ++withFile;
      const TRecoveredDocument read = ReadRecoveryFile(dir + "/recovery/" + files[0]);
      QVERIFY2(read.Ok, qPrintable(QString("kill %1: the copy does not read back").arg(kill)));
      QCOMPARE(read.ProjectPath, dir + "/ship.sprite");
      // Whole: the document it loads makes the same file again.
      TSpriteDocument loaded;
      std::vector<std::uint8_t> stream(PixelStreamSize);
      QCOMPARE(LoadDocumentFile(loaded, read.Project, std::span<std::uint8_t, PixelStreamSize>(stream)).Result,
               TProjectResult::Ok);
      QCOMPARE(BuildDocumentFile(loaded), read.Project);
      // The latest logged state it equals, and until when the document was in it.
      const std::uint64_t fingerprint = Fingerprint(read.Project);
      std::int64_t until = -1;
      for (std::size_t i = log.size(); i-- > 0;)
        if (log[i].Fingerprint == fingerprint && log[i].Modified) {
          until = i + 1 < log.size() ? log[i + 1].Ns : killedNs;
          break;
        }
      QVERIFY2(until >= 0, qPrintable(QString("kill %1: the copy is no logged state with unsaved changes").arg(kill)));
      oldestCopyMs = std::max(oldestCopyMs, (killedNs - until) / 1'000'000);
      QVERIFY2((killedNs - until) / 1'000'000 <= allowedMs,
               qPrintable(QString("kill %1: the copy is %2 ms old (allowed %3 ms)")
                              .arg(kill)
                              .arg((killedNs - until) / 1'000'000)
                              .arg(allowedMs)));
    }
  }
  qInfo("%d kills in %lld ms: %d left a copy, %d none (document saved or changed within the delay); "
        "%d killed after more than the allowance of unsaved changes; the oldest copy left its state %lld ms "
        "before the kill; the largest allowance %lld ms",
        Kills, static_cast<long long>(total.elapsed()), withFile, withoutFile, longModified,
        static_cast<long long>(oldestCopyMs), static_cast<long long>(largestAllowedMs));
  // The kills must have met copies to check at all (under load the child takes fewer steps).
  QVERIFY(withFile >= 3);
}

int main(int argc, char** argv) {
  if (std::getenv(ChildVariable)) return RunChild(argc, argv);
  QApplication app(argc, argv);
  TRecoveryKillTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "recovery_kill_test.moc"
