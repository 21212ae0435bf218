// The frame controls: frame count, current frame, stepping and moving pictures between frames.

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

class TFrameControlsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void loweringTheCountBelowTheCurrentFrame();
  void moveRightAndBack();
  void nextOnTheLastButOneFrame();
  void steppingDoesNotMarkModified();
  void countChangeMarksModifiedAndKeepsPixels();
  void moveNeverLeavesTheDocument();

 private:
  std::unique_ptr<TSpriteEditor> FEditor;

  // Gives frame f a picture of its own in both planes, hidden pixels included.
  void Paint(int f) {
    FEditor->FStore.SetPixel(f, false, f, 0, 1);
    FEditor->FStore.SetPixel(f, true, 0, f, 1);
    FEditor->FStore.SetPixel(f, false, 239, 239 - f, 1);
  }
  bool HasPicture(int frame, int picture) const {
    const TSpriteStore& s = FEditor->FStore;
    return s.Pixel(frame, false, picture, 0) == 1 && s.Pixel(frame, true, 0, picture) == 1 &&
           s.Pixel(frame, false, 239, 239 - picture) == 1;
  }
  void ExpectButtons(bool prev, bool next) {
    QCOMPARE(FEditor->BtnPrev->isEnabled(), prev);
    QCOMPARE(FEditor->BtnMoveLeft->isEnabled(), prev);
    QCOMPARE(FEditor->BtnNext->isEnabled(), next);
    QCOMPARE(FEditor->BtnMoveRight->isEnabled(), next);
  }
};

void TFrameControlsTest::init() { FEditor = std::make_unique<TSpriteEditor>(); }

void TFrameControlsTest::cleanup() { FEditor.reset(); }

void TFrameControlsTest::loweringTheCountBelowTheCurrentFrame() {
  TSpriteEditor& e = *FEditor;
  e.SpinEditTotalFrames->setValue(5);
  e.SliderFrame->setValue(5);
  QCOMPARE(e.FCurrentFrame, 4);
  for (int f = 0; f < 5; ++f) Paint(f);

  e.SpinEditTotalFrames->setValue(3);
  QCOMPARE(e.SliderFrame->value(), 3);
  QCOMPARE(e.FCurrentFrame, 2);
  QCOMPARE(e.LblFrameNum->text(), QStringLiteral("3"));
  ExpectButtons(true, false);
  QCOMPARE(e.LblBinDataSizeVal->text(), QStringLiteral("288 bytes"));

  e.SpinEditTotalFrames->setValue(5);
  QCOMPARE(e.SliderFrame->value(), 3);
  for (int f = 0; f < 5; ++f) QVERIFY(HasPicture(f, f));
}

void TFrameControlsTest::moveRightAndBack() {
  TSpriteEditor& e = *FEditor;
  e.SpinEditTotalFrames->setValue(3);
  for (int f = 0; f < 3; ++f) Paint(f);
  e.FModified = false;
  ExpectButtons(false, true);

  QTest::mouseClick(e.BtnMoveRight, Qt::LeftButton);
  QVERIFY(HasPicture(1, 0));
  QVERIFY(HasPicture(0, 1));
  QVERIFY(!HasPicture(1, 1));
  QCOMPARE(e.FCurrentFrame, 1);  // the picture on screen stays on screen
  QCOMPARE(e.SliderFrame->value(), 2);
  QCOMPARE(e.LblFrameNum->text(), QStringLiteral("2"));
  QVERIFY(e.FModified);
  QCOMPARE(e.windowTitle(), QStringLiteral("Deduzu Sprite Editor - [* NoNameFile]"));
  ExpectButtons(true, true);

  QTest::mouseClick(e.BtnMoveLeft, Qt::LeftButton);
  for (int f = 0; f < 3; ++f) QVERIFY(HasPicture(f, f));
  QCOMPARE(e.FCurrentFrame, 0);
  QCOMPARE(e.LblFrameNum->text(), QStringLiteral("1"));
  ExpectButtons(false, true);
}

void TFrameControlsTest::nextOnTheLastButOneFrame() {
  TSpriteEditor& e = *FEditor;
  e.SpinEditTotalFrames->setValue(3);
  QTest::mouseClick(e.BtnNext, Qt::LeftButton);
  QCOMPARE(e.FCurrentFrame, 1);
  ExpectButtons(true, true);
  QTest::mouseClick(e.BtnNext, Qt::LeftButton);
  QCOMPARE(e.FCurrentFrame, 2);
  QCOMPARE(e.LblFrameNum->text(), QStringLiteral("3"));
  ExpectButtons(true, false);
  QTest::mouseClick(e.BtnPrev, Qt::LeftButton);
  QCOMPARE(e.FCurrentFrame, 1);
}

void TFrameControlsTest::steppingDoesNotMarkModified() {
  TSpriteEditor& e = *FEditor;
  e.SpinEditTotalFrames->setValue(4);
  e.FModified = false;
  e.FRedrawQueue.clear();
  e.SliderFrame->setValue(3);
  QTest::mouseClick(e.BtnPrev, Qt::LeftButton);
  QVERIFY(!e.FModified);
  QCOMPARE(e.FCurrentFrame, 1);
  QVERIFY(!e.FRedrawQueue.empty());
  QCOMPARE(e.FRedrawQueue.back(), std::int32_t(rtFull));
}

void TFrameControlsTest::countChangeMarksModifiedAndKeepsPixels() {
  TSpriteEditor& e = *FEditor;
  e.SpinEditTotalFrames->setValue(3);
  for (int f = 0; f < 4; ++f) Paint(f);
  e.FModified = false;
  QTest::keyClick(e.SpinEditTotalFrames, Qt::Key_Up);
  QCOMPARE(e.SliderFrame->maximum(), 4);
  QCOMPARE(e.LblBinDataSizeVal->text(), QStringLiteral("384 bytes"));
  QTest::keyClick(e.SpinEditTotalFrames, Qt::Key_Down);
  QVERIFY(e.FModified);
  QCOMPARE(e.LblBinDataSizeVal->text(), QStringLiteral("288 bytes"));
  for (int f = 0; f < 4; ++f) QVERIFY(HasPicture(f, f));
}

// Called with the button of the frame beyond the last one, the move changes nothing.
void TFrameControlsTest::moveNeverLeavesTheDocument() {
  TSpriteEditor& e = *FEditor;
  e.SpinEditTotalFrames->setValue(2);
  e.SliderFrame->setValue(2);
  Paint(1);
  Paint(2);
  e.FModified = false;
  e.BtnMoveClick(e.BtnMoveRight);
  QVERIFY(HasPicture(1, 1));
  QVERIFY(HasPicture(2, 2));
  QCOMPARE(e.FCurrentFrame, 1);
  QVERIFY(!e.FModified);
}

QTEST_MAIN(TFrameControlsTest)
#include "frame_controls_test.moc"
