// Each Edit command works on its plane of the current frame only, with the sprite size of the
// window, and ends with a full redraw and the modified mark.

#include <QAction>
#include <QSlider>
#include <QtTest>
#include <cstring>
#include <functional>

#include "editing/plane_ops.h"
#include "support/random_fill.h"
#include "support/scripted_dialogs.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"
#include "editing/transforms.h"

namespace {

using TOperation = std::function<void(TSpriteStore&, int frame, int width, int height)>;

bool SamePlane(const TPlane& a, const TPlane& b) { return std::memcmp(&a, &b, sizeof(TPlane)) == 0; }

}  // namespace

class TEditCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void command_data();
  void command();
};

void TEditCommandsTest::command_data() {
  QTest::addColumn<QString>("item");
  QTest::addColumn<TOperation>("operation");
  auto plane = [](auto op, bool mask) {
    return TOperation([op, mask](TSpriteStore& s, int f, int, int) { op(s, f, mask); });
  };
  auto shift = [](int direction, bool mask) {
    return TOperation([=](TSpriteStore& s, int f, int, int) { ShiftPlane(s, f, direction, mask); });
  };
  auto flip = [](bool vertical, bool mask) {
    return TOperation([=](TSpriteStore& s, int f, int w, int h) { FlipPlane(s, f, vertical, mask, w, h); });
  };
  auto rotate = [](bool half, bool mask) {
    return TOperation([=](TSpriteStore& s, int f, int w, int h) { RotatePlane(s, f, half, mask, w, h); });
  };
  QTest::newRow("MiCopySprite") << "MiCopySprite" << plane(CopyPlane, false);
  QTest::newRow("MiCopyMask") << "MiCopyMask" << plane(CopyPlane, true);
  QTest::newRow("MiPasteSprite") << "MiPasteSprite" << plane(PastePlane, false);
  QTest::newRow("MiPasteMask") << "MiPasteMask" << plane(PastePlane, true);
  QTest::newRow("MiMergeSprite") << "MiMergeSprite" << plane(MergePlane, false);
  QTest::newRow("MiMergeMask") << "MiMergeMask" << plane(MergePlane, true);
  QTest::newRow("MiClearSprite") << "MiClearSprite" << plane(ClearFrame, false);
  QTest::newRow("MiClearMask") << "MiClearMask" << plane(ClearFrame, true);
  QTest::newRow("MiInvertSprite") << "MiInvertSprite" << plane(InvertPlane, false);
  QTest::newRow("MiInvertMask") << "MiInvertMask" << plane(InvertPlane, true);
  QTest::newRow("MiShiftSprite1") << "MiShiftSprite1" << shift(sdUp, false);
  QTest::newRow("MiShiftSprite2") << "MiShiftSprite2" << shift(sdLeft, false);
  QTest::newRow("MiShiftSprite3") << "MiShiftSprite3" << shift(sdRight, false);
  QTest::newRow("MiShiftSprite4") << "MiShiftSprite4" << shift(sdDown, false);
  QTest::newRow("MiShiftMask1") << "MiShiftMask1" << shift(sdUp, true);
  QTest::newRow("MiShiftMask2") << "MiShiftMask2" << shift(sdLeft, true);
  QTest::newRow("MiShiftMask3") << "MiShiftMask3" << shift(sdRight, true);
  QTest::newRow("MiShiftMask4") << "MiShiftMask4" << shift(sdDown, true);
  QTest::newRow("MiFlipSpriteHorizontal") << "MiFlipSpriteHorizontal" << flip(false, false);
  QTest::newRow("MiFlipMaskHorizontal") << "MiFlipMaskHorizontal" << flip(false, true);
  QTest::newRow("MiFlipSpriteVertical") << "MiFlipSpriteVertical" << flip(true, false);
  QTest::newRow("MiFlipMaskVertical") << "MiFlipMaskVertical" << flip(true, true);
  QTest::newRow("MiRotateSprite90") << "MiRotateSprite90" << rotate(false, false);
  QTest::newRow("MiRotateMask90") << "MiRotateMask90" << rotate(false, true);
  QTest::newRow("MiRotateSprite180") << "MiRotateSprite180" << rotate(true, false);
  QTest::newRow("MiRotateMask180") << "MiRotateMask180" << rotate(true, true);
  QTest::newRow("MiGenStdMask") << "MiGenStdMask"
                                << TOperation([](TSpriteStore& s, int f, int w, int h) {
                                     GenerateStandardMask(s, f, w, h);
                                   });
}

void TEditCommandsTest::command() {
  QFETCH(QString, item);
  QFETCH(TOperation, operation);
  TScriptedEditor window;
  TSpriteEditor& e = *window;
  // Frame 3 of 4 current, a sprite that is neither square nor the start-up size.
  e.SpinEditWidth->setValue(18);
  e.SpinEditHeight->setValue(11);
  e.SpinEditTotalFrames->setValue(4);
  e.SliderFrame->setValue(3);
  FillRandom(e.FStore, 42, 4);
  FillRandom(e.FStore.FCopyBuffer, 43);
  TSpriteStore expected;
  FillRandom(expected, 42, 4);
  FillRandom(expected.FCopyBuffer, 43);
  operation(expected, 2, 18, 11);
  e.FModified = false;
  e.UpdateCaption(e.FProjectFileName);
  e.FRedrawQueue.clear();

  auto* action = e.findChild<QAction*>(item);
  QVERIFY(action != nullptr);
  action->trigger();
  for (int f = 0; f < 4; ++f)
    for (bool mask : {false, true})
      QVERIFY2(SamePlane(e.FStore.Plane(f, mask), expected.Plane(f, mask)),
               qPrintable(QStringLiteral("frame %1 %2").arg(f).arg(mask ? "mask" : "sprite")));
  QVERIFY(SamePlane(e.FStore.FCopyBuffer, expected.FCopyBuffer));
  QCOMPARE(e.FRedrawQueue, TRedrawQueue{rtFull});
  QVERIFY(e.FModified);
  QCOMPARE(e.windowTitle(), QStringLiteral("Deduzu Sprite Editor - [* NoNameFile]"));
  QVERIFY(window.Dialogs->Shown.empty());
}

QTEST_MAIN(TEditCommandsTest)
#include "edit_commands_test.moc"
