// Canvas benchmarks against filling an image of the same size with one colour: full repaints
// rendered offscreen as the paint box does it (render into the scratch image, then draw it
// onto the target with the source composition), and the repaint of one pointer-stroke cell.
#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <cstdio>
#include <string>

#include "bench_table.h"
#include "support/random_fill.h"
#include "canvas/canvas.h"

namespace {

// What TPaintBox::paintEvent does for one exposed rectangle: the target is an ARGB32
// premultiplied image, like the window's backing store.
struct TPaint {
  QImage Target;
  QImage Scratch;
  void Run(const TCanvasView& view, const QRect& area) {
    QPainter painter(&Target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    RenderCanvasInto(view, area, Scratch);
    painter.drawImage(QRect(QPoint(0, 0), area.size()), Scratch, QRect(QPoint(0, 0), area.size()));
  }
};

// Records the region of each paint event the paint box gets.
class TRegionSpy : public QObject {
 public:
  QRegion Painted;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) Painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

double BenchRepaint(const std::string& name, const TCanvasView& view, const QRect& area, double target, bool& ok) {
  QImage filled(area.size(), QImage::Format_ARGB32_Premultiplied);
  const double base = MedianSeconds([&] { filled.fill(QColor(0x44, 0x44, 0x44)); }, 15);
  TPaint paint{QImage(area.size(), QImage::Format_ARGB32_Premultiplied),
               QImage(area.size(), QImage::Format_ARGB32_Premultiplied)};
  const double t = MedianSeconds([&] { paint.Run(view, area); }, 15);
  ok &= PrintRow(name + " (" + std::to_string(area.width()) + " x " + std::to_string(area.height()) + ")", t, base,
                 target);
  return t;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  TSpriteStore store;
  FillRandom(store, 3, 1);  // both planes of frame 0

  TCanvasView view;
  view.Store = &store;
  view.Width = 240;
  view.Height = 240;
  view.PaneStride = 241;
  view.Masked = true;
  view.Grid = true;

  std::printf("baseline: filling an image of the repainted size with one colour, measured per row\n");
  PrintColumns();
  bool ok = true;
  view.Zoom = 3;
  BenchRepaint("full repaint, 240x240 masked at 25%, grid 6x6", view, QRect(QPoint(0, 0), CanvasSize(view)), 5, ok);
  view.Zoom = 24;
  const QSize canvas = CanvasSize(view);
  BenchRepaint("1920x1080 view at 200%, 240x240 masked, grid 6x6", view,
               QRect(QPoint((canvas.width() - 1920) / 2, (canvas.height() - 1080) / 2), QSize(1920, 1080)), 5, ok);

  // The onion skin at its worst: frame 2 is frame 1 inverted, so every clear cell is dimmed.
  // And the largest zoom level.
  for (bool mask : {false, true})
    for (int x = 0; x < MaxSide; ++x)
      for (int y = 0; y < MaxSide; ++y) store.SetPixel(1, mask, x, y, !store.Pixel(0, mask, x, y));
  view.Frame = 1;
  view.OnionSkin = true;
  // For information beside the row without it: what the dimmed cells add.
  BenchRepaint("1920x1080 view at 200%, onion skin on every clear cell", view,
               QRect(QPoint((canvas.width() - 1920) / 2, (canvas.height() - 1080) / 2), QSize(1920, 1080)), 0, ok);
  view.Frame = 0;
  view.OnionSkin = false;
  view.Zoom = 96;
  const QSize largest = CanvasSize(view);
  // For information: the largest zoom level has no target of its own. Its repaint is under a
  // millisecond, but 5-9x the fill, above the other views' 5x.
  BenchRepaint("1920x1080 view at 800%, 240x240 masked, grid 6x6", view,
               QRect(QPoint((largest.width() - 1920) / 2, (largest.height() - 1080) / 2), QSize(1920, 1080)), 0, ok);

  // One pointer-stroke cell: the paint box repaints only the rectangle it invalidates.
  view.Zoom = 12;
  TPaintBox box;
  box.ViewSource = [&] { return view; };
  box.resize(CanvasSize(view));
  box.show();
  app.processEvents();
  TRegionSpy spy;
  box.installEventFilter(&spy);
  box.InvalidateCell(false, 100, 100);
  app.processEvents();
  const QRect cell = spy.Painted.boundingRect();
  std::printf("one cell token at zoom 12: paint event region %d x %d at (%d, %d), %lld pixels, %d rectangle(s); "
              "the canvas is %d x %d = %lld pixels\n",
              cell.width(), cell.height(), cell.x(), cell.y(), (long long)cell.width() * cell.height(),
              spy.Painted.rectCount(), box.width(), box.height(), (long long)box.width() * box.height());
  ok &= cell == CellRect(view, false, 100, 100) && spy.Painted.rectCount() == 1;
  const double cellTime = BenchRepaint("one pointer-stroke cell at 100%", view, cell, 0, ok);
  bool full = true;
  const double fullTime = BenchRepaint("the same canvas repainted whole (for comparison)", view,
                                       QRect(QPoint(0, 0), CanvasSize(view)), 0, full);
  std::printf("one cell repaints %.0f times faster than the whole canvas\n", fullTime / cellTime);
  std::printf("%s\n", ok ? "all within target" : "some figures above target (marked !) or the cell repaint is wrong");
  return 0;
}
