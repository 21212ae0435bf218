// The spin edits take no typing: only their buttons, the Up and Down keys and the program
// change them, and Shift gives width, height and frame count a larger step.

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

#include "widgets/radio_group.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

class TSpinEditTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void shiftStep_data();
  void shiftStep();
  void largerStepStaysUntilReleasedWithoutShift();
  void byteModeResetsTheWidthStep();
  void keysThatChangeNothing_data();
  void keysThatChangeNothing();
  void arrowButtonsStepOnceEvenWithCtrl();

 private:
  std::unique_ptr<TSpriteEditor> FEditor;
  TSpinEdit* Spin(const QString& name) { return FEditor->findChild<TSpinEdit*>(name); }
};

void TSpinEditTest::init() { FEditor = std::make_unique<TSpriteEditor>(); }

void TSpinEditTest::cleanup() { FEditor.reset(); }

void TSpinEditTest::shiftStep_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("start");
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("expected");
  QTest::addColumn<int>("plainStep");
  QTest::newRow("width 12 + 12") << "SpinEditWidth" << 12 << int(Qt::Key_Up) << 24 << 6;
  QTest::newRow("width 234 clamps at 240") << "SpinEditWidth" << 234 << int(Qt::Key_Up) << 240 << 6;
  QTest::newRow("width 24 - 12") << "SpinEditWidth" << 24 << int(Qt::Key_Down) << 12 << 6;
  QTest::newRow("width 12 clamps at 6") << "SpinEditWidth" << 12 << int(Qt::Key_Down) << 6 << 6;
  QTest::newRow("height + 8") << "SpinEditHeight" << 24 << int(Qt::Key_Up) << 32 << 1;
  QTest::newRow("height 236 clamps at 240") << "SpinEditHeight" << 236 << int(Qt::Key_Up) << 240 << 1;
  QTest::newRow("frames + 10") << "SpinEditTotalFrames" << 1 << int(Qt::Key_Up) << 11 << 1;
  QTest::newRow("frames 125 clamps at 128") << "SpinEditTotalFrames" << 125 << int(Qt::Key_Up) << 128 << 1;
  QTest::newRow("grid X has no larger step") << "SpinEditGridX" << 6 << int(Qt::Key_Up) << 7 << 1;
  QTest::newRow("grid Y has no larger step") << "SpinEditGridY" << 6 << int(Qt::Key_Down) << 5 << 1;
}

void TSpinEditTest::shiftStep() {
  QFETCH(QString, name);
  QFETCH(int, start);
  QFETCH(int, key);
  QFETCH(int, expected);
  QFETCH(int, plainStep);
  TSpinEdit* spin = Spin(name);
  QVERIFY(spin);
  spin->setValue(start);
  QTest::keyClick(spin, Qt::Key(key), Qt::ShiftModifier);
  QCOMPARE(spin->value(), expected);
  // Shift went up again: the plain step is back.
  QCOMPARE(spin->singleStep(), plainStep);
  QTest::keyClick(spin, Qt::Key(key));
  QCOMPARE(spin->value(), std::clamp(expected + (key == Qt::Key_Up ? plainStep : -plainStep), spin->minimum(),
                                     spin->maximum()));
}

void TSpinEditTest::largerStepStaysUntilReleasedWithoutShift() {
  TSpinEdit* width = Spin("SpinEditWidth");
  TSpinEdit* height = Spin("SpinEditHeight");
  QTest::keyPress(width, Qt::Key_Shift, Qt::ShiftModifier);
  QCOMPARE(width->singleStep(), 12);
  // The focus moves on while Shift is held: the width keeps its larger step.
  QTest::keyClick(height, Qt::Key_Up);
  QCOMPARE(height->value(), 25);
  QCOMPARE(width->singleStep(), 12);
  // A release with Shift still down changes nothing; one without Shift ends the larger step.
  QKeyEvent withShift(QEvent::KeyRelease, Qt::Key_Up, Qt::ShiftModifier);
  QApplication::sendEvent(width, &withShift);
  QCOMPARE(width->singleStep(), 12);
  QKeyEvent withoutShift(QEvent::KeyRelease, Qt::Key_Up, Qt::NoModifier);
  QApplication::sendEvent(width, &withoutShift);
  QCOMPARE(width->singleStep(), 6);
}

void TSpinEditTest::byteModeResetsTheWidthStep() {
  TSpinEdit* width = Spin("SpinEditWidth");
  QTest::keyPress(width, Qt::Key_Shift, Qt::ShiftModifier);
  QCOMPARE(width->singleStep(), 12);
  FEditor->RadioGroupMode->SetItemIndex(1);
  QCOMPARE(width->singleStep(), 8);
  // In 8-bit mode the larger step is 16.
  QTest::keyClick(width, Qt::Key_Up, Qt::ShiftModifier);
  QCOMPARE(width->value(), 24);
}

void TSpinEditTest::keysThatChangeNothing_data() {
  QTest::addColumn<QString>("name");
  for (const char* name : {"SpinEditWidth", "SpinEditHeight", "SpinEditGridX", "SpinEditGridY", "SpinEditTotalFrames"})
    QTest::newRow(name) << name;
}

void TSpinEditTest::keysThatChangeNothing() {
  QFETCH(QString, name);
  TSpinEdit* spin = Spin(name);
  spin->setValue(spin->value() + 2 * spin->singleStep());
  const int value = spin->value();
  const QString text = spin->text();
  QGuiApplication::clipboard()->setText(QStringLiteral("3"));
  spin->selectAll();
  QTest::keyClick(spin, Qt::Key_Delete);
  QTest::keyClick(spin, Qt::Key_Backspace);
  QTest::keyClicks(spin, QStringLiteral("97"));
  QTest::keyClick(spin, Qt::Key_X, Qt::ControlModifier);
  QTest::keyClick(spin, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(spin, Qt::Key_Insert, Qt::ShiftModifier);
  QTest::keyClick(spin, Qt::Key_PageUp);
  QTest::keyClick(spin, Qt::Key_PageDown);
  QTest::keyClick(spin, Qt::Key_Enter);
  QCOMPARE(spin->value(), value);
  QCOMPARE(spin->text(), text);
  // The wheel over a spin edit scrolls the canvas, not the value.
  QWheelEvent wheel(QPointF(5, 5), spin->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QSpontaneKeyEvent::setSpontaneous(&wheel);
  qApp->notify(spin, &wheel);
  QCOMPARE(spin->value(), value);
}

void TSpinEditTest::arrowButtonsStepOnceEvenWithCtrl() {
  TSpinEdit* height = Spin("SpinEditHeight");
  height->stepBy(10);  // what the spin box asks for when Ctrl is held on a button
  QCOMPARE(height->value(), 25);
  height->stepBy(-3);
  QCOMPARE(height->value(), 24);
}

QTEST_MAIN(TSpinEditTest)
#include "spin_edit_test.moc"
