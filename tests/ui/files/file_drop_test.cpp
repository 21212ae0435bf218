// Files dropped onto the window: which drags it takes, and that a dropped file is opened as
// File > Open opens the file chosen in its dialog, question and messages included.

#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QtTest>

#include "canvas/canvas.h"
#include "exchange/project_document.h"
#include "files/file_io.h"
#include "support/scripted_dialogs.h"
#include "window/sprite_editor.h"

namespace {

const QString Base = QStringLiteral("Deduzu Sprite Editor");
const QString LoseChanges = QStringLiteral("All unsaved changes will be lost!\nAre you sure?");

std::unique_ptr<QMimeData> UrlData(const QList<QUrl>& urls) {
  auto data = std::make_unique<QMimeData>();
  data->setUrls(urls);
  return data;
}

// Sends a drag entering the canvas and then the drop, as the platform does: they go up to the
// first widget that takes drops. Returns whether the window took the drag; the file is opened
// once the queued call has run.
bool Drop(TSpriteEditor& e, const QMimeData* data) {
  QWidget* canvas = e.PaintBox;
  const QPoint at(5, 5);
  QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(canvas, &enter);
  const bool taken = enter.isAccepted();
  if (taken) {
    QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(canvas, &drop);
    if (!drop.isAccepted()) return false;
    QCoreApplication::processEvents();
  }
  return taken;
}

}  // namespace

class TFileDropTest : public TEditorTestBase {
  Q_OBJECT

  QString FProject;  // a 16 × 8 project of 3 frames, cell (5, 2) of frame 2 set, frame 2 current

 private slots:
  void init();
  void cleanup();
  void takesOneLocalFileOnly_data();
  void takesOneLocalFileOnly();
  void droppedProjectOpensWithoutQuestion();
  void unsavedChangesAskAsOpenDoes();
  void notAProjectIsRefusedAsOpenRefusesIt();
};

void TFileDropTest::init() {
  QVERIFY(MakeEditor());
  auto d = std::make_unique<TSpriteDocument>();
  d->Settings.Format.ByteMode = bmClassic8;
  d->Settings.Width = 16;
  d->Settings.Height = 8;
  d->Settings.FrameCount = 3;
  d->Settings.CurrentFrame = 1;
  d->Store.SetPixel(1, false, 5, 2, 1);
  FProject = Path("ship.sprite");
  QVERIFY(WriteWholeFile(FProject, BuildDocumentFile(*d)));
}

void TFileDropTest::cleanup() { QCOMPARE(DropEditor(), 0); }

void TFileDropTest::takesOneLocalFileOnly_data() {
  QTest::addColumn<QList<QUrl>>("urls");
  QTest::addColumn<bool>("taken");
  const QUrl project = QUrl::fromLocalFile(QStringLiteral("/nonexistent-dir/ship.sprite"));
  QTest::newRow("one project") << QList<QUrl>{project} << true;
  // Like the Open dialog's "all files": the file's content decides, not its name.
  QTest::newRow("one other local file") << QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/nonexistent-dir/ship.bin"))} << true;
  QTest::newRow("two files") << QList<QUrl>{project, QUrl::fromLocalFile(QStringLiteral("/nonexistent-dir/b.sprite"))} << false;
  QTest::newRow("a web address") << QList<QUrl>{QUrl(QStringLiteral("https://example.org/ship.sprite"))} << false;
  QTest::newRow("no address") << QList<QUrl>{} << false;
}

void TFileDropTest::takesOneLocalFileOnly() {
  QFETCH(QList<QUrl>, urls);
  QFETCH(bool, taken);
  QVERIFY(E().acceptDrops());
  const auto data = UrlData(urls);
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&E(), &enter);
  QCOMPARE(enter.isAccepted(), taken);
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&E(), &drop);
  QCOMPARE(drop.isAccepted(), taken);

  // Text is no file either.
  QMimeData text;
  text.setText(QStringLiteral("ship.sprite"));
  QDragEnterEvent textEnter(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&E(), &textEnter);
  QVERIFY(!textEnter.isAccepted());

  // A refused drop, or one of a file that does not exist, leaves the document as it was.
  QCoreApplication::processEvents();
  if (!taken) QVERIFY(D().Shown.empty());
  QCOMPARE(E().windowTitle(), Base);
}

void TFileDropTest::droppedProjectOpensWithoutQuestion() {
  TSpriteEditor& e = E();
  const auto data = UrlData({QUrl::fromLocalFile(FProject)});
  QVERIFY(Drop(e, data.get()));
  QVERIFY(D().Shown.empty());
  QCOMPARE(e.FStore.Pixel(1, false, 5, 2), 1);
  QCOMPARE(e.FCurrentFrame, 1);
  QCOMPARE(e.FrameCount(), 3);
  QCOMPARE(e.FWidth, 16);
  QCOMPARE(e.FHeight, 8);
  QVERIFY(!e.FModified);
  QCOMPARE(e.FProjectFileName, FProject);
  QCOMPARE(e.windowTitle(), Base + " - [" + FProject + "]");
  // Opened, not imported: nothing to undo.
  QVERIFY(!e.MiUndo->isEnabled());
}

void TFileDropTest::unsavedChangesAskAsOpenDoes() {
  TSpriteEditor& e = E();
  e.FStore.SetPixel(0, false, 4, 4, 1);
  e.MarkModified();
  const auto data = UrlData({QUrl::fromLocalFile(FProject)});

  // No: the document stays as it was.
  D().Answers = {false};
  QVERIFY(Drop(e, data.get()));
  QCOMPARE(D().Sequence(), QStringList{"question:Open sprite project..."});
  QCOMPARE(D().Shown[0].Text, LoseChanges);
  QVERIFY(e.FModified);
  QCOMPARE(e.FStore.Pixel(0, false, 4, 4), 1);
  QVERIFY(e.FProjectFileName.isEmpty());

  // Yes: the project replaces it, without the Open dialog.
  D().Answers = {true};
  QVERIFY(Drop(e, data.get()));
  QCOMPARE(D().Sequence(), (QStringList{"question:Open sprite project...", "question:Open sprite project..."}));
  QCOMPARE(e.FStore.Pixel(0, false, 4, 4), 0);
  QCOMPARE(e.FStore.Pixel(1, false, 5, 2), 1);
  QVERIFY(!e.FModified);
  QCOMPARE(e.windowTitle(), Base + " - [" + FProject + "]");
}

void TFileDropTest::notAProjectIsRefusedAsOpenRefusesIt() {
  const QString raw = Path("ship.bin");
  {
    QFile file(raw);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(48, '\x55'));
  }
  const QString missing = Path("gone.sprite");
  for (const QString& path : {raw, missing}) {
    // What Open shows for the file chosen in its dialog ...
    TScriptedEditor viaOpen;
    viaOpen.Dialogs->Paths = {path};
    viaOpen->MiOpen->trigger();
    QCOMPARE(viaOpen.Dialogs->Sequence(), (QStringList{"open:Open sprite project...", "error:Open sprite project..."}));

    // ... a drop of it shows too, and the document is left alone.
    D().Shown.clear();
    E().FStore.SetPixel(0, false, 1, 1, 1);
    const auto data = UrlData({QUrl::fromLocalFile(path)});
    QVERIFY(Drop(E(), data.get()));
    QCOMPARE(D().Sequence(), QStringList{"error:Open sprite project..."});
    QCOMPARE(D().Shown[0].Text, viaOpen.Dialogs->Shown[1].Text);
    QCOMPARE(E().FStore.Pixel(0, false, 1, 1), 1);
    QVERIFY(E().FProjectFileName.isEmpty());
  }
}

QTEST_MAIN(TFileDropTest)
#include "file_drop_test.moc"
