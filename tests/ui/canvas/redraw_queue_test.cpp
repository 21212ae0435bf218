// The redraw queue: what each request repaints, the entries it refuses, and when it is read.

#include <QPaintEvent>
#include <QSlider>
#include <QtTest>

#include "canvas/canvas.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

// Records the region of every paint event of one widget.
class TPaintSpy : public QObject {
 public:
  explicit TPaintSpy(QWidget* w) { w->installEventFilter(this); }
  QRegion Painted;
  int Paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      Painted += static_cast<QPaintEvent*>(event)->region();
      ++Paints;
    }
    return false;
  }
};

}  // namespace

class TRedrawQueueTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void cellTokenWaitsForItsCoordinates();
  void entriesThatAreNoTokenAreDropped();
  void requestRepaintsItsArea_data();
  void requestRepaintsItsArea();
  void queueIsDrainedWhenTheLoopWaits();
  void cellIsPaintedFromTheFrameCurrentWhenProcessed();

 private:
  std::unique_ptr<TSpriteEditor> FEditor;
  using TEntries = std::vector<std::int32_t>;
  TEntries Queue() const { return {FEditor->FRedrawQueue.begin(), FEditor->FRedrawQueue.end()}; }
  void Push(const TEntries& entries) {
    for (std::int32_t v : entries) FEditor->FRedrawQueue.push_back(v);
  }
  // Lets every pending paint happen, then starts from an empty queue.
  void Settle() {
    FEditor->ProcessRedrawQueue();
    QCoreApplication::processEvents();
    FEditor->FRedrawQueue.clear();
  }
};

void TRedrawQueueTest::init() {
  FEditor = std::make_unique<TSpriteEditor>();
  FEditor->show();
  QVERIFY(QTest::qWaitForWindowExposed(FEditor.get()));
}

void TRedrawQueueTest::cleanup() { FEditor.reset(); }

void TRedrawQueueTest::cellTokenWaitsForItsCoordinates() {
  Settle();
  Push({rtSpriteCell, 2});
  FEditor->ProcessRedrawQueue();
  QCOMPARE(Queue(), (TEntries{rtSpriteCell, 2}));
  Push({4, rtFull, rtMaskCell});
  FEditor->ProcessRedrawQueue();
  QCOMPARE(Queue(), (TEntries{rtMaskCell}));
  Push({0, 0});
  FEditor->ProcessRedrawQueue();
  QVERIFY(Queue().empty());
}

void TRedrawQueueTest::entriesThatAreNoTokenAreDropped() {
  Settle();
  Push({0, 4, -1, 1000, std::numeric_limits<std::int32_t>::min(), rtSpriteCell, 1});
  FEditor->ProcessRedrawQueue();
  QCOMPARE(Queue(), (TEntries{rtSpriteCell, 1}));
}

void TRedrawQueueTest::requestRepaintsItsArea_data() {
  QTest::addColumn<TEntries>("request");
  QTest::addColumn<QRegion>("painted");
  QTest::newRow("sprite cell (2, 4)") << TEntries{rtSpriteCell, 2, 4} << QRegion(24, 48, 11, 11);
  QTest::newRow("mask cell (3, 4)") << TEntries{rtMaskCell, 3, 4} << QRegion(156 + 36, 48, 11, 11);
  QTest::newRow("two cells") << TEntries{rtSpriteCell, 0, 0, rtSpriteCell, 11, 23}
                             << (QRegion(0, 0, 11, 11) + QRegion(132, 276, 11, 11));
  QTest::newRow("full") << TEntries{rtFull} << QRegion(0, 0, 312, 296);
}

void TRedrawQueueTest::requestRepaintsItsArea() {
  QFETCH(TEntries, request);
  QFETCH(QRegion, painted);
  Settle();
  TPaintSpy spy(FEditor->PaintBox);
  Push(request);
  FEditor->ProcessRedrawQueue();
  QVERIFY(Queue().empty());
  QTRY_VERIFY(spy.Paints > 0);
  QCOMPARE(spy.Painted, painted);
}

void TRedrawQueueTest::queueIsDrainedWhenTheLoopWaits() {
  Settle();
  TPaintSpy spy(FEditor->PaintBox);
  Push({rtSpriteCell, 5, 6});
  // A running event loop that runs out of work drains the queue and paints.
  QEventLoop loop;
  QTimer::singleShot(100, &loop, &QEventLoop::quit);
  loop.exec();
  QVERIFY(Queue().empty());
  QCOMPARE(spy.Painted, QRegion(60, 72, 11, 11));
}

// A cell drawn in frame 1 and a frame change before the next idle moment: the queued cell
// shows the new frame's pixel, and the full repaint behind it the whole new frame.
void TRedrawQueueTest::cellIsPaintedFromTheFrameCurrentWhenProcessed() {
  TSpriteEditor& e = *FEditor;
  e.SpinEditTotalFrames->setValue(2);
  e.FStore.SetPixel(1, false, 7, 7, 1);
  Settle();
  QTest::mousePress(e.PaintBox, Qt::LeftButton, {}, QPoint(2 * 12 + 5, 4 * 12 + 5));
  QTest::mouseRelease(e.PaintBox, Qt::LeftButton, {}, QPoint(2 * 12 + 5, 4 * 12 + 5));
  e.SliderFrame->setValue(2);
  QCOMPARE(Queue(), (TEntries{rtSpriteCell, 2, 4, rtFull}));
  e.ProcessRedrawQueue();
  const QImage canvas = e.PaintBox->grab().toImage();
  QCOMPARE(e.FStore.Pixel(0, false, 2, 4), 1);
  QCOMPARE(canvas.pixel(2 * 12 + 5, 4 * 12 + 5), 0xFF444444u);
  QCOMPARE(canvas.pixel(7 * 12 + 5, 7 * 12 + 5), 0xFFFFFFFFu);
}

QTEST_MAIN(TRedrawQueueTest)
#include "redraw_queue_test.moc"
