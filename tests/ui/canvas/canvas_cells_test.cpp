// Every cell of a random frame is painted from its own pixel, at each zoom, for sprite widths
// and areas that do not fall on the renderer's blocks of four cells or eight columns.

#include <QtTest>
#include <random>

#include "canvas/canvas.h"
#include "support/random_fill.h"

class TCanvasCellsTest : public QObject {
  Q_OBJECT

 private slots:
  void cellsMatchThePixels_data();
  void cellsMatchThePixels();
};

void TCanvasCellsTest::cellsMatchThePixels_data() {
  QTest::addColumn<int>("zoom");
  QTest::addColumn<int>("width");
  QTest::addColumn<int>("firstCell");  // the area starts inside this cell column
  for (int zoom : {3, 6, 12, 24, 5})
    for (int width : {240, 237, 13})
      for (int firstCell : {0, 3}) {
        const QByteArray name = QByteArray::number(zoom) + "/" + QByteArray::number(width) + "/" +
                                QByteArray::number(firstCell);
        QTest::newRow(name.constData()) << zoom << width << firstCell;
      }
}

void TCanvasCellsTest::cellsMatchThePixels() {
  QFETCH(int, zoom);
  QFETCH(int, width);
  QFETCH(int, firstCell);
  TSpriteStore store;
  std::mt19937 rng(width * 31 + zoom);
  for (bool mask : {false, true}) FillRandom(store.Plane(5, mask), rng);

  TCanvasView view;
  view.Store = &store;
  view.Frame = 5;
  view.Width = width;
  view.Height = 37;
  view.PaneStride = width + 1;
  view.Zoom = zoom;
  view.Masked = true;
  const QSize size = CanvasSize(view);
  const QRect area(firstCell * zoom + 1, 1, size.width() - firstCell * zoom - 1, size.height() - 1);
  const QImage image = RenderCanvas(view, area);

  for (bool mask : {false, true})
    for (int y = 0; y < view.Height; ++y)
      for (int x = firstCell + 1; x < width; ++x) {
        const QRect cell = CellRect(view, mask, x, y).translated(-area.topLeft());
        const QRgb expected = store.Pixel(5, mask, x, y) ? view.ColorOn : view.ColorOff;
        const QString where = QStringLiteral("%1 cell %2,%3").arg(mask ? "mask" : "sprite").arg(x).arg(y);
        QVERIFY2(image.pixel(cell.bottomRight()) == expected && image.pixel(cell.topLeft().x(), cell.bottom()) == expected,
                 qPrintable(where));
        QVERIFY2(image.pixel(cell.right() + 1, cell.bottom()) == CanvasBackground, qPrintable(where + " gap"));
      }
}

QTEST_MAIN(TCanvasCellsTest)
#include "canvas_cells_test.moc"
