// Undo and redo in the real window: every kind of step taken back and done again through the
// Edit menu's items, comparing the whole document, the controls, the modified mark and the
// item texts each time; then the history's edges (saved state, refused operations, New and
// Open, the keys).

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QtTest>
#include <functional>

#include "support/document_compare.h"
#include "support/random_fill.h"
#include "support/scripted_dialogs.h"
#include "widgets/radio_group.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

using TAction = std::function<void(TSpriteEditor&, TScriptedDialogs&)>;

QAction* Item(TSpriteEditor& e, const char* name) { return e.findChild<QAction*>(QString::fromLatin1(name)); }

// Pixels everywhere in frames 0 .. 3 (hidden ones too), four frames, the third one shown, as
// a freshly opened document: an empty history and no modified mark.
void OpenRandomDocument(TSpriteEditor& e) {
  e.ReplaceDocument(
      [](TSpriteDocument& d) {
        FillRandom(d.Store, 21u, 4);
        FillRandom(d.Store.FCopyBuffer, 22u);
        d.Settings.FrameCount = 4;
        d.Settings.CurrentFrame = 2;
      },
      false);
}

// A stroke over a few cells of the sprite pane and on into the mask pane (zoom 12, masked).
void Stroke(TSpriteEditor& e, Qt::MouseButton button) {
  e.PaintBoxMouseDown(button, {}, 1 * 12 + 5, 1 * 12 + 5);
  e.PaintBoxMouseMove({}, 2 * 12 + 5, 1 * 12 + 5);
  e.PaintBoxMouseMove({}, 2 * 12 + 5, 2 * 12 + 5);
  e.PaintBoxMouseMove({}, 2 * 12 + 5, 2 * 12 + 6);  // the same cell again
  e.PaintBoxMouseMove({}, 13 * 12 + 3 * 12 + 5, 2 * 12 + 5);
  e.PaintBoxMouseUp(button, {}, 13 * 12 + 3 * 12 + 5, 2 * 12 + 5);
}

}  // namespace

Q_DECLARE_METATYPE(TAction)

class TUndoRedoTest : public TEditorTestBase {
  Q_OBJECT

 private slots:
  void init() { QVERIFY(MakeEditor()); }
  void cleanup() { QCOMPARE(DropEditor(), 0); }

  void everyStep_data();
  void everyStep();
  void undoShowsTheFrameTheStepChanged();
  void undoBackToTheSavedStateClearsTheMark();
  void marksWithoutAChangeStayUntilTheNextSave();
  void refusedOperationsAddNoStep();
  void newAndOpenStartAnEmptyHistory();
  void keysWorkWhateverControlHasFocus();
};

void TUndoRedoTest::everyStep_data() {
  QTest::addColumn<TAction>("action");
  QTest::addColumn<QString>("text");
  auto item = [](const char* name) { return TAction([name](TSpriteEditor& e, TScriptedDialogs&) { Item(e, name)->trigger(); }); };
  const struct {
    const char* Name;
    const char* Text;
  } items[] = {
      {"MiPasteSprite", "Paste to sprite"},   {"MiPasteMask", "Paste to mask"},
      {"MiMergeSprite", "Merge with sprite"}, {"MiMergeMask", "Merge with mask"},
      {"MiClearSprite", "Clear sprite"},      {"MiClearMask", "Clear mask"},
      {"MiInvertSprite", "Invert sprite"},    {"MiInvertMask", "Invert mask"},
      {"MiShiftSprite1", "Shift sprite up"},  {"MiShiftMask1", "Shift mask up"},
      {"MiShiftSprite2", "Shift sprite left"}, {"MiShiftMask2", "Shift mask left"},
      {"MiShiftSprite3", "Shift sprite right"}, {"MiShiftMask3", "Shift mask right"},
      {"MiShiftSprite4", "Shift sprite down"}, {"MiShiftMask4", "Shift mask down"},
      {"MiFlipSpriteHorizontal", "Flip sprite horizontal"}, {"MiFlipMaskHorizontal", "Flip mask horizontal"},
      {"MiFlipSpriteVertical", "Flip sprite vertical"}, {"MiFlipMaskVertical", "Flip mask vertical"},
      {"MiRotateSprite90", "Rotate sprite 90\u00B0"}, {"MiRotateMask90", "Rotate mask 90\u00B0"},
      {"MiRotateSprite180", "Rotate sprite 180\u00B0"}, {"MiRotateMask180", "Rotate mask 180\u00B0"},
      {"MiGenStdMask", "Generate standard mask"},
  };
  for (const auto& i : items) QTest::newRow(i.Name) << item(i.Name) << QString::fromUtf8(i.Text);
  for (const char* name : {"MiPasteSpriteClip", "MiPasteMaskClip"})
    QTest::newRow(name) << TAction([name](TSpriteEditor& e, TScriptedDialogs& d) {
      d.Clipboard = QStringLiteral("SPRJ;12;2;6;1,2,3,4$");
      Item(e, name)->trigger();
    }) << (qstrcmp(name, "MiPasteSpriteClip") == 0 ? "Paste from clipboard to sprite" : "Paste from clipboard to mask");
  QTest::newRow("stroke") << TAction([](TSpriteEditor& e, TScriptedDialogs&) { Stroke(e, Qt::LeftButton); }) << "Draw";
  QTest::newRow("erasing stroke") << TAction([](TSpriteEditor& e, TScriptedDialogs&) { Stroke(e, Qt::RightButton); }) << "Erase";
  QTest::newRow("byte mode") << TAction([](TSpriteEditor& e, TScriptedDialogs&) { e.RadioGroupMode->SetItemIndex(1); })
                             << "Change byte mode";
  QTest::newRow("width") << TAction([](TSpriteEditor& e, TScriptedDialogs&) { e.SpinEditWidth->setValue(18); }) << "Change width";
  QTest::newRow("height") << TAction([](TSpriteEditor& e, TScriptedDialogs&) { e.SpinEditHeight->setValue(200); })
                          << "Change height";
  QTest::newRow("masking") << TAction([](TSpriteEditor& e, TScriptedDialogs&) { e.CheckBoxMasked->setChecked(false); })
                           << "Change masking";
  QTest::newRow("order") << TAction([](TSpriteEditor& e, TScriptedDialogs&) { e.CbSpriteAlignment->setCurrentIndex(3); })
                         << "Change order sequence";
  QTest::newRow("arrangement") << TAction([](TSpriteEditor& e, TScriptedDialogs&) { e.CbMaskAlignment->setCurrentIndex(4); })
                               << "Change mask arrangement";
  QTest::newRow("attribute bits") << TAction([](TSpriteEditor& e, TScriptedDialogs&) { e.CbAttrMask->setCurrentIndex(3); })
                                  << "Change attribute bits";
  QTest::newRow("fewer frames") << TAction([](TSpriteEditor& e, TScriptedDialogs&) { e.SpinEditTotalFrames->setValue(2); })
                                << "Change total frames";
  QTest::newRow("move left") << TAction([](TSpriteEditor& e, TScriptedDialogs&) { e.BtnMoveLeft->click(); })
                             << "Move sprite to previous frame";
  QTest::newRow("move right") << TAction([](TSpriteEditor& e, TScriptedDialogs&) { e.BtnMoveRight->click(); })
                              << "Move sprite to next frame";
}

void TUndoRedoTest::everyStep() {
  QFETCH(TAction, action);
  QFETCH(QString, text);
  TSpriteEditor& e = E();
  OpenRandomDocument(e);
  QVERIFY(!e.MiUndo->isEnabled());
  auto start = std::make_unique<TSpriteDocument>();
  auto done = std::make_unique<TSpriteDocument>();
  CopyDocument(e.FDocument, *start);

  action(e, D());
  QCOMPARE(e.FHistory.Count(), std::size_t(1));
  CopyDocument(e.FDocument, *done);
  QVERIFY(!SameDocument(*start, *done));
  QVERIFY(e.FModified);
  QCOMPARE(e.windowTitle(), QStringLiteral("Deduzu Sprite Editor - [* NoNameFile]"));
  QCOMPARE(e.MiUndo->text(), QStringLiteral("&Undo ") + text);
  QVERIFY(e.MiUndo->isEnabled());
  QVERIFY(!e.MiRedo->isEnabled());
  QCOMPARE(e.MiRedo->text(), QStringLiteral("&Redo"));

  for (int round = 0; round < 2; ++round) {
    e.FRedrawQueue.clear();
    e.MiUndo->trigger();
    QVERIFY(SameDocument(e.FDocument, *start));
    QVERIFY(e.SettingsFromControls() == e.FDocument.Settings);
    QCOMPARE(e.FWidth, start->Settings.Width);
    QCOMPARE(e.FCurrentFrame, start->Settings.CurrentFrame);
    QVERIFY(!e.FModified);
    QCOMPARE(e.windowTitle(), QStringLiteral("Deduzu Sprite Editor"));
    QCOMPARE(e.MiRedo->text(), QStringLiteral("&Redo ") + text);
    QVERIFY(!e.MiUndo->isEnabled());
    QVERIFY(!e.FRedrawQueue.empty());

    e.MiRedo->trigger();
    QVERIFY(SameDocument(e.FDocument, *done));
    QVERIFY(e.SettingsFromControls() == e.FDocument.Settings);
    QCOMPARE(e.FCurrentFrame, done->Settings.CurrentFrame);
    QVERIFY(e.FModified);
    QCOMPARE(e.windowTitle(), QStringLiteral("Deduzu Sprite Editor - [* NoNameFile]"));
  }
}

// Undo goes to the frame of the step it takes back, whichever frame is shown.
void TUndoRedoTest::undoShowsTheFrameTheStepChanged() {
  TSpriteEditor& e = E();
  OpenRandomDocument(e);
  e.MiInvertSprite->trigger();  // on frame 3
  e.BtnPrev->click();
  e.BtnPrev->click();
  QCOMPARE(e.LblFrameNum->text(), QStringLiteral("1"));
  QVERIFY(e.FModified);  // stepping is no step and leaves the mark as it is
  e.MiUndo->trigger();
  QCOMPARE(e.SliderFrame->value(), 3);
  QCOMPARE(e.LblFrameNum->text(), QStringLiteral("3"));
  QCOMPARE(e.FCurrentFrame, 2);
}

void TUndoRedoTest::undoBackToTheSavedStateClearsTheMark() {
  TSpriteEditor& e = E();
  OpenRandomDocument(e);
  const QString path = Path(QStringLiteral("ship.sprite"));
  e.MiInvertMask->trigger();
  D().Paths = {path};
  e.MiSaveAs->trigger();
  const QString saved = QStringLiteral("Deduzu Sprite Editor - [") + path + QStringLiteral("]");
  const QString changed = QStringLiteral("Deduzu Sprite Editor - [* ") + path + QStringLiteral("]");
  QCOMPARE(e.windowTitle(), saved);
  e.MiShiftSprite1->trigger();
  QCOMPARE(e.windowTitle(), changed);
  e.MiUndo->trigger();
  QCOMPARE(e.windowTitle(), saved);
  QVERIFY(!e.FModified);
  e.MiUndo->trigger();  // before the save
  QCOMPARE(e.windowTitle(), changed);
  e.MiRedo->trigger();
  QCOMPARE(e.windowTitle(), saved);
  // A new step after undoing past the save: the saved state is gone for good.
  e.MiUndo->trigger();
  e.MiClearSprite->trigger();
  QVERIFY(!e.MiRedo->isEnabled());
  e.MiUndo->trigger();
  QCOMPARE(e.windowTitle(), changed);
  QVERIFY(e.FModified);
}

void TUndoRedoTest::marksWithoutAChangeStayUntilTheNextSave() {
  TSpriteEditor& e = E();
  OpenRandomDocument(e);
  e.MiInvertSprite->trigger();
  e.MiCopySprite->trigger();  // fills the copy buffer: no step
  QCOMPARE(e.FHistory.Count(), std::size_t(1));
  e.MiUndo->trigger();
  QVERIFY(e.FModified);
  QCOMPARE(e.windowTitle(), QStringLiteral("Deduzu Sprite Editor - [* NoNameFile]"));

  // Import leaves the document unnamed and modified, also once it is undone.
  const QString raw = Path(QStringLiteral("ship.bin"));
  QFile file(raw);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(96 * 3, '\x15'));
  file.close();
  D().Paths = {Path(QStringLiteral("a.sprite"))};
  e.MiSaveAs->trigger();
  QVERIFY(!e.FModified);
  D().Answers = {true};
  D().Paths = {raw};
  e.MiImport->trigger();
  QCOMPARE(e.SpinEditTotalFrames->value(), 3);
  QCOMPARE(e.MiUndo->text(), QStringLiteral("&Undo Import"));
  e.MiUndo->trigger();
  QCOMPARE(e.SpinEditTotalFrames->value(), 4);
  QCOMPARE(e.SliderFrame->value(), 3);
  QVERIFY(e.FModified);
  QCOMPARE(e.windowTitle(), QStringLiteral("Deduzu Sprite Editor - [* NoNameFile]"));
}

void TUndoRedoTest::refusedOperationsAddNoStep() {
  TSpriteEditor& e = E();
  OpenRandomDocument(e);
  D().Clipboard = QStringLiteral("SPRJ;12;2;8;1,2,3,4$");  // 8-bit text in the 6-bit mode
  e.MiPasteSpriteClip->trigger();
  D().Answers = {true};
  D().Paths = {QString()};  // the file dialog cancelled
  e.MiImport->trigger();
  D().Answers = {true};
  D().Paths = {Path(QStringLiteral("missing.bin"))};
  e.MiImport->trigger();
  e.SpinEditWidth->setValue(13);  // brought back down to 12: nothing changed
  QCOMPARE(D().Sequence(), (QStringList{"error:Paste from Cliboard...", "question:Import sprite...",
                                        "open:Import sprite data...", "question:Import sprite...",
                                        "open:Import sprite data...", "error:Import sprite data..."}));
  QCOMPARE(e.FHistory.Count(), std::size_t(0));
  QVERIFY(!e.MiUndo->isEnabled());
  QVERIFY(!e.FModified);
}

void TUndoRedoTest::newAndOpenStartAnEmptyHistory() {
  TSpriteEditor& e = E();
  OpenRandomDocument(e);
  const QString path = Path(QStringLiteral("ship.sprite"));
  e.MiInvertSprite->trigger();
  D().Paths = {path};
  e.MiSaveAs->trigger();
  e.MiInvertMask->trigger();
  D().Answers = {true};
  e.MiNew->trigger();
  QVERIFY(!e.MiUndo->isEnabled());
  QVERIFY(!e.MiRedo->isEnabled());
  QCOMPARE(e.MiUndo->text(), QStringLiteral("&Undo"));
  e.MiClearMask->trigger();
  D().Answers = {true};
  D().Paths = {path};
  e.MiOpen->trigger();
  QCOMPARE(e.FHistory.Count(), std::size_t(0));
  QVERIFY(!e.FModified);
  QCOMPARE(e.SpinEditTotalFrames->value(), 4);
}

// Ctrl+Z and Ctrl+Shift+Z reach the items from a spin edit, which would otherwise take them
// for its own text; Ctrl+Y stays Rotate sprite 180°.
void TUndoRedoTest::keysWorkWhateverControlHasFocus() {
  TSpriteEditor& e = E();
  OpenRandomDocument(e);
  e.show();
  e.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&e));
  e.SpinEditHeight->setFocus();
  QTest::keyClick(e.SpinEditHeight, Qt::Key_Y, Qt::ControlModifier);
  QCOMPARE(e.MiUndo->text(), QStringLiteral("&Undo Rotate sprite 180\u00B0"));
  QTest::keyClick(e.SpinEditHeight, Qt::Key_Up);
  QCOMPARE(e.SpinEditHeight->value(), 25);
  QTest::keyClick(e.SpinEditHeight, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(e.SpinEditHeight->value(), 24);
  QTest::keyClick(e.SpinEditHeight, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(e.MiRedo->text(), QStringLiteral("&Redo Rotate sprite 180\u00B0"));
  QTest::keyClick(e.SpinEditHeight, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(e.SpinEditHeight, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(e.SpinEditHeight->value(), 25);
  QVERIFY(!e.MiRedo->isEnabled());
}

QTEST_MAIN(TUndoRedoTest)
#include "undo_redo_test.moc"
