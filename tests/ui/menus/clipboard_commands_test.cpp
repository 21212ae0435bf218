// A plane to the clipboard and back through the Clipboard menu; texts the paste refuses leave
// the document alone and show one message.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QSlider>
#include <QtTest>

#include "widgets/radio_group.h"
#include "support/scripted_dialogs.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

class TClipboardCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void copySpriteAndPasteIntoMask();
  void copyMaskWithAttributesPastesBackTheSamePixels();
  void refusedTextChangesNothing_data();
  void refusedTextChangesNothing();

 private:
  std::unique_ptr<TScriptedEditor> F;
  TSpriteEditor& E() { return **F; }
  TScriptedDialogs& D() { return *F->Dialogs; }
};

void TClipboardCommandsTest::init() { F = std::make_unique<TScriptedEditor>(); }

void TClipboardCommandsTest::cleanup() {
  if (F) QCOMPARE(F->Dialogs->Unexpected, 0);
  F.reset();
}

void TClipboardCommandsTest::copySpriteAndPasteIntoMask() {
  TSpriteEditor& e = E();
  e.SpinEditTotalFrames->setValue(2);
  e.SliderFrame->setValue(2);
  e.FModified = false;
  e.UpdateCaption(e.FProjectFileName);
  e.FStore.SetPixel(1, false, 0, 0, 1);
  e.FStore.SetPixel(1, false, 11, 23, 1);
  e.FStore.SetPixel(1, false, 12, 0, 1);  // outside the sprite: not copied
  e.FStore.SetPixel(0, false, 5, 5, 1);   // another frame
  e.FRedrawQueue.clear();

  e.MiCopySpriteClip->trigger();
  QVERIFY(D().Clipboard.has_value());
  QString expected = QStringLiteral("SPRJ;12;24;6;1,0,");
  for (int i = 0; i < 22 * 2; ++i) expected += QStringLiteral("0,");
  expected += QStringLiteral("0,32$");
  QCOMPARE(*D().Clipboard, expected);
  QVERIFY(e.FModified);  // copying counts as an edit
  QVERIFY(e.FRedrawQueue.empty());

  e.FModified = false;
  e.UpdateCaption(e.FProjectFileName);
  e.FStore.SetPixel(1, true, 3, 3, 1);     // overwritten by the paste
  e.FStore.SetPixel(1, true, 100, 3, 1);   // outside the block: kept
  e.MiPasteMaskClip->trigger();
  for (int x = 0; x < 12; ++x)
    for (int y = 0; y < 24; ++y) QCOMPARE(e.FStore.Pixel(1, true, x, y), e.FStore.Pixel(1, false, x, y));
  QCOMPARE(e.FStore.Pixel(1, true, 100, 3), 1);
  QCOMPARE(e.FStore.Pixel(1, true, 12, 0), 0);
  QCOMPARE(e.FStore.Pixel(0, true, 5, 5), 0);
  QCOMPARE(e.FRedrawQueue, TRedrawQueue{rtFull});
  QVERIFY(e.FModified);
  QCOMPARE(e.windowTitle(), QStringLiteral("Deduzu Sprite Editor - [* NoNameFile]"));
  QVERIFY(D().Shown.empty());
}

void TClipboardCommandsTest::copyMaskWithAttributesPastesBackTheSamePixels() {
  TSpriteEditor& e = E();
  e.CbAttrMask->setCurrentIndex(3);
  e.FStore.SetPixel(0, true, 1, 0, 1);
  e.MiCopyMaskClip->trigger();
  QVERIFY(D().Clipboard->startsWith(QStringLiteral("SPRJ;12;24;6;194,192,")));
  e.FStore.ClearAll();
  e.MiPasteMaskClip->trigger();
  QCOMPARE(e.FStore.Pixel(0, true, 1, 0), 1);
  QCOMPARE(e.FStore.Pixel(0, true, 0, 0), 0);
  QVERIFY(D().Shown.empty());
}

void TClipboardCommandsTest::refusedTextChangesNothing_data() {
  QTest::addColumn<bool>("hasText");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("mode");
  QTest::newRow("no text on the clipboard") << false << "" << 0;
  QTest::newRow("empty text") << true << "" << 0;
  QTest::newRow("8-bit text in 6-bit mode") << true << "SPRJ;8;1;8;128$" << 0;
  QTest::newRow("6-bit text in 8-bit mode") << true << "SPRJ;6;1;6;1$" << 1;
  QTest::newRow("lower-case header") << true << "sprj;6;1;6;1$" << 0;
  QTest::newRow("one value too few") << true << "SPRJ;12;1;6;1$" << 0;
  QTest::newRow("line break after the end") << true << "SPRJ;6;1;6;1$\n" << 0;
}

void TClipboardCommandsTest::refusedTextChangesNothing() {
  QFETCH(bool, hasText);
  QFETCH(QString, text);
  QFETCH(int, mode);
  TSpriteEditor& e = E();
  e.RadioGroupMode->SetItemIndex(mode);
  e.FStore.SetPixel(0, false, 2, 0, 1);
  e.FModified = false;
  e.UpdateCaption(e.FProjectFileName);
  e.FRedrawQueue.clear();
  if (hasText) D().Clipboard = text;
  for (QAction* item : {e.MiPasteSpriteClip, e.MiPasteMaskClip}) item->trigger();
  QCOMPARE(D().Sequence(), (QStringList{"error:Paste from Cliboard...", "error:Paste from Cliboard..."}));
  for (const TShown& shown : D().Shown)
    QCOMPARE(shown.Text, QStringLiteral("Content of the Clipboard has invalid format!"));
  QCOMPARE(e.FStore.Pixel(0, false, 2, 0), 1);
  QCOMPARE(e.FStore.Pixel(0, false, 0, 0), 0);
  QCOMPARE(e.FStore.Pixel(0, true, 0, 0), 0);
  QVERIFY(!e.FModified);
  QCOMPARE(e.windowTitle(), QStringLiteral("Deduzu Sprite Editor"));
  QVERIFY(e.FRedrawQueue.empty());
}

QTEST_MAIN(TClipboardCommandsTest)
#include "clipboard_commands_test.moc"
