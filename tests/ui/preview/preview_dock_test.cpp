// The preview panel in the window: View > Preview, the picture by the target's AND-OR rule
// over each background, play and pause, and following every edit at once.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QtTest>
#include <random>

#include "canvas/canvas.h"
#include "preview/preview_dock.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

constexpr QRgb Black = 0xFF000000;
constexpr QRgb White = 0xFFFFFFFF;

}  // namespace

class TPreviewDockTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void itemOpensAndClosesThePanel();
  void controls();
  void pictureByTheAndOrRule_data();
  void pictureByTheAndOrRule();
  void followsEveryEdit();
  void playAndPause();
  void backAndForthAndFrameRate();

 private:
  std::unique_ptr<TSpriteEditor> FEditor;
  TPreviewDock* Dock() const { return FEditor->DockPreview; }
  QImage Picture() {
    FEditor->ProcessRedrawQueue();
    return Dock()->PreviewBox->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }
  void OpenPanel() {
    FEditor->MiPreview->trigger();
    QVERIFY(Dock()->isVisible());
  }
  // Frames 1 .. 3 of a 12 x 24 sprite, each with one pixel of its own at (f, 0); unmasked
  // so that the pixel shows whatever the background.
  void ThreeFrames() {
    TSpriteEditor& e = *FEditor;
    e.CheckBoxMasked->setChecked(false);
    for (int f = 0; f < 3; ++f) e.FStore.SetPixel(f, false, f, 0, 1);
    e.SpinEditTotalFrames->setValue(3);
    Dock()->CbPreviewScale->setCurrentIndex(0);
  }
  // The frame the picture shows, told by the pixel each frame has of its own.
  int FrameShown() {
    const QImage p = Picture();
    int shown = -1;
    for (int f = 0; f < 3; ++f)
      if (p.pixel(f, 0) == White) shown = shown == -1 ? f : -2;
    return shown;
  }
};

void TPreviewDockTest::init() {
  FEditor = std::make_unique<TSpriteEditor>();
  FEditor->show();
  QVERIFY(QTest::qWaitForWindowExposed(FEditor.get()));
}

void TPreviewDockTest::cleanup() { FEditor.reset(); }

void TPreviewDockTest::itemOpensAndClosesThePanel() {
  TSpriteEditor& e = *FEditor;
  QCOMPARE(Dock()->objectName(), QStringLiteral("DockPreview"));
  QCOMPARE(Dock()->windowTitle(), QStringLiteral("Preview"));
  QCOMPARE(e.findChild<TPreviewDock*>("DockPreview"), Dock());
  QVERIFY(!Dock()->isVisible());
  QVERIFY(!e.MiPreview->isChecked());
  e.MiPreview->trigger();
  QVERIFY(Dock()->isVisible());
  QVERIFY(e.MiPreview->isChecked());
  QCOMPARE(e.dockWidgetArea(Dock()), Qt::RightDockWidgetArea);
  Dock()->close();  // the panel's own close button
  QVERIFY(!Dock()->isVisible());
  QVERIFY(!e.MiPreview->isChecked());
  e.MiPreview->trigger();
  QVERIFY(Dock()->isVisible());
  e.MiPreview->trigger();
  QVERIFY(!Dock()->isVisible());
  QVERIFY(!e.FModified);
}

void TPreviewDockTest::controls() {
  TPreviewDock& d = *Dock();
  QCOMPARE(d.PreviewBox->objectName(), QStringLiteral("PreviewBox"));
  QCOMPARE(d.BtnPlay->objectName(), QStringLiteral("BtnPlay"));
  QCOMPARE(d.BtnPlay->text(), QStringLiteral("Play"));
  QCOMPARE(d.SpinEditFps->objectName(), QStringLiteral("SpinEditFps"));
  QCOMPARE(d.SpinEditFps->minimum(), 1);
  QCOMPARE(d.SpinEditFps->maximum(), 50);
  QCOMPARE(d.CbPlayMode->objectName(), QStringLiteral("CbPlayMode"));
  QCOMPARE(d.CbPlayMode->count(), 2);
  QCOMPARE(d.CbPlayMode->itemText(0), QStringLiteral("Loop"));
  QCOMPARE(d.CbPlayMode->itemText(1), QStringLiteral("Back and forth"));
  QCOMPARE(d.CbPreviewScale->objectName(), QStringLiteral("CbPreviewScale"));
  QCOMPARE(d.CbPreviewScale->count(), 8);
  QCOMPARE(d.CbPreviewScale->itemText(0), QString::fromUtf8("1×"));
  QCOMPARE(d.CbPreviewScale->itemText(7), QString::fromUtf8("8×"));
  QCOMPARE(d.CbPreviewBackground->objectName(), QStringLiteral("CbPreviewBackground"));
  QCOMPARE(d.CbPreviewBackground->count(), 3);
  QCOMPARE(d.CbPreviewBackground->itemText(0), QStringLiteral("Black"));
  QCOMPARE(d.CbPreviewBackground->itemText(1), QStringLiteral("White"));
  QCOMPARE(d.CbPreviewBackground->itemText(2), QStringLiteral("Checker"));
  QVERIFY(!d.Playing());
}

void TPreviewDockTest::pictureByTheAndOrRule_data() {
  QTest::addColumn<int>("background");
  QTest::addColumn<bool>("masked");
  QTest::addColumn<int>("scale");
  QTest::addColumn<int>("width");
  QTest::addColumn<int>("height");
  QTest::newRow("black, masked, 3x") << 0 << true << 3 << 24 << 12;
  QTest::newRow("white, masked, 2x") << 1 << true << 2 << 24 << 12;
  QTest::newRow("checker, masked, 1x") << 2 << true << 1 << 24 << 12;
  QTest::newRow("checker, masked, 8x, 240 x 240") << 2 << true << 8 << 240 << 240;
  QTest::newRow("white, unmasked, 5x") << 1 << false << 5 << 12 << 24;
  QTest::newRow("checker, unmasked, 2x") << 2 << false << 2 << 12 << 24;
}

// The grabbed picture against the target's rule, worked out here pixel by pixel: the screen
// shows the background (the checker in 4 x 4 squares, lit at the top-left); a masked sprite
// makes each bit (background AND mask) OR sprite, an unmasked one its own bit.
void TPreviewDockTest::pictureByTheAndOrRule() {
  QFETCH(int, background);
  QFETCH(bool, masked);
  QFETCH(int, scale);
  QFETCH(int, width);
  QFETCH(int, height);
  TSpriteEditor& e = *FEditor;
  std::mt19937 rng(5);
  for (bool mask : {false, true})
    for (auto& column : e.FStore.Plane(0, mask))
      for (auto& p : column) p = rng() & 1;
  e.SpinEditWidth->setValue(width);
  e.SpinEditHeight->setValue(height);
  e.CheckBoxMasked->setChecked(masked);
  OpenPanel();
  Dock()->CbPreviewBackground->setCurrentIndex(background);
  Dock()->CbPreviewScale->setCurrentIndex(scale - 1);
  const QImage p = Picture();
  QCOMPARE(p.size(), QSize(width * scale, height * scale));
  int lit = 0;
  for (int y = 0; y < p.height(); ++y)
    for (int x = 0; x < p.width(); ++x) {
      const int screen = background == 0 ? 0 : background == 1 ? 1 : (x / scale / 4 + y / scale / 4) % 2 == 0;
      const int sprite = e.FStore.Pixel(0, false, x / scale, y / scale);
      const int mask = e.FStore.Pixel(0, true, x / scale, y / scale);
      const int bit = masked ? (screen & mask) | sprite : sprite;
      lit += bit;
      if (p.pixel(x, y) != (bit ? White : Black))
        QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
    }
  QVERIFY(lit > 0 && lit < p.width() * p.height());
}

// Paused, the picture follows the canvas at once: a stroke, Undo and Redo, a setting, the
// current frame, the preview's own choices.
void TPreviewDockTest::followsEveryEdit() {
  TSpriteEditor& e = *FEditor;
  OpenPanel();
  Dock()->CbPreviewScale->setCurrentIndex(0);
  Dock()->CbPreviewBackground->setCurrentIndex(1);  // white: a clear mask pixel shows black
  QCOMPARE(Picture().pixel(2, 3), Black);
  const QRect cell = CellRect(e.CanvasView(), false, 2, 3);
  e.PaintBoxMouseDown(Qt::LeftButton, Qt::NoModifier, cell.center().x(), cell.center().y());
  e.PaintBoxMouseUp(Qt::LeftButton, Qt::NoModifier, cell.center().x(), cell.center().y());
  QCOMPARE(e.FStore.Pixel(0, false, 2, 3), 1);
  QCOMPARE(Picture().pixel(2, 3), White);
  e.MiUndoClick(e.MiUndo);
  QCOMPARE(Picture().pixel(2, 3), Black);
  e.MiRedoClick(e.MiRedo);
  QCOMPARE(Picture().pixel(2, 3), White);
  // A mask pixel drawn in the mask pane lets the white background through.
  const QRect maskCell = CellRect(e.CanvasView(), true, 5, 5);
  e.PaintBoxMouseDown(Qt::LeftButton, Qt::NoModifier, maskCell.center().x(), maskCell.center().y());
  e.PaintBoxMouseUp(Qt::LeftButton, Qt::NoModifier, maskCell.center().x(), maskCell.center().y());
  QCOMPARE(Picture().pixel(5, 5), White);
  e.CheckBoxMasked->setChecked(false);  // the sprite's bytes replace the screen
  QCOMPARE(Picture().pixel(5, 5), Black);
  e.SpinEditWidth->setValue(24);
  QCOMPARE(Picture().width(), 24);
  e.SpinEditTotalFrames->setValue(2);
  e.FStore.SetPixel(1, false, 7, 7, 1);
  e.SliderFrame->setValue(2);
  const QImage second = Picture();
  QCOMPARE(second.pixel(7, 7), White);
  QCOMPARE(second.pixel(2, 3), Black);
  Dock()->CbPreviewScale->setCurrentIndex(3);
  QCOMPARE(Picture().size(), QSize(24 * 4, 24 * 4));
}

void TPreviewDockTest::playAndPause() {
  TSpriteEditor& e = *FEditor;
  ThreeFrames();
  OpenPanel();
  e.SliderFrame->setValue(2);
  QCOMPARE(FrameShown(), 1);
  const QString undoText = e.MiUndo->text();
  Dock()->BtnPlay->click();
  QVERIFY(Dock()->Playing());
  QCOMPARE(Dock()->BtnPlay->text(), QStringLiteral("Pause"));
  QCOMPARE(FrameShown(), 1);  // it starts from the current frame
  Dock()->FTimer.stop();      // from here the test ticks by hand
  Dock()->FTimer.start(3600 * 1000);
  Dock()->PreviewTimerTick();
  QCOMPARE(FrameShown(), 2);
  Dock()->PreviewTimerTick();
  QCOMPARE(FrameShown(), 0);
  Dock()->PreviewTimerTick();
  QCOMPARE(FrameShown(), 1);
  QCOMPARE(e.FCurrentFrame, 1);  // playing leaves the editor's frame alone
  Dock()->BtnPlay->click();
  QVERIFY(!Dock()->Playing());
  QCOMPARE(Dock()->BtnPlay->text(), QStringLiteral("Play"));
  e.SliderFrame->setValue(3);
  QCOMPARE(FrameShown(), 2);  // paused: the current frame
  Dock()->PreviewTimerTick();  // a tick left over after the pause changes nothing
  QCOMPARE(FrameShown(), 2);
  QCOMPARE(e.MiUndo->text(), undoText);  // playing records nothing
}

void TPreviewDockTest::backAndForthAndFrameRate() {
  ThreeFrames();
  OpenPanel();
  TPreviewDock& d = *Dock();
  d.CbPlayMode->setCurrentIndex(1);
  d.SpinEditFps->setValue(50);
  QCOMPARE(d.FTimer.interval(), 20);
  d.SpinEditFps->setValue(1);
  QCOMPARE(d.FTimer.interval(), 1000);
  d.BtnPlay->click();
  d.FTimer.start(3600 * 1000);
  std::vector<int> shown{FrameShown()};
  for (int i = 0; i < 5; ++i) {
    d.PreviewTimerTick();
    shown.push_back(FrameShown());
  }
  QCOMPARE(shown, (std::vector<int>{0, 1, 2, 1, 0, 1}));
  // At 50 frames a second, the timer itself moves the picture on.
  d.SpinEditFps->setValue(50);
  d.FTimer.start();
  QCOMPARE(d.FTimer.interval(), 20);
  const int before = d.ShownFrame();
  QTRY_VERIFY_WITH_TIMEOUT(d.ShownFrame() != before, 2000);
}

QTEST_MAIN(TPreviewDockTest)
#include "preview_dock_test.moc"
