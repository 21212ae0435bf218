#include "canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cstring>

QSize CanvasSize(const TCanvasView& view) {
  return {(view.Masked ? 2 : 1) * view.PaneStride * view.Zoom, view.Height * view.Zoom + 8};
}

QRect CellRect(const TCanvasView& view, bool mask, int x, int y) {
  const int z = view.Zoom;
  const int left = (mask ? view.PaneStride * z : 0) + x * z;
  return {left, y * z, z - 1, z - 1};
}

namespace {

// Fills canvas row `cellRow` of one pane into `line`, which holds canvas columns
// area.left() .. area.right().
void RenderPaneRow(const TCanvasView& view, const TPlane& plane, int paneLeft, int cellRow, const QRect& area,
                   QRgb* line) {
  const int z = view.Zoom;
  const int firstCell = std::max(0, (area.left() - paneLeft) / z);
  const int lastCell = std::min(view.Width - 1, (area.right() - paneLeft) / z);
  for (int x = firstCell; x <= lastCell; ++x) {
    const int from = std::max(paneLeft + x * z, area.left());
    const int to = std::min(paneLeft + x * z + z - 1, area.right() + 1);
    if (from >= to) continue;
    const QRgb colour = plane[x][cellRow] ? view.ColorOn : view.ColorOff;
    std::fill(line + (from - area.left()), line + (to - area.left()), colour);
  }
}

void RenderCells(const TCanvasView& view, const QRect& area, QImage& image) {
  const int z = view.Zoom;
  const bool panes[2] = {false, true};
  const int bytesPerLine = area.width() * int(sizeof(QRgb));
  for (int iy = 0; iy < area.height(); ++iy) {
    const int y = area.top() + iy;
    if (y < 0) continue;
    const int cellRow = y / z;
    if (cellRow >= view.Height || y % z == z - 1) continue;  // bottom margin or gap row
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(iy));
    if (iy > 0 && y % z != 0) {  // same cell row as the line above
      std::memcpy(line, image.constScanLine(iy - 1), bytesPerLine);
      continue;
    }
    for (bool mask : panes) {
      if (mask && !view.Masked) break;
      const int paneLeft = mask ? view.PaneStride * z : 0;
      RenderPaneRow(view, view.Store->Plane(view.Frame, mask), paneLeft, cellRow, area, line);
    }
  }
}

// A line on the gap row below every GridY-th cell row and on the gap column right of every
// GridX-th cell column, across the sprite area of each pane; none along the outer edges.
void RenderGrid(const TCanvasView& view, const QRect& area, QImage& image) {
  const int z = view.Zoom;
  const int paneCount = view.Masked ? 2 : 1;
  const QRect inImage(QPoint(0, 0), area.size());
  auto plot = [&](const QRect& line) {
    const QRect r = line.translated(-area.topLeft()).intersected(inImage);
    for (int iy = r.top(); iy <= r.bottom(); ++iy) {
      auto* row = reinterpret_cast<QRgb*>(image.scanLine(iy));
      std::fill(row + r.left(), row + r.right() + 1, GridColor);
    }
  };
  if (view.GridY > 0)
    for (int r = view.GridY; r < view.Height; r += view.GridY)
      for (int p = 0; p < paneCount; ++p) plot(QRect(p * view.PaneStride * z, r * z - 1, view.Width * z, 1));
  if (view.GridX > 0)
    for (int c = view.GridX; c < view.Width; c += view.GridX)
      for (int p = 0; p < paneCount; ++p) plot(QRect(p * view.PaneStride * z + c * z - 1, 0, 1, view.Height * z));
}

}  // namespace

QImage RenderCanvas(const TCanvasView& view, const QRect& area) {
  QImage image(area.size(), QImage::Format_RGB32);
  image.fill(CanvasBackground);
  if (area.isEmpty() || view.Store == nullptr || view.Zoom < 1 || view.Width < 1 || view.Height < 1 ||
      !ValidFrame(view.Frame))
    return image;
  RenderCells(view, area, image);
  if (view.Grid) RenderGrid(view, area, image);
  return image;
}

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // every exposed pixel is painted below
  setMouseTracking(true);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
}

void TPaintBox::InvalidateCell(bool mask, int x, int y) {
  if (ViewSource) update(CellRect(ViewSource(), mask, x, y));
}

void TPaintBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const TCanvasView view = ViewSource ? ViewSource() : TCanvasView{};
  for (const QRect& r : event->region()) {
    const QRect area = r.intersected(rect());
    if (!area.isEmpty()) painter.drawImage(area.topLeft(), RenderCanvas(view, area));
  }
}

void TPaintBox::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  emit MouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (!rect().contains(p)) {
    emit MouseLeave();
    return;
  }
  emit MouseMove(event->modifiers(), p.x(), p.y());
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  emit MouseUp(event->button(), event->modifiers(), p.x(), p.y());
}

void TPaintBox::leaveEvent(QEvent*) { emit MouseLeave(); }
