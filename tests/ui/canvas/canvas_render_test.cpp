// The canvas picture, checked pixel by pixel on the grabbed paint box and on the renderer.

#include <QAction>
#include <QCheckBox>
#include <QSlider>
#include <QtTest>
#include <random>

#include "canvas/canvas.h"
#include "widgets/radio_group.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

constexpr QRgb Black = 0xFF000000;
constexpr QRgb Grey = 0xFF444444;
constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Green = 0xFF00FF00;

}  // namespace

class TCanvasRenderTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void cellsAndGapsAtZoom12();
  void gridLinesAtZoom12();
  void gridSpacingsBeyondTheSprite();
  void cellSquares_data();
  void cellSquares();
  void canvasSizeAtEachZoom_data();
  void canvasSizeAtEachZoom();
  void anyAreaRendersAsTheWholeCanvas_data();
  void anyAreaRendersAsTheWholeCanvas();
  void onionSkin_data();
  void onionSkin();
  void onionSkinItemInTheWindow();

 private:
  std::unique_ptr<TSpriteEditor> FEditor;
  QImage Canvas() {
    FEditor->ProcessRedrawQueue();
    return FEditor->PaintBox->grab().toImage();
  }
};

void TCanvasRenderTest::init() { FEditor = std::make_unique<TSpriteEditor>(); }

void TCanvasRenderTest::cleanup() { FEditor.reset(); }

// A masked 12 x 24 sprite at zoom 12: 312 x 296 pixels, the mask pane from x = 156.
void TCanvasRenderTest::cellsAndGapsAtZoom12() {
  TSpriteStore& s = FEditor->FStore;
  s.SetPixel(0, false, 0, 0, 1);
  s.SetPixel(0, true, 11, 23, 1);
  s.SetPixel(0, false, 12, 0, 1);  // hidden beyond the width
  s.SetPixel(0, false, 0, 24, 1);  // hidden below the height
  s.SetPixel(1, false, 1, 0, 1);   // another frame
  const QImage c = Canvas();
  QCOMPARE(c.size(), QSize(312, 296));
  // Sprite cell (0, 0): 11 x 11 white, then the black gap column and row.
  QCOMPARE(c.pixel(0, 0), White);
  QCOMPARE(c.pixel(10, 10), White);
  QCOMPARE(c.pixel(11, 5), Black);
  QCOMPARE(c.pixel(5, 11), Black);
  QCOMPARE(c.pixel(12, 0), Grey);  // cell (1, 0) is clear in frame 1
  QCOMPARE(c.pixel(156, 0), Grey);
  QCOMPARE(c.pixel(156 + 132, 276), White);
  QCOMPARE(c.pixel(156 + 142, 286), White);
  QCOMPARE(c.pixel(156 + 143, 286), Black);
  for (int y = 0; y < 296; ++y) {
    for (int x = 144; x <= 155; ++x) QVERIFY2(c.pixel(x, y) == Black, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    for (int x = 300; x <= 311; ++x) QVERIFY2(c.pixel(x, y) == Black, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
  }
  for (int y = 288; y <= 295; ++y)
    for (int x = 0; x < 312; ++x) QVERIFY(c.pixel(x, y) == Black);
}

// Grid 6 x 6: horizontal lines at y = 71, 143, 215 across each pane's sprite area, one
// vertical line per pane at x = 71 and x = 227; none along the outer edges.
void TCanvasRenderTest::gridLinesAtZoom12() {
  FEditor->CheckBoxGrid->setChecked(true);
  const QImage c = Canvas();
  for (int y : {71, 143, 215})
    for (int x = 0; x < 312; ++x) {
      const bool onLine = (x <= 143) || (x >= 156 && x <= 299);
      QVERIFY2((c.pixel(x, y) == Green) == onLine, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    }
  for (int x : {71, 227})
    for (int y = 0; y < 296; ++y)
      QVERIFY2((c.pixel(x, y) == Green) == (y <= 287), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
  int green = 0;
  for (int y = 0; y < 296; ++y)
    for (int x = 0; x < 312; ++x) green += c.pixel(x, y) == Green;
  QCOMPARE(green, 3 * 2 * 144 + 2 * 288 - 6);  // six crossings counted once
  QCOMPARE(c.pixel(143, 100), Black);
  QCOMPARE(c.pixel(100, 287), Black);
  QCOMPARE(c.pixel(70, 70), Grey);
}

void TCanvasRenderTest::gridSpacingsBeyondTheSprite() {
  FEditor->CheckBoxGrid->setChecked(true);
  FEditor->SpinEditGridX->setValue(16);
  FEditor->SpinEditHeight->setValue(12);
  FEditor->SpinEditGridY->setValue(12);
  const QImage c = Canvas();
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) QVERIFY(c.pixel(x, y) != Green);
}

void TCanvasRenderTest::cellSquares_data() {
  QTest::addColumn<int>("z");
  QTest::newRow("25%") << 3;
  QTest::newRow("50%") << 6;
  QTest::newRow("200%") << 24;
}

// Every cell is a (z-1) x (z-1) square with a black gap right of and below it.
void TCanvasRenderTest::cellSquares() {
  QFETCH(int, z);
  for (QAction* item : {FEditor->MiView025, FEditor->MiView050, FEditor->MiView200})
    if (TagOf(item) == z) item->trigger();
  QCOMPARE(FEditor->FZoom, z);
  TSpriteStore& s = FEditor->FStore;
  s.SetPixel(0, false, 1, 1, 1);
  s.SetPixel(0, true, 1, 1, 1);
  const QImage c = Canvas();
  QCOMPARE(c.size(), QSize(2 * 13 * z, 24 * z + 8));
  for (int pane : {0, 13 * z})
    for (int y = 0; y < 3 * z; ++y)
      for (int x = 0; x < 3 * z; ++x) {
        const bool gap = x % z == z - 1 || y % z == z - 1;
        const bool set = x / z == 1 && y / z == 1;
        const QRgb expected = gap ? Black : set ? White : Grey;
        QVERIFY2(c.pixel(pane + x, y) == expected, qPrintable(QStringLiteral("%1,%2").arg(pane + x).arg(y)));
      }
}

void TCanvasRenderTest::canvasSizeAtEachZoom_data() {
  QTest::addColumn<int>("zoom");
  QTest::addColumn<bool>("masked");
  QTest::addColumn<QSize>("size");
  QTest::newRow("25%, masked") << 3 << true << QSize(1446, 728);
  QTest::newRow("25%") << 3 << false << QSize(723, 728);
  QTest::newRow("100%, masked") << 12 << true << QSize(5784, 2888);
  QTest::newRow("200%, masked") << 24 << true << QSize(11568, 5768);
}

void TCanvasRenderTest::canvasSizeAtEachZoom() {
  QFETCH(int, zoom);
  QFETCH(bool, masked);
  QFETCH(QSize, size);
  TSpriteEditor& e = *FEditor;
  e.SpinEditWidth->setValue(240);
  e.SpinEditHeight->setValue(240);
  e.CheckBoxMasked->setChecked(masked);
  for (QAction* item : {e.MiView025, e.MiView050, e.MiView100, e.MiView200})
    if (TagOf(item) == zoom) item->trigger();
  QCOMPARE(e.PaintBox->size(), size);
  if (zoom == 3) {
    const QImage c = Canvas();
    QCOMPARE(c.size(), size);
    QCOMPARE(c.pixel(239 * 3, 239 * 3), Grey);
    QCOMPARE(c.pixel(239 * 3, 239 * 3 + 2), Black);
    QCOMPARE(c.pixel(240 * 3, 0), Black);  // the separating column
    if (masked) QCOMPARE(c.pixel(241 * 3, 0), Grey);
  }
}

// Rendering any part of the canvas gives the same pixels as that part of the whole canvas.
void TCanvasRenderTest::anyAreaRendersAsTheWholeCanvas_data() {
  QTest::addColumn<int>("zoom");
  QTest::addColumn<bool>("masked");
  QTest::addColumn<QRect>("area");
  QTest::newRow("zoom 12, inside the sprite pane") << 12 << true << QRect(17, 5, 40, 30);
  QTest::newRow("zoom 12, across both panes") << 12 << true << QRect(100, 60, 150, 100);
  QTest::newRow("zoom 3, one pixel") << 3 << true << QRect(5, 5, 1, 1);
  QTest::newRow("zoom 24, bottom margin") << 24 << true << QRect(300, 560, 200, 50);
  QTest::newRow("zoom 6, unmasked, right of the sprite") << 6 << false << QRect(60, 10, 60, 40);
  QTest::newRow("beyond the canvas") << 12 << true << QRect(300, 280, 40, 40);
}

void TCanvasRenderTest::anyAreaRendersAsTheWholeCanvas() {
  QFETCH(int, zoom);
  QFETCH(bool, masked);
  QFETCH(QRect, area);
  TSpriteStore store;
  for (int x = 0; x < 20; ++x)
    for (int y = 0; y < 30; ++y) {
      store.SetPixel(2, false, x, y, (x * 7 + y * 3) % 5 == 0);
      store.SetPixel(2, true, x, y, (x + y) % 3 == 0);
    }
  TCanvasView view;
  view.Store = &store;
  view.Frame = 2;
  view.Width = 18;
  view.Height = 23;
  view.PaneStride = 19;
  view.Zoom = zoom;
  view.Masked = masked;
  view.Grid = true;
  view.GridX = 4;
  view.GridY = 5;
  const QSize size = CanvasSize(view);
  QImage whole = RenderCanvas(view, QRect(QPoint(0, 0), size));
  QImage expected(area.size(), QImage::Format_RGB32);
  expected.fill(Black);
  for (int y = 0; y < area.height(); ++y)
    for (int x = 0; x < area.width(); ++x)
      if (QRect(QPoint(0, 0), size).contains(area.topLeft() + QPoint(x, y)))
        expected.setPixel(x, y, whole.pixel(area.topLeft() + QPoint(x, y)));
  QCOMPARE(RenderCanvas(view, area), expected);
}

void TCanvasRenderTest::onionSkin_data() {
  QTest::addColumn<int>("zoom");
  QTest::addColumn<bool>("masked");
  QTest::addColumn<int>("frame");
  QTest::addColumn<QRect>("area");  // empty: the whole canvas
  QTest::newRow("zoom 12, masked") << 12 << true << 1 << QRect();
  QTest::newRow("zoom 3, unmasked") << 3 << false << 5 << QRect();
  QTest::newRow("zoom 48, masked, cut by the area") << 48 << true << 1 << QRect(130, 70, 700, 200);
  QTest::newRow("zoom 96, masked") << 96 << true << 1 << QRect();
  QTest::newRow("zoom 6, first frame: nothing before it") << 6 << true << 0 << QRect();
}

// Pixel by pixel: a set cell white, a cell clear now but set in the frame before in the dim
// colour, any other cell grey, gaps and everything outside the sprite area black; each pane
// from its own plane.
void TCanvasRenderTest::onionSkin() {
  QFETCH(int, zoom);
  QFETCH(bool, masked);
  QFETCH(int, frame);
  QFETCH(QRect, area);
  TSpriteStore store;
  std::mt19937 rng(7);
  for (int f = 0; f <= frame; ++f)
    for (bool mask : {false, true})
      for (auto& column : store.Plane(f, mask))
        for (auto& p : column) p = rng() % 3 == 0;
  TCanvasView view;
  view.Store = &store;
  view.Frame = frame;
  view.Width = 10;
  view.Height = 7;
  view.PaneStride = 11;
  view.Zoom = zoom;
  view.Masked = masked;
  view.OnionSkin = true;
  const QSize size = CanvasSize(view);
  if (area.isEmpty()) area = QRect(QPoint(0, 0), size);
  const QImage c = RenderCanvas(view, area);
  int onion = 0;
  for (int y = 0; y < area.height(); ++y)
    for (int x = 0; x < area.width(); ++x) {
      const int cx = area.left() + x;
      const int cy = area.top() + y;
      const bool mask = cx >= view.PaneStride * zoom;
      const int col = (cx - (mask ? view.PaneStride * zoom : 0)) / zoom;
      const int row = cy / zoom;
      QRgb expected = Black;
      if ((!mask || masked) && col < view.Width && row < view.Height && cx % zoom != zoom - 1 &&
          cy % zoom != zoom - 1) {
        const bool now = store.Pixel(frame, mask, col, row);
        const bool before = frame > 0 && store.Pixel(frame - 1, mask, col, row);
        expected = now ? White : before ? view.ColorOnion : Grey;
      }
      onion += expected == view.ColorOnion;
      if (c.pixel(x, y) != expected)
        QFAIL(qPrintable(QStringLiteral("pixel %1,%2: %3").arg(cx).arg(cy).arg(c.pixel(x, y), 8, 16)));
    }
  QCOMPARE(onion > 0, frame > 0);
  view.OnionSkin = false;
  const QImage off = RenderCanvas(view, area);
  for (int y = 0; y < off.height(); ++y)
    for (int x = 0; x < off.width(); ++x) QVERIFY(off.pixel(x, y) != view.ColorOnion);
}

// View > Onion skin is off at start; ticked, the canvas of frame 2 shows frame 1's pixels
// dimmed in both panes, between the grey and the white.
void TCanvasRenderTest::onionSkinItemInTheWindow() {
  TSpriteEditor& e = *FEditor;
  e.FStore.SetPixel(0, false, 1, 1, 1);
  e.FStore.SetPixel(0, true, 2, 1, 1);
  e.FStore.SetPixel(1, false, 3, 1, 1);
  e.SpinEditTotalFrames->setValue(2);
  e.SliderFrame->setValue(2);
  QCOMPARE(e.FCurrentFrame, 1);
  QVERIFY(!e.MiOnionSkin->isChecked());
  QCOMPARE(Canvas().pixel(12 + 5, 12 + 5), Grey);
  e.FRedrawQueue.clear();
  e.MiOnionSkin->trigger();
  QVERIFY(!e.FRedrawQueue.empty());
  const QImage c = Canvas();
  const QRgb dim = c.pixel(12 + 5, 12 + 5);
  QCOMPARE(dim, e.CanvasView().ColorOnion);
  QVERIFY(qGray(dim) > qGray(Grey) && qGray(dim) < qGray(White));
  QCOMPARE(c.pixel(156 + 24 + 5, 12 + 5), dim);   // the mask pane, from frame 1's mask
  QCOMPARE(c.pixel(36 + 5, 12 + 5), White);       // set in frame 2 itself
  QCOMPARE(c.pixel(24 + 5, 12 + 5), Grey);        // the mask pixel is not the sprite's
  e.MiOnionSkin->trigger();
  QCOMPARE(Canvas().pixel(12 + 5, 12 + 5), Grey);
}

QTEST_MAIN(TCanvasRenderTest)
#include "canvas_render_test.moc"
