// The Frame menu and the frame command buttons on a window whose 128 frames all hold
// different pictures (hidden pixels included): each command against a list model of the
// frames, with the frame controls, the modified mark and the Undo item following; then Undo
// and Redo. Also the sprite-and-mask items of the Shift, Flip and Rotate submenus.

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QtTest>
#include <memory>

#include "support/document_compare.h"
#include "support/frame_model.h"
#include "support/random_fill.h"
#include "support/scripted_dialogs.h"
#include "widgets/panel.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

class TFrameCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void command_data();
  void command();
  void countLimitsDisableTheCommands();
  void copyAndPasteFrame();
  void shortcutsReachTheCommands();
  void bothPlanesItems_data();
  void bothPlanesItems();
  void bothPlanesItemsFollowMasking();
  void screenshots();

 private:
  std::unique_ptr<TScriptedEditor> F;
  std::unique_ptr<TSpriteDocument> FFirst = std::make_unique<TSpriteDocument>();
  std::unique_ptr<TSpriteDocument> FExpected = std::make_unique<TSpriteDocument>();

  TSpriteEditor& E() { return **F; }
  // count frames with frame `current` (0-based) shown, every frame of the store a picture
  // of its own, and the document in its saved state.
  void Start(int count, int current) {
    E().SpinEditTotalFrames->setValue(count);
    E().SliderFrame->setValue(current + 1);
    FillRandom(E().FStore, 23u);
    E().FHistory.Clear();
    E().MarkSaved();
    E().UpdateUndoItems();
    CopyDocument(E().FDocument, *FFirst);
  }
  void ExpectShown(int count, int current) {
    QCOMPARE(E().SpinEditTotalFrames->value(), count);
    QCOMPARE(E().SliderFrame->maximum(), count);
    QCOMPARE(E().SliderFrame->value(), current + 1);
    QCOMPARE(E().FCurrentFrame, current);
    QCOMPARE(E().LblFrameNum->text(), QString::number(current + 1));
  }
  void ShowActive() {
    E().show();
    E().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(F->Editor.get()));
  }
};

void TFrameCommandsTest::init() { F = std::make_unique<TScriptedEditor>(); }

void TFrameCommandsTest::cleanup() {
  if (F) QCOMPARE(F->Dialogs->Unexpected, 0);
  F.reset();
}

void TFrameCommandsTest::command_data() {
  QTest::addColumn<QString>("control");  // a menu item or a button
  QTest::addColumn<int>("count");
  QTest::addColumn<int>("current");
  QTest::newRow("MiInsertFrame, middle") << "MiInsertFrame" << 4 << 1;
  QTest::newRow("BtnInsertFrame, last") << "BtnInsertFrame" << 4 << 3;
  QTest::newRow("MiInsertFrame, one frame") << "MiInsertFrame" << 1 << 0;
  QTest::newRow("MiInsertFrame, 127 to 128") << "MiInsertFrame" << 127 << 126;
  QTest::newRow("BtnDuplicateFrame, first") << "BtnDuplicateFrame" << 4 << 0;
  QTest::newRow("MiDuplicateFrame, 127 to 128") << "MiDuplicateFrame" << 127 << 5;
  QTest::newRow("MiDeleteFrame, first") << "MiDeleteFrame" << 4 << 0;
  QTest::newRow("BtnDeleteFrame, last") << "BtnDeleteFrame" << 4 << 3;
  QTest::newRow("MiDeleteFrame, 2 to 1") << "MiDeleteFrame" << 2 << 1;
  QTest::newRow("MiDeleteFrame, 128 frames") << "MiDeleteFrame" << 128 << 60;
}

void TFrameCommandsTest::command() {
  QFETCH(QString, control);
  QFETCH(int, count);
  QFETCH(int, current);
  Start(count, current);
  TSpriteEditor& e = E();
  QVERIFY(!e.FModified);

  TFrameList model = IdentityFrames();
  int countAfter = count + 1;
  int currentAfter = current + 1;
  QString text;
  if (control.contains("Insert")) {
    model = ModelInsert(model, count, current + 1, ClearPicture);
    text = "Insert frame";
  } else if (control.contains("Duplicate")) {
    model = ModelInsert(model, count, current + 1, current);
    text = "Duplicate frame";
  } else {
    model = ModelDelete(model, count, current);
    countAfter = count - 1;
    currentAfter = std::min(current, count - 2);
    text = "Delete frame";
  }
  CopyDocument(*FFirst, *FExpected);
  Pictures(*FFirst, model, *FExpected);
  FExpected->Settings.FrameCount = countAfter;
  FExpected->Settings.CurrentFrame = currentAfter;

  e.FRedrawQueue.clear();
  if (auto* item = e.findChild<QAction*>(control)) {
    QVERIFY(item->isEnabled());
    item->trigger();
  } else {
    auto* button = e.findChild<QPushButton*>(control);
    QVERIFY(button != nullptr);
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
  }
  QVERIFY(SameDocument(e.FDocument, *FExpected));
  ExpectShown(countAfter, currentAfter);
  QVERIFY(e.FModified);
  QVERIFY(e.windowTitle() != e.FBaseCaption);
  QCOMPARE(e.MiUndo->text(), "&Undo " + text);
  QCOMPARE(e.FHistory.Count(), std::size_t(1));
  QVERIFY(!e.FRedrawQueue.empty());

  e.MiUndo->trigger();
  QVERIFY(SameDocument(e.FDocument, *FFirst));
  ExpectShown(count, current);
  QVERIFY(!e.FModified);
  QCOMPARE(e.MiRedo->text(), "&Redo " + text);

  e.MiRedo->trigger();
  QVERIFY(SameDocument(e.FDocument, *FExpected));
  ExpectShown(countAfter, currentAfter);
  QVERIFY(e.FModified);
}

void TFrameCommandsTest::countLimitsDisableTheCommands() {
  TSpriteEditor& e = E();
  auto expectEnabled = [&](bool grows, bool shrinks) {
    QCOMPARE(e.MiInsertFrame->isEnabled(), grows);
    QCOMPARE(e.MiDuplicateFrame->isEnabled(), grows);
    QCOMPARE(e.BtnInsertFrame->isEnabled(), grows);
    QCOMPARE(e.BtnDuplicateFrame->isEnabled(), grows);
    QCOMPARE(e.MiDeleteFrame->isEnabled(), shrinks);
    QCOMPARE(e.BtnDeleteFrame->isEnabled(), shrinks);
  };
  expectEnabled(true, false);  // one frame at start
  QVERIFY(!e.MiPasteFrame->isEnabled());
  e.MiDeleteFrameClick(e.BtnDeleteFrame);  // even when called, nothing happens at one frame
  QCOMPARE(e.FHistory.Count(), std::size_t(0));

  e.SpinEditTotalFrames->setValue(127);
  expectEnabled(true, true);
  e.SliderFrame->setValue(127);
  e.MiInsertFrame->trigger();
  ExpectShown(128, 127);
  expectEnabled(false, true);
  const std::size_t steps = e.FHistory.Count();
  e.MiInsertFrameClick(e.BtnInsertFrame);
  e.MiDuplicateFrameClick(e.MiDuplicateFrame);
  QCOMPARE(e.FHistory.Count(), steps);
  ExpectShown(128, 127);
  e.MiUndo->trigger();
  ExpectShown(127, 126);
  expectEnabled(true, true);
  e.SpinEditTotalFrames->setValue(1);
  expectEnabled(true, false);
}

void TFrameCommandsTest::copyAndPasteFrame() {
  Start(5, 2);
  TSpriteEditor& e = E();
  const TPlane copyBuffer = e.FStore.FCopyBuffer;
  QVERIFY(!e.MiPasteFrame->isEnabled());
  e.MiCopyFrame->trigger();
  QVERIFY(e.MiPasteFrame->isEnabled());
  QVERIFY(!e.FModified);  // the frame buffer is no part of the document
  QCOMPARE(e.FHistory.Count(), std::size_t(0));
  QVERIFY(SameDocument(e.FDocument, *FFirst));

  e.SliderFrame->setValue(5);  // frame 4
  e.MiPasteFrame->trigger();
  CopyDocument(*FFirst, *FExpected);
  for (bool mask : {false, true}) FExpected->Store.Plane(4, mask) = FFirst->Store.Plane(2, mask);
  FExpected->Settings.CurrentFrame = 4;
  QVERIFY(SameDocument(e.FDocument, *FExpected));
  QVERIFY(std::memcmp(&e.FStore.FCopyBuffer, &copyBuffer, sizeof(TPlane)) == 0);
  QVERIFY(e.FModified);
  QCOMPARE(e.MiUndo->text(), QStringLiteral("&Undo Paste frame"));

  // Copying another frame before redo does not change what the redo pastes.
  e.SliderFrame->setValue(1);
  e.MiCopyFrame->trigger();
  e.MiUndo->trigger();
  ExpectShown(5, 4);
  QVERIFY(!e.FModified);
  FFirst->Settings.CurrentFrame = 4;
  QVERIFY(SameDocument(e.FDocument, *FFirst));
  e.MiRedo->trigger();
  QVERIFY(SameDocument(e.FDocument, *FExpected));
  // The buffer now holds frame 0: pasting it over frame 4 is one more step.
  e.MiPasteFrame->trigger();
  QCOMPARE(e.FHistory.Count(), std::size_t(2));
  for (bool mask : {false, true})
    QVERIFY(std::memcmp(&e.FStore.Plane(4, mask), &FFirst->Store.Plane(0, mask), sizeof(TPlane)) == 0);
}

void TFrameCommandsTest::shortcutsReachTheCommands() {
  ShowActive();
  TSpriteEditor& e = E();
  Start(3, 0);
  QTest::keyClick(&e, Qt::Key_Insert, Qt::AltModifier);
  ExpectShown(4, 1);
  QTest::keyClick(&e, Qt::Key_Insert, Qt::AltModifier | Qt::ShiftModifier);
  ExpectShown(5, 2);
  QTest::keyClick(&e, Qt::Key_Delete, Qt::AltModifier);
  ExpectShown(4, 2);
  QCOMPARE(e.MiUndo->text(), QStringLiteral("&Undo Delete frame"));
  // Frame 1 is the inserted clear frame: copy it onto frame 0 by the keys.
  e.SliderFrame->setValue(2);
  QTest::keyClick(&e, Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
  e.SliderFrame->setValue(1);
  QTest::keyClick(&e, Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);
  QCOMPARE(e.MiUndo->text(), QStringLiteral("&Undo Paste frame"));
  for (bool mask : {false, true})
    QVERIFY(std::memcmp(&e.FStore.Plane(0, mask), &e.FStore.Plane(1, mask), sizeof(TPlane)) == 0);
  QCOMPARE(e.FHistory.Count(), std::size_t(4));
}

void TFrameCommandsTest::bothPlanesItems_data() {
  QTest::addColumn<QString>("both");
  QTest::addColumn<QString>("sprite");
  QTest::addColumn<QString>("mask");
  QTest::addColumn<QString>("text");
  QTest::newRow("MiShiftBoth1") << "MiShiftBoth1" << "MiShiftSprite1" << "MiShiftMask1" << "Shift sprite and mask up";
  QTest::newRow("MiShiftBoth2") << "MiShiftBoth2" << "MiShiftSprite2" << "MiShiftMask2" << "Shift sprite and mask left";
  QTest::newRow("MiShiftBoth3") << "MiShiftBoth3" << "MiShiftSprite3" << "MiShiftMask3" << "Shift sprite and mask right";
  QTest::newRow("MiShiftBoth4") << "MiShiftBoth4" << "MiShiftSprite4" << "MiShiftMask4" << "Shift sprite and mask down";
  QTest::newRow("MiFlipBothHorizontal") << "MiFlipBothHorizontal" << "MiFlipSpriteHorizontal"
                                        << "MiFlipMaskHorizontal" << "Flip sprite and mask horizontal";
  QTest::newRow("MiFlipBothVertical") << "MiFlipBothVertical" << "MiFlipSpriteVertical" << "MiFlipMaskVertical"
                                      << "Flip sprite and mask vertical";
  QTest::newRow("MiRotateBoth90") << "MiRotateBoth90" << "MiRotateSprite90" << "MiRotateMask90"
                                  << "Rotate sprite and mask 90\u00B0";
  QTest::newRow("MiRotateBoth180") << "MiRotateBoth180" << "MiRotateSprite180" << "MiRotateMask180"
                                   << "Rotate sprite and mask 180\u00B0";
}

// The item does what the sprite item and then the mask item do, in one step.
void TFrameCommandsTest::bothPlanesItems() {
  QFETCH(QString, both);
  QFETCH(QString, sprite);
  QFETCH(QString, mask);
  QFETCH(QString, text);
  Start(3, 1);
  TSpriteEditor& e = E();
  e.findChild<QAction*>(sprite)->trigger();
  e.findChild<QAction*>(mask)->trigger();
  CopyDocument(e.FDocument, *FExpected);
  QVERIFY(!SameDocument(*FExpected, *FFirst));
  e.MiUndo->trigger();
  e.MiUndo->trigger();
  QVERIFY(SameDocument(e.FDocument, *FFirst));

  QAction* item = e.findChild<QAction*>(both);
  QVERIFY(item->isEnabled());
  item->trigger();
  QVERIFY(SameDocument(e.FDocument, *FExpected));
  QCOMPARE(e.MiUndo->text(), "&Undo " + text);
  QVERIFY(e.FModified);
  e.MiUndo->trigger();
  QVERIFY(SameDocument(e.FDocument, *FFirst));
  QCOMPARE(e.MiUndo->text(), QStringLiteral("&Undo"));
  QVERIFY(!e.FModified);
  e.MiRedo->trigger();
  QVERIFY(SameDocument(e.FDocument, *FExpected));
}

void TFrameCommandsTest::bothPlanesItemsFollowMasking() {
  TSpriteEditor& e = E();
  const QList<QAction*> items{e.MiShiftBoth1,         e.MiShiftBoth2,       e.MiShiftBoth3,   e.MiShiftBoth4,
                              e.MiFlipBothHorizontal, e.MiFlipBothVertical, e.MiRotateBoth90, e.MiRotateBoth180};
  for (QAction* a : items) QVERIFY(a->isEnabled());
  e.CheckBoxMasked->setChecked(false);
  for (QAction* a : items) QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
  e.CheckBoxMasked->setChecked(true);
  for (QAction* a : items) QVERIFY(a->isEnabled());
}

// With DEDUZU_SHOTS set to a folder: the Frame menu open and the frame panel with the buttons.
void TFrameCommandsTest::screenshots() {
  ShowActive();
  TSpriteEditor& e = E();
  e.SpinEditTotalFrames->setValue(6);
  e.SliderFrame->setValue(3);
  e.MiCopyFrame->trigger();
  const QString folder = qEnvironmentVariable("DEDUZU_SHOTS");
  const QImage panel = e.PanelSettings->grab(QRect(0, 330, 281, 120)).toImage();
  QVERIFY(!panel.isNull());
  e.MenuFrame->popup(e.mapToGlobal(QPoint(60, e.menuBar()->height())));
  QTRY_VERIFY(e.MenuFrame->isVisible());
  const QImage menu = e.MenuFrame->grab().toImage();
  QVERIFY(!menu.isNull());
  e.MenuFrame->close();
  e.MiShiftSprite->popup(QPoint(0, 0));
  QTRY_VERIFY(e.MiShiftSprite->isVisible());
  const QImage shift = e.MiShiftSprite->grab().toImage();
  e.MiShiftSprite->close();
  const QImage buttons = e.PanelFrameCommands->grab().toImage();
  if (folder.isEmpty()) return;
  QVERIFY(buttons.scaled(buttons.size() * 4).save(folder + "/frames-buttons-x4.png"));
  QVERIFY(panel.save(folder + "/frames-panel.png"));
  QVERIFY(menu.save(folder + "/frames-menu.png"));
  QVERIFY(shift.save(folder + "/frames-shift-menu.png"));
  QVERIFY(e.grab().toImage().save(folder + "/frames-window.png"));
}

QTEST_MAIN(TFrameCommandsTest)
#include "frame_commands_test.moc"
