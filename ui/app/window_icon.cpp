#include "app/window_icon.h"

#include <QImage>

#include "app/icon_pattern.h"

QImage ProgramIconImage(int size) {
  QImage image(size, size, QImage::Format_RGB32);
  const int cell = size / icon::Cells;
  for (int y = 0; y < size; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < size; ++x)
      line[x] = 0xFF000000u | (icon::IsSet(x / cell, y / cell) ? icon::Ink : icon::Tile);
  }
  return image;
}

QIcon ProgramIcon() {
  QIcon drawn;
  for (int size : icon::PngSizes) drawn.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
  return QIcon::fromTheme(DesktopFileName(), drawn);
}

QString DesktopFileName() { return QString::fromLatin1(icon::AppId); }
