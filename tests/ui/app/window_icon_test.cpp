// The program's icon: the window shows it, the picture has the cells of the icon pattern at
// every size, and the PNG files the build draws for installing read back as the same picture.

#include <QImage>
#include <algorithm>
#include <cstring>
#include <QtTest>

#include "app/icon_pattern.h"
#include "app/window_icon.h"
#include "support/scripted_dialogs.h"

namespace {

// Cell (x, y) of a picture of `size` pixels, read back from its pixels: every pixel of the
// cell must have the colour of a set cell, or every one that of the tile.
enum class TCell { Ink, Tile, Mixed };
TCell CellOf(const QImage& image, int x, int y) {
  const int cell = image.width() / icon::Cells;
  int ink = 0, tile = 0;
  for (int py = y * cell; py < (y + 1) * cell; ++py)
    for (int px = x * cell; px < (x + 1) * cell; ++px) {
      const QRgb c = image.pixel(px, py) & 0xFFFFFF;
      ink += c == icon::Ink;
      tile += c == icon::Tile;
    }
  return ink == cell * cell ? TCell::Ink : tile == cell * cell ? TCell::Tile : TCell::Mixed;
}

// Every cell as the pattern says; the first one that is not, as "x,y".
QString FirstWrongCell(const QImage& image) {
  if (image.isNull() || image.width() != image.height() || image.width() % icon::Cells) return QStringLiteral("size");
  for (int y = 0; y < icon::Cells; ++y)
    for (int x = 0; x < icon::Cells; ++x)
      if (CellOf(image, x, y) != (icon::Pattern[y][x] == '#' ? TCell::Ink : TCell::Tile))
        return QStringLiteral("%1,%2").arg(x).arg(y);
  return {};
}

}  // namespace

class TWindowIconTest : public QObject {
  Q_OBJECT

 private slots:
  void patternIsASixteenCellSquare();
  void drawnPictureHasThePatternAtEverySize();
  void windowShowsTheIcon();
  void installedPngFilesAreTheSamePicture();
  void desktopFileNameIsTheApplicationId();
};

void TWindowIconTest::patternIsASixteenCellSquare() {
  int set = 0;
  for (const char* row : icon::Pattern) {
    QCOMPARE(int(std::strlen(row)), icon::Cells);
    for (int x = 0; x < icon::Cells; ++x) {
      QVERIFY(row[x] == '#' || row[x] == '.');
      set += row[x] == '#';
    }
  }
  QVERIFY(set > 0 && set < icon::Cells * icon::Cells);
}

void TWindowIconTest::drawnPictureHasThePatternAtEverySize() {
  for (int size : icon::PngSizes) QCOMPARE(FirstWrongCell(ProgramIconImage(size)), QString());
}

void TWindowIconTest::windowShowsTheIcon() {
  TScriptedEditor e;
  const QIcon shown = e->windowIcon();
  QVERIFY(!shown.isNull());
  // From the icon theme where the program is installed, drawn from the pattern otherwise:
  // the same cells either way.
  for (int size : {16, 32, 64})
    QCOMPARE(FirstWrongCell(shown.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_RGB32)), QString());
}

void TWindowIconTest::installedPngFilesAreTheSamePicture() {
  const QString dir = QStringLiteral(DEDUZU_ICON_DIR);
  for (int size : icon::PngSizes) {
    const QString path = QStringLiteral("%1/%2/%3.png").arg(dir).arg(size).arg(DesktopFileName());
    QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), QSize(size, size));
    QCOMPARE(image.convertToFormat(QImage::Format_RGB32), ProgramIconImage(size));
  }
  QFile svg(QStringLiteral("%1/%2.svg").arg(dir, DesktopFileName()));
  QVERIFY(svg.open(QIODevice::ReadOnly));
  // One square a set cell, on the tile.
  const QString text = QString::fromUtf8(svg.readAll());
  int set = 0;
  for (const char* row : icon::Pattern) set += int(std::count(row, row + icon::Cells, '#'));
  QCOMPARE(int(text.count(QStringLiteral("width=\"1\" height=\"1\""))), set);
  QVERIFY(text.contains(QStringLiteral("x=\"4\" y=\"3\" width=\"1\"")));
  QVERIFY(!text.contains(QStringLiteral("x=\"0\" y=\"0\" width=\"1\"")));
}

void TWindowIconTest::desktopFileNameIsTheApplicationId() {
  QCOMPARE(DesktopFileName(), QStringLiteral("io.github.deduzu.SpriteEditor"));
  QFile entry(QStringLiteral(DEDUZU_DESKTOP_DIR "/io.github.deduzu.SpriteEditor.desktop"));
  QVERIFY(entry.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(entry.readAll());
  QVERIFY(text.contains(QStringLiteral("\nIcon=io.github.deduzu.SpriteEditor\n")));
  QVERIFY(text.contains(QStringLiteral("\nMimeType=application/x-deduzu-sprite;\n")));
}

QTEST_MAIN(TWindowIconTest)
#include "window_icon_test.moc"
