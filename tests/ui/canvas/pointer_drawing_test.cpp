// Drawing with the mouse on a masked 12 x 24 sprite at zoom 12 (mask pane from x = 156),
// and the position read-out.

#include <QCheckBox>
#include <QLabel>
#include <QtTest>

#include "canvas/canvas.h"
#include "support/plane_fixture.h"
#include "window/sprite_editor.h"

class TPointerDrawingTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void readout_data();
  void readout();
  void readoutOverTheFirstCellKeepsItsStartText();
  void press_data();
  void press();
  void pressOutsideTheSpriteAreaStartsNoStroke_data();
  void pressOutsideTheSpriteAreaStartsNoStroke();
  void strokeFillsTheCellsBetweenMovesInItsOwnPane();
  void rightStrokeClearsItsOwnPaneOnly();
  void releaseEndsTheStroke();
  void leavingEndsTheStroke();
  void positionsLeftOfTheCanvasAreInNoCell();
  void unmaskedCanvasHasNoMaskPane();

 private:
  std::unique_ptr<TSpriteEditor> FEditor;
  TPaintBox* Box() { return FEditor->PaintBox; }
  int Pixel(bool mask, int x, int y) { return FEditor->FStore.Pixel(0, mask, x, y); }
  void Readout(const char* pane, const char* x, const char* y) {
    QCOMPARE(FEditor->LblPos->text(), QString::fromLatin1(pane));
    QCOMPARE(FEditor->LblPosX->text(), QString::fromLatin1(x));
    QCOMPARE(FEditor->LblPosY->text(), QString::fromLatin1(y));
  }
};

void TPointerDrawingTest::init() {
  FEditor = std::make_unique<TSpriteEditor>();
  FEditor->show();
  QVERIFY(QTest::qWaitForWindowExposed(FEditor.get()));
}

void TPointerDrawingTest::cleanup() {
  for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
    if (QTestPrivate::qtestMouseButtons.testFlag(b)) QTest::mouseRelease(Box(), b, {}, QPoint(1, 1));
  FEditor.reset();
}

void TPointerDrawingTest::readout_data() {
  QTest::addColumn<QPoint>("pos");
  QTest::addColumn<QString>("pane");
  QTest::addColumn<QString>("x");
  QTest::addColumn<QString>("y");
  QTest::newRow("sprite cell (2, 4)") << QPoint(30, 50) << "Data:" << "X=2" << "Y=4";
  QTest::newRow("mask cell (3, 4)") << QPoint(200, 50) << "Mask:" << "X=3" << "Y=4";
  QTest::newRow("separating column") << QPoint(150, 50) << "Data:" << "X=" << "Y=";
  QTest::newRow("last column of the mask pane") << QPoint(305, 50) << "Mask:" << "X=" << "Y=";
  QTest::newRow("bottom margin") << QPoint(30, 290) << "Data:" << "X=" << "Y=";
  QTest::newRow("last cell") << QPoint(143, 287) << "Data:" << "X=11" << "Y=23";
}

void TPointerDrawingTest::readout() {
  QFETCH(QPoint, pos);
  QFETCH(QString, pane);
  QFETCH(QString, x);
  QFETCH(QString, y);
  QTest::mouseMove(Box(), pos);
  QTRY_COMPARE(FEditor->LblPos->text(), pane);
  QCOMPARE(FEditor->LblPosX->text(), x);
  QCOMPARE(FEditor->LblPosY->text(), y);
  // Moving without a button draws nothing.
  QCOMPARE(Pixel(false, 2, 4), 0);
  QVERIFY(!FEditor->FModified);
}

void TPointerDrawingTest::readoutOverTheFirstCellKeepsItsStartText() {
  Readout("Mask:", "X=00", "Y=00");
  QTest::mouseMove(Box(), QPoint(5, 5));
  QTRY_COMPARE(FEditor->LblPos->text(), QStringLiteral("Data:"));
  Readout("Data:", "X=00", "Y=00");
  // Straight up from the bottom margin into the sprite area: the numbers appear at once.
  QTest::mouseMove(Box(), QPoint(30, 292));
  QTRY_COMPARE(FEditor->LblPosX->text(), QStringLiteral("X="));
  QTest::mouseMove(Box(), QPoint(30, 280));
  QTRY_COMPARE(FEditor->LblPosX->text(), QStringLiteral("X=2"));
  QCOMPARE(FEditor->LblPosY->text(), QStringLiteral("Y=23"));
}

void TPointerDrawingTest::press_data() {
  QTest::addColumn<int>("button");
  QTest::addColumn<QPoint>("pos");
  QTest::addColumn<bool>("mask");
  QTest::addColumn<int>("before");
  QTest::addColumn<int>("after");
  QTest::newRow("left sets") << int(Qt::LeftButton) << QPoint(30, 50) << false << 0 << 1;
  QTest::newRow("right clears") << int(Qt::RightButton) << QPoint(30, 50) << false << 1 << 0;
  QTest::newRow("middle sets") << int(Qt::MiddleButton) << QPoint(30, 50) << false << 0 << 1;
  QTest::newRow("left on a set cell") << int(Qt::LeftButton) << QPoint(30, 50) << false << 1 << 1;
  QTest::newRow("left in the mask pane") << int(Qt::LeftButton) << QPoint(200, 50) << true << 0 << 1;
  QTest::newRow("right in the mask pane") << int(Qt::RightButton) << QPoint(200, 50) << true << 1 << 0;
}

void TPointerDrawingTest::press() {
  QFETCH(int, button);
  QFETCH(QPoint, pos);
  QFETCH(bool, mask);
  QFETCH(int, before);
  QFETCH(int, after);
  const int x = mask ? 3 : 2;
  FEditor->FStore.SetPixel(0, mask, x, 4, std::uint8_t(before));
  FEditor->FRedrawQueue.clear();
  QTest::mousePress(Box(), Qt::MouseButton(button), {}, pos);
  QCOMPARE(Pixel(mask, x, 4), after);
  QCOMPARE(Pixel(!mask, x, 4), 0);
  QVERIFY(FEditor->FModified);
  QCOMPARE(FEditor->windowTitle(), QStringLiteral("Deduzu Sprite Editor - [* NoNameFile]"));
  QCOMPARE(std::vector<std::int32_t>(FEditor->FRedrawQueue.begin(), FEditor->FRedrawQueue.end()),
           (std::vector<std::int32_t>{mask ? rtMaskCell : rtSpriteCell, x, 4}));
  QVERIFY(FEditor->FDrawing);
  QCOMPARE(FEditor->FErasing, button == Qt::RightButton);
  QTest::mouseRelease(Box(), Qt::MouseButton(button), {}, pos);
  QVERIFY(!FEditor->FDrawing);
}

void TPointerDrawingTest::pressOutsideTheSpriteAreaStartsNoStroke_data() {
  QTest::addColumn<QPoint>("pos");
  QTest::addColumn<int>("cellX");
  QTest::addColumn<int>("cellY");
  QTest::newRow("separating column") << QPoint(150, 50) << 12 << 4;
  QTest::newRow("bottom margin") << QPoint(30, 290) << 2 << 24;
  QTest::newRow("last column") << QPoint(305, 50) << 12 << 4;
}

void TPointerDrawingTest::pressOutsideTheSpriteAreaStartsNoStroke() {
  QFETCH(QPoint, pos);
  QFETCH(int, cellX);
  QFETCH(int, cellY);
  FEditor->FRedrawQueue.clear();
  QTest::mousePress(Box(), Qt::LeftButton, {}, pos);
  QCOMPARE(FEditor->FLastX, cellX);
  QCOMPARE(FEditor->FLastY, cellY);
  QVERIFY(!FEditor->FDrawing);
  QVERIFY(!FEditor->FModified);
  QVERIFY(FEditor->FRedrawQueue.empty());
  // Dragging from there into the sprite area draws nothing.
  QTest::mouseMove(Box(), QPoint(30, 50));
  QTest::mouseMove(Box(), QPoint(200, 50));
  QCOMPARE(Pixel(false, 2, 4), 0);
  QCOMPARE(Pixel(true, 3, 4), 0);
  QCOMPARE(FEditor->LblPosX->text(), QStringLiteral("X=3"));
  QVERIFY(FEditor->FRedrawQueue.empty());
  QVERIFY(!FEditor->FModified);
}

// Every cell on the line between successive positions, and only in the pane the stroke
// started in: the part of the line outside its sprite area is left out.
void TPointerDrawingTest::strokeFillsTheCellsBetweenMovesInItsOwnPane() {
  QTest::mousePress(Box(), Qt::LeftButton, {}, QPoint(30, 50));
  const std::size_t queued = FEditor->FRedrawQueue.size();
  QTest::mouseMove(Box(), QPoint(33, 52));  // same cell: nothing queued
  QCOMPARE(FEditor->FRedrawQueue.size(), queued);
  QTest::mouseMove(Box(), QPoint(42, 50));
  QTest::mouseMove(Box(), QPoint(66, 62));   // from (3, 4) to (5, 5): one cell between
  QTest::mouseMove(Box(), QPoint(150, 62));  // on to the separating column: (6 .. 11, 5)
  QTest::mouseMove(Box(), QPoint(200, 62));  // over the mask pane: beyond the sprite pane
  QCOMPARE(SetPixels(FEditor->FStore.Plane(0, false)),
           (TPoints{{2, 4}, {3, 4}, {4, 5}, {5, 5}, {6, 5}, {7, 5}, {8, 5}, {9, 5}, {10, 5}, {11, 5}}));
  QVERIFY(SetPixels(FEditor->FStore.Plane(0, true)).empty());
  QCOMPARE(FEditor->FRedrawQueue.size(), queued + 9 * 3);
  for (std::size_t i = queued; i < FEditor->FRedrawQueue.size(); i += 3)
    QCOMPARE(FEditor->FRedrawQueue[i], std::int32_t(rtSpriteCell));
  // The read-out follows the pointer into the mask pane all the same.
  QVERIFY(FEditor->FOnMask);
  Readout("Mask:", "X=3", "Y=5");
}

void TPointerDrawingTest::rightStrokeClearsItsOwnPaneOnly() {
  TSpriteStore& s = FEditor->FStore;
  for (int x = 0; x < 12; ++x)
    for (int y : {4, 5}) {
      s.SetPixel(0, false, x, y, 1);
      s.SetPixel(0, true, x, y, 1);
    }
  QTest::mousePress(Box(), Qt::RightButton, {}, QPoint(30, 50));
  QTest::mouseMove(Box(), QPoint(140, 50));
  QTest::mouseMove(Box(), QPoint(160, 50));
  QTest::mouseMove(Box(), QPoint(200, 50));
  QTest::mouseRelease(Box(), Qt::RightButton, {}, QPoint(200, 50));
  for (int x = 0; x < 12; ++x) {
    QCOMPARE(Pixel(false, x, 4), x < 2 ? 1 : 0);
    QCOMPARE(Pixel(true, x, 4), 1);
  }
  // From the mask pane leftwards across the separating column into the sprite pane.
  QTest::mousePress(Box(), Qt::RightButton, {}, QPoint(200, 62));
  QTest::mouseMove(Box(), QPoint(30, 62));
  for (int x = 0; x < 12; ++x) {
    QCOMPARE(Pixel(true, x, 5), x <= 3 ? 0 : 1);
    QCOMPARE(Pixel(false, x, 5), 1);
  }
}

void TPointerDrawingTest::releaseEndsTheStroke() {
  QTest::mousePress(Box(), Qt::LeftButton, {}, QPoint(30, 50));
  QTest::mouseRelease(Box(), Qt::LeftButton, {}, QPoint(30, 50));
  QTest::mouseMove(Box(), QPoint(54, 50));
  QTRY_COMPARE(FEditor->LblPosX->text(), QStringLiteral("X=4"));
  QCOMPARE(Pixel(false, 4, 4), 0);
}

void TPointerDrawingTest::leavingEndsTheStroke() {
  QTest::mousePress(Box(), Qt::LeftButton, {}, QPoint(200, 50));
  QVERIFY(FEditor->FOnMask);
  // Held by the button, the mouse reports positions outside the paint box.
  QTest::mouseMove(Box(), QPoint(-20, 50));
  QVERIFY(!FEditor->FDrawing);
  QVERIFY(!FEditor->FOnMask);
  Readout("Data:", "X=", "Y=");
  // Back over the canvas with the button still down: nothing is drawn until the next press.
  QTest::mouseMove(Box(), QPoint(54, 50));
  QCOMPARE(Pixel(false, 4, 4), 0);
  QCOMPARE(FEditor->LblPosX->text(), QStringLiteral("X=4"));
  QTest::mouseRelease(Box(), Qt::LeftButton, {}, QPoint(54, 50));

  // Without a button the pointer simply leaves.
  QTest::mouseMove(Box(), QPoint(30, 50));
  QTRY_COMPARE(FEditor->LblPosX->text(), QStringLiteral("X=2"));
  QTest::mouseMove(FEditor->LblPosIn, QPoint(2, 2));
  QTRY_COMPARE(FEditor->LblPosX->text(), QStringLiteral("X="));
  Readout("Data:", "X=", "Y=");
}

// Truncating -5 / 12 would give cell 0; a position left of the canvas is in no cell. The
// stroke's line runs on to the canvas edge.
void TPointerDrawingTest::positionsLeftOfTheCanvasAreInNoCell() {
  QTest::mousePress(Box(), Qt::LeftButton, {}, QPoint(30, 50));
  QVERIFY(FEditor->FDrawing);
  FEditor->PaintBoxMouseMove({}, -5, 50);
  QCOMPARE(FEditor->LblPosX->text(), QStringLiteral("X="));
  QCOMPARE(SetPixels(FEditor->FStore.Plane(0, false)), (TPoints{{0, 4}, {1, 4}, {2, 4}}));
  FEditor->PaintBoxMouseUp(Qt::LeftButton, {}, -5, 50);
  FEditor->PaintBoxMouseDown(Qt::LeftButton, {}, 30, -3);
  QVERIFY(!FEditor->FDrawing);
  QCOMPARE(Pixel(false, 2, 0), 0);
}

void TPointerDrawingTest::unmaskedCanvasHasNoMaskPane() {
  FEditor->CheckBoxMasked->setChecked(false);
  FEditor->FModified = false;
  QTest::mousePress(Box(), Qt::LeftButton, {}, QPoint(150, 50));
  FEditor->PaintBoxMouseDown(Qt::LeftButton, {}, 200, 50);
  QVERIFY(!FEditor->FOnMask);
  QVERIFY(!FEditor->FDrawing);
  QVERIFY(!FEditor->FModified);
  QCOMPARE(Pixel(true, 3, 4), 0);
  QCOMPARE(Pixel(false, 3, 4), 0);
}

QTEST_MAIN(TPointerDrawingTest)
#include "pointer_drawing_test.moc"
