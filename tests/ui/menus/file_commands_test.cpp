// The File commands through the real window: the questions and when they come, the file
// dialogs' set-ups, the document's identity and title after each command, and closing.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include "widgets/radio_group.h"
#include "support/scripted_dialogs.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

const QString Base = QStringLiteral("Deduzu Sprite Editor");
const QString ProjectFilter = QStringLiteral("sprite project (*.sprite)|*.sprite|all files (*.*)|*.*");
const QString ImportFilter = QStringLiteral("binary sprite files (*.bin;*.dat)|*.bin;*.dat|all files (*.*)|*.*");
const QString ExportFilter =
    QStringLiteral("binary sprite file (*.bin)|*.bin|binary sprite file (*.dat)|*.dat|raw file (*.*)|*.*");
const QString LoseChanges = QStringLiteral("All unsaved changes will be lost!\nAre you sure?");

bool PlaneIsClear(const TSpriteStore& s, int frame, bool mask) {
  for (int x = 0; x < MaxSide; ++x)
    for (int y = 0; y < MaxSide; ++y)
      if (s.Pixel(frame, mask, x, y)) return false;
  return true;
}

void CompareSetup(const TFileDialogSetup& s, const QString& title, const QString& filter, const QString& suffix,
                  const QString& name, const QString& dir) {
  QCOMPARE(s.Title, title);
  QCOMPARE(s.Filter, filter);
  QCOMPARE(s.DefaultSuffix, suffix);
  QCOMPARE(s.FileName, name);
  QCOMPARE(s.Directory, dir);
}

}  // namespace

class TFileCommandsTest : public TEditorTestBase {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void ctrlSWithoutChangesDoesNothing();
  void ctrlSWithChangesAndNoPathOpensSaveAs();
  void saveAsWithoutChangesStillWrites();
  void saveWritesToTheNamedFileWithoutADialog();
  void newAnsweredNoKeepsEverything();
  void newClearsTheDocumentAndKeepsTheSettings();
  void importAsksBeforeItsDialog();
  void importAndExportDialogsStartFromTheDataFile();
  void exportLeavesTheTitleAlone();
  void openAsksOnlyWithUnsavedChanges();
  void openDialogStartsFromTheProject();
  void closeWithoutChangesClosesAtOnce();
  void closeWithChangesAsks_data();
  void closeWithChangesAsks();

};

void TFileCommandsTest::init() {
  QVERIFY(MakeEditor());
}

void TFileCommandsTest::cleanup() {
  QCOMPARE(DropEditor(), 0);
}

void TFileCommandsTest::ctrlSWithoutChangesDoesNothing() {
  E().show();
  E().activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&E()));
  QTest::keyClick(&E(), Qt::Key_S, Qt::ControlModifier);
  QVERIFY(D().Shown.empty());
  // Also for a named document, and when called directly.
  E().FProjectFileName = Path("a.sprite");
  E().UpdateCaption(E().FProjectFileName);
  QTest::keyClick(&E(), Qt::Key_S, Qt::ControlModifier);
  E().MiSaveClick(E().MiSave);
  QVERIFY(D().Shown.empty());
  QVERIFY(!QFile::exists(Path("a.sprite")));
}

void TFileCommandsTest::ctrlSWithChangesAndNoPathOpensSaveAs() {
  E().show();
  E().activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&E()));
  E().FStore.SetPixel(0, false, 1, 1, 1);
  E().MarkModified();
  const QString title = E().windowTitle();
  D().Paths = {QString()};  // cancelled
  QTest::keyClick(&E(), Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(D().Sequence(), QStringList{"save:Save sprite project..."});
  CompareSetup(D().Shown[0].Setup, "Save sprite project...", ProjectFilter, "sprite", "", "");
  QVERIFY(E().FModified);
  QVERIFY(E().FProjectFileName.isEmpty());
  QCOMPARE(E().windowTitle(), title);
  QVERIFY(QDir(FDir->path()).isEmpty());
}

void TFileCommandsTest::saveAsWithoutChangesStillWrites() {
  const QString path = Path("ship.sprite");
  D().Paths = {path};
  E().MiSaveAs->trigger();
  QVERIFY(QFile::exists(path));
  QCOMPARE(QFileInfo(path).size(), 16);  // an empty document
  QCOMPARE(E().FProjectFileName, path);
  QVERIFY(!E().FModified);
  QCOMPARE(E().windowTitle(), Base + " - [" + path + "]");
  QVERIFY(!E().MiSave->isEnabled());
  // Save as always starts with an empty name, even for a named document.
  D().Paths = {QString()};
  E().MiSaveAs->trigger();
  CompareSetup(D().Shown[1].Setup, "Save sprite project...", ProjectFilter, "sprite", "", "");
  QCOMPARE(E().FProjectFileName, path);
}

void TFileCommandsTest::saveWritesToTheNamedFileWithoutADialog() {
  const QString path = Path("ship.sprite");
  D().Paths = {path};
  E().MiSaveAs->trigger();
  E().FStore.SetPixel(0, false, 0, 0, 1);
  E().MarkModified();
  QVERIFY(E().MiSave->isEnabled());
  QCOMPARE(E().windowTitle(), Base + " - [* " + path + "]");
  E().MiSave->trigger();
  QCOMPARE(D().Sequence(), QStringList{"save:Save sprite project..."});  // only Save as's
  QVERIFY(!E().FModified);
  QCOMPARE(E().windowTitle(), Base + " - [" + path + "]");
  QVERIFY(QFileInfo(path).size() > 16);  // the pixel is in the file
}

void TFileCommandsTest::newAnsweredNoKeepsEverything() {
  E().SpinEditTotalFrames->setValue(3);
  E().FStore.SetPixel(2, true, 5, 5, 1);
  E().FProjectFileName = Path("x.sprite");
  E().UpdateCaption(E().FProjectFileName);
  const QString title = E().windowTitle();
  D().Answers = {false};
  E().MiNew->trigger();
  QCOMPARE(D().Sequence(), QStringList{"question:New sprite collection..."});
  QCOMPARE(D().Shown[0].Text, LoseChanges);
  QCOMPARE(E().SpinEditTotalFrames->value(), 3);
  QCOMPARE(E().FStore.Pixel(2, true, 5, 5), 1);
  QCOMPARE(E().windowTitle(), title);
  QVERIFY(E().FModified);
}

void TFileCommandsTest::newClearsTheDocumentAndKeepsTheSettings() {
  TSpriteEditor& e = E();
  e.RadioGroupMode->SetItemIndex(1);
  e.SpinEditWidth->setValue(64);
  e.SpinEditHeight->setValue(100);
  e.CheckBoxGrid->setChecked(true);
  e.MiView200->trigger();
  e.SpinEditTotalFrames->setValue(5);
  e.SliderFrame->setValue(3);
  e.FStore.SetPixel(2, false, 3, 3, 1);
  e.FStore.SetPixel(4, true, 63, 99, 1);
  e.FStore.SetPixel(127, false, 239, 239, 1);  // hidden
  e.FStore.FCopyBuffer[7][7] = 1;
  e.FDataFileName = Path("data.bin");
  e.show();
  QVERIFY(QTest::qWaitForWindowExposed(&e));
  e.ScrollBox->verticalScrollBar()->setValue(200);
  e.ScrollBox->horizontalScrollBar()->setValue(200);
  QVERIFY(e.ScrollBox->verticalScrollBar()->value() > 0);
  e.FRedrawQueue.clear();

  D().Answers = {true};
  e.MiNew->trigger();
  QCOMPARE(e.SpinEditTotalFrames->value(), 1);
  QCOMPARE(e.SliderFrame->value(), 1);
  QCOMPARE(e.SliderFrame->maximum(), 1);
  QCOMPARE(e.FCurrentFrame, 0);
  QCOMPARE(e.LblFrameNum->text(), QStringLiteral("1"));
  for (QWidget* b : {(QWidget*)e.BtnPrev, (QWidget*)e.BtnNext, (QWidget*)e.BtnMoveLeft, (QWidget*)e.BtnMoveRight})
    QVERIFY(!b->isEnabled());
  for (int f : {0, 2, 4, 127})
    for (bool mask : {false, true}) QVERIFY(PlaneIsClear(e.FStore, f, mask));
  QCOMPARE(e.windowTitle(), Base);
  QVERIFY(!e.FModified);
  QVERIFY(e.FProjectFileName.isEmpty());
  QCOMPARE(e.ScrollBox->verticalScrollBar()->value(), 0);
  QCOMPARE(e.ScrollBox->horizontalScrollBar()->value(), 0);
  QVERIFY(std::count(e.FRedrawQueue.begin(), e.FRedrawQueue.end(), rtFull) >= 1);
  // Kept: settings, zoom, grid, data file and copy buffer.
  QCOMPARE(e.RadioGroupMode->ItemIndex(), 1);
  QCOMPARE(e.FWidth, 64);
  QCOMPARE(e.FHeight, 100);
  QVERIFY(e.CheckBoxGrid->isChecked());
  QCOMPARE(e.FZoom, 24);
  QCOMPARE(e.FDataFileName, Path("data.bin"));
  QCOMPARE(e.FStore.FCopyBuffer[7][7], 1);
  QCOMPARE(e.LblBinDataSizeVal->text(), QStringLiteral("1600 bytes"));

  // Asked every time, also without unsaved changes.
  D().Answers = {false};
  e.MiNew->trigger();
  QCOMPARE(D().Sequence(), (QStringList{"question:New sprite collection...", "question:New sprite collection..."}));
}

void TFileCommandsTest::importAsksBeforeItsDialog() {
  TSpriteEditor& e = E();
  e.FStore.SetPixel(0, false, 0, 0, 1);
  D().Answers = {false};
  e.MiImport->trigger();
  QCOMPARE(D().Sequence(), QStringList{"question:Import sprite..."});
  QCOMPARE(D().Shown[0].Text, QStringLiteral("Are you sure that settings correspond to your binary sprite file?\n"
                                             "All unsaved changes will be lost!"));
  // Yes, then cancelled: nothing changes either.
  D().Answers = {true};
  D().Paths = {QString()};
  e.MiImport->trigger();
  QCOMPARE(D().Sequence(),
           (QStringList{"question:Import sprite...", "question:Import sprite...", "open:Import sprite data..."}));
  QCOMPARE(e.FStore.Pixel(0, false, 0, 0), 1);
  QVERIFY(!e.FModified);
  QCOMPARE(e.windowTitle(), Base);
  QVERIFY(e.FDataFileName.isEmpty());
}

// The two commands of raw data share the remembered path; each dialog keeps its own filter,
// title and extension.
void TFileCommandsTest::importAndExportDialogsStartFromTheDataFile() {
  TSpriteEditor& e = E();
  D().Answers = {true};
  D().Paths = {QString(), QString()};
  e.MiImport->trigger();
  e.MiExport->trigger();
  CompareSetup(D().Shown[1].Setup, "Import sprite data...", ImportFilter, "", "", "");
  CompareSetup(D().Shown[2].Setup, "Export sprite data...", ExportFilter, "bin", "", "");

  const QString data = Path("ship.bin");
  D().Paths = {data};
  e.MiExport->trigger();
  QCOMPARE(e.FDataFileName, data);
  D().Answers = {true};
  D().Paths = {QString(), QString()};
  e.MiImport->trigger();
  e.MiExport->trigger();
  const QString dir = QDir(FDir->path()).absolutePath() + "/";
  CompareSetup(D().Shown[5].Setup, "Import sprite data...", ImportFilter, "", "ship.bin", dir);
  CompareSetup(D().Shown[6].Setup, "Export sprite data...", ExportFilter, "bin", "ship.bin", dir);
}

void TFileCommandsTest::exportLeavesTheTitleAlone() {
  TSpriteEditor& e = E();
  const QString path = Path("ship.bin");
  D().Paths = {path};
  e.MiExport->trigger();
  QCOMPARE(QFileInfo(path).size(), 96);  // what the read-out says
  QCOMPARE(e.windowTitle(), Base);
  QVERIFY(!e.FModified);
  QVERIFY(!e.MiSave->isEnabled());
  // With unsaved changes they stay.
  e.MarkModified();
  D().Paths = {path};
  e.MiExport->trigger();
  QVERIFY(e.FModified);
  QCOMPARE(e.windowTitle(), Base + " - [* NoNameFile]");
}

// Opening with unsaved changes asks before the dialog; without, it goes straight to it.
void TFileCommandsTest::openAsksOnlyWithUnsavedChanges() {
  TSpriteEditor& e = E();
  e.FStore.SetPixel(0, false, 4, 4, 1);
  e.MarkModified();
  D().Answers = {false};
  e.MiOpen->trigger();
  QCOMPARE(D().Sequence(), QStringList{"question:Open sprite project..."});
  QCOMPARE(D().Shown[0].Text, LoseChanges);
  QVERIFY(e.FModified);
  QCOMPARE(e.FStore.Pixel(0, false, 4, 4), 1);

  // Yes: the dialog, then the project replaces the document.
  const QString path = Path("empty.sprite");
  {
    TScriptedEditor other;
    other.Dialogs->Paths = {path};
    other->MiSaveAs->trigger();
  }
  D().Answers = {true};
  D().Paths = {path};
  e.MiOpen->trigger();
  QCOMPARE(D().Sequence(),
           (QStringList{"question:Open sprite project...", "question:Open sprite project...", "open:Open sprite project..."}));
  QCOMPARE(e.FStore.Pixel(0, false, 4, 4), 0);
  QVERIFY(!e.FModified);
  QCOMPARE(e.windowTitle(), Base + " - [" + path + "]");

  // No unsaved changes: no question.
  D().Shown.clear();
  D().Paths = {QString()};
  e.MiOpen->trigger();
  QCOMPARE(D().Sequence(), QStringList{"open:Open sprite project..."});
}

void TFileCommandsTest::openDialogStartsFromTheProject() {
  TSpriteEditor& e = E();
  D().Paths = {QString()};
  e.MiOpen->trigger();
  CompareSetup(D().Shown[0].Setup, "Open sprite project...", ProjectFilter, "sprite", "", "");
  const QString path = Path("ship.sprite");
  D().Paths = {path, QString()};
  e.MiSaveAs->trigger();
  e.MiOpen->trigger();
  CompareSetup(D().Shown[2].Setup, "Open sprite project...", ProjectFilter, "sprite", "ship.sprite",
               QDir(FDir->path()).absolutePath() + "/");
}

void TFileCommandsTest::closeWithoutChangesClosesAtOnce() {
  TSpriteEditor& e = E();
  e.show();
  QVERIFY(e.close());
  QVERIFY(!e.isVisible());
  QVERIFY(D().Shown.empty());
}

void TFileCommandsTest::closeWithChangesAsks_data() {
  QTest::addColumn<bool>("byExit");
  QTest::newRow("closing the window") << false;
  QTest::newRow("File > Exit") << true;
}

void TFileCommandsTest::closeWithChangesAsks() {
  QFETCH(bool, byExit);
  TSpriteEditor& e = E();
  e.show();
  QVERIFY(QTest::qWaitForWindowExposed(&e));
  e.FStore.SetPixel(0, false, 2, 2, 1);
  e.MarkModified();
  const QString title = e.windowTitle();
  auto close = [&] {
    if (byExit)
      e.MiExit->trigger();
    else
      e.close();
  };
  D().Answers = {false};
  close();
  QVERIFY(e.isVisible());
  QCOMPARE(D().Sequence(), QStringList{"question:Deduzu Sprite Editor"});
  QCOMPARE(D().Shown[0].Text, QStringLiteral("Do you want to quit?\nAll unsaved changes will be lost!"));
  QVERIFY(e.FModified);
  QCOMPARE(e.windowTitle(), title);
  QCOMPARE(e.FStore.Pixel(0, false, 2, 2), 1);

  D().Answers = {true};
  close();
  QVERIFY(!e.isVisible());
}

QTEST_MAIN(TFileCommandsTest)
#include "file_commands_test.moc"
