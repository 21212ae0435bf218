// A named pipe given to any file command is refused at once with the command's message: no
// read or write waits for the pipe's other end, nothing is created beside it, and the document
// stays as it was. Should a command block all the same, a watchdog opens the pipe's other end
// after a few seconds, so that the command returns and the test fails instead of hanging.

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "exchange/project_document.h"
#include "support/scripted_dialogs.h"
#include "window/sprite_editor.h"

namespace {

// Opens the pipe's both ends (O_RDWR never waits on Linux) and drains it after `patience`,
// until stopped: a reader waiting in open or read gets an end of file, a writer waiting in
// open gets a reader and then a broken pipe.
class TFifoWatchdog {
 public:
  TFifoWatchdog(const QString& fifo, std::chrono::milliseconds patience)
      : FPath(QFile::encodeName(fifo).toStdString()), FThread([this, patience] { Watch(patience); }) {}
  ~TFifoWatchdog() {
    {
      std::lock_guard lock(FMutex);
      FDone = true;
    }
    FWake.notify_all();
    FThread.join();
  }
  bool Rescued() const { return FRescued; }

 private:
  void Watch(std::chrono::milliseconds patience) {
    std::unique_lock lock(FMutex);
    if (FWake.wait_for(lock, patience, [this] { return FDone; })) return;
    while (!FDone) {
      FRescued = true;
      const int fd = ::open(FPath.c_str(), O_RDWR | O_NONBLOCK);
      char buffer[65536];
      for (int i = 0; i < 10 && fd >= 0; ++i) {
        while (::read(fd, buffer, sizeof buffer) > 0) {
        }
        FWake.wait_for(lock, std::chrono::milliseconds(10), [this] { return FDone; });
      }
      if (fd >= 0) ::close(fd);
      FWake.wait_for(lock, std::chrono::milliseconds(50), [this] { return FDone; });
    }
  }

  std::string FPath;
  std::mutex FMutex;
  std::condition_variable FWake;
  bool FDone = false;
  std::atomic<bool> FRescued = false;
  std::thread FThread;
};

bool IsFifo(const QString& path) {
  struct stat st {};
  return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

}  // namespace

class TFifoTest : public TEditorTestBase {
  Q_OBJECT

 private slots:
  void initTestCase() { std::signal(SIGPIPE, SIG_IGN); }
  void init() { QVERIFY(MakeEditor()); }
  void cleanup() { QCOMPARE(DropEditor(), 0); }
  void everyCommandRefusesAFifo_data();
  void everyCommandRefusesAFifo();
};

void TFifoTest::everyCommandRefusesAFifo_data() {
  QTest::addColumn<QString>("command");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QString>("text");
  const QString read = "Can't open this file!";
  const QString write = "Can't open this file for writing!";
  QTest::newRow("Open") << "open" << "Open sprite project..." << read;
  QTest::newRow("start-up file") << "startup" << "Open sprite project..." << read;
  QTest::newRow("Import") << "import" << "Import sprite data..." << read;
  QTest::newRow("Import image") << "import image" << "Import image..." << read;
  QTest::newRow("Save as") << "save as" << "Save sprite project..." << write;
  QTest::newRow("Save to the project path") << "save" << "Save sprite project..." << write;
  QTest::newRow("Export") << "export" << "Export sprite data..." << write;
  QTest::newRow("Export source") << "export source" << "Export source..." << write;
  QTest::newRow("Export image") << "export image" << "Export image..." << write;
}

void TFifoTest::everyCommandRefusesAFifo() {
  QFETCH(QString, command);
  QFETCH(QString, title);
  QFETCH(QString, text);
  TSpriteEditor& e = E();
  const QString fifo = Path("pipe.sprite");
  QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  // Some content, so that a write would have something to write.
  e.FStore.SetPixel(0, false, 3, 3, 1);
  const QString earlier = Path("earlier.sprite");
  if (command == "save") {
    e.FProjectFileName = fifo;
    e.MarkModified();
  } else {
    e.FProjectFileName = earlier;
  }
  e.UpdateCaption(e.FProjectFileName);
  const QString caption = e.windowTitle();
  const bool modified = e.FModified;
  const std::vector<std::uint8_t> before = BuildDocumentFile(e.FDocument);

  if (command == "import" || command == "import image") D().Answers = {true};
  if (command == "import image") D().ImageImportChoices = {TPngImportOptions{}};
  if (command == "export source") D().SourceChoices = {TSourceOptions{.Label = "ship"}};
  if (command == "export image") D().ImageExportChoices = {TImageExportChoice{}};
  if (command != "save" && command != "startup") D().Paths = {fifo};

  QElapsedTimer clock;
  bool rescued = false;
  {
    TFifoWatchdog watchdog(fifo, std::chrono::seconds(3));
    clock.start();
    if (command == "open") e.MiOpen->trigger();
    if (command == "import") e.MiImport->trigger();
    if (command == "import image") e.MiImportImage->trigger();
    if (command == "save as") e.MiSaveAs->trigger();
    if (command == "save") e.MiSave->trigger();
    if (command == "export") e.MiExport->trigger();
    if (command == "export source") e.MiExportSource->trigger();
    if (command == "export image") e.MiExportImage->trigger();
    if (command == "startup") {
      // As the program starts: the window opens the file once it is shown.
      e.FStartupFileName = fifo;
      e.show();
      QTRY_VERIFY_WITH_TIMEOUT(e.FStartupFileName.isEmpty() && !D().Shown.empty(), 5000);
    }
    rescued = watchdog.Rescued();
  }
  QVERIFY2(!rescued, "the command waited for the pipe's other end");
  QVERIFY2(clock.elapsed() < 1000, qPrintable(QString("the command took %1 ms").arg(clock.elapsed())));

  QStringList errors;
  for (const TShown& s : D().Shown)
    if (s.Kind == TShown::Error) errors << s.Title + "|" + s.Text;
  QCOMPARE(errors, QStringList{title + "|" + text});
  QVERIFY(IsFifo(fifo));
  QCOMPARE(QDir(FDir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
           QStringList{"pipe.sprite"});
  QCOMPARE(BuildDocumentFile(e.FDocument), before);
  QCOMPARE(e.windowTitle(), caption);
  QCOMPARE(e.FModified, modified);
}

QTEST_MAIN(TFifoTest)
#include "fifo_test.moc"
