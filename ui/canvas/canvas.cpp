#include "canvas/canvas.h"

#include "canvas/zoom_levels.h"
#include "codec/byte_grid.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

QSize CanvasSize(const TCanvasView& view) {
  return {(view.Masked ? 2 : 1) * view.PaneStride * view.Zoom, view.Height * view.Zoom + 8};
}

QRect CellRect(const TCanvasView& view, bool mask, int x, int y) {
  const int z = view.Zoom;
  const int left = (mask ? view.PaneStride * z : 0) + x * z;
  return {left, y * z, z - 1, z - 1};
}

namespace {

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// Cell rows of a plane, cells first .. last, fetched sixteen rows at a time: the plane is
// stored by columns, and reading a row of it cell by cell would touch a cache line per cell.
class TPlaneRows {
 public:
  TPlaneRows(const TPlane& plane, int first, int last) : FPlane(&plane), FFirst(first), FLast(last) {}

  // Index 0 is cell `first`.
  const std::uint8_t* Row(int y) {
    if (y < FTop || y >= FTop + Block) Load(y - y % Block);
    return FRows[y - FTop].data();
  }

 private:
  static constexpr int Block = 16;
  void Load(int top) {
    FTop = top;
    const int count = std::min(Block, MaxSide - top);
    int x = FFirst;
    // Eight columns by eight rows at a time (MaxSide is a multiple of Block, and Block of 8).
    if (count == Block)
      for (; x + 8 <= FLast + 1; x += 8)
        for (int r = 0; r < Block; r += 8)
          TransposeBlock8((*FPlane)[x].data() + top + r, MaxSide, FRows[r].data() + (x - FFirst), MaxSide);
    for (; x <= FLast; ++x) {
      const std::uint8_t* column = (*FPlane)[x].data() + top;
      for (int r = 0; r < count; ++r) FRows[r][x - FFirst] = column[r];
    }
  }

  const TPlane* FPlane;
  int FFirst;
  int FLast;
  int FTop = -Block;
  std::array<std::array<std::uint8_t, MaxSide>, Block> FRows{};
};

// Writes whole cells: z - 1 pixels in the cell's colour, then the black gap pixel. At the
// menu's zoom levels four neighbouring cells are one copy from a table of their sixteen
// patterns, prepared once per paint; a small cell would otherwise cost a copy of a few bytes.
class TCellWriter {
 public:
  explicit TCellWriter(const TCanvasView& view) : FView(view) {
    const int z = view.Zoom;
    if (!IsZoomLevel(z)) return;
    FGroups.resize(std::size_t(16 * 4 * z));
    for (int pattern = 0; pattern < 16; ++pattern)
      for (int k = 0; k < 4; ++k) {
        QRgb* cell = FGroups.data() + (pattern * 4 + k) * z;
        std::fill(cell, cell + z - 1, (pattern >> k) & 1 ? view.ColorOn : view.ColorOff);
        cell[z - 1] = CanvasBackground;
      }
  }

  void Write(const std::uint8_t* cells, int count, QRgb* out) const {
    switch (FView.Zoom) {
      case 3: return Write<3>(cells, count, out);
      case 6: return Write<6>(cells, count, out);
      case 12: return Write<12>(cells, count, out);
      case 24: return Write<24>(cells, count, out);
      case 48: return Write<48>(cells, count, out);
      case 96: return Write<96>(cells, count, out);
      default: {
        const int z = FView.Zoom;
        for (int i = 0; i < count; ++i, out += z) {
          std::fill(out, out + z - 1, cells[i] ? FView.ColorOn : FView.ColorOff);
          out[z - 1] = CanvasBackground;
        }
      }
    }
  }

 private:
  template <int Z>
  void Write(const std::uint8_t* cells, int count, QRgb* out) const {
    const QRgb* groups = FGroups.data();
    int i = 0;
    for (; i + 4 <= count; i += 4, out += 4 * Z) {
      const int pattern = (cells[i] != 0) | (cells[i + 1] != 0) << 1 | (cells[i + 2] != 0) << 2 | (cells[i + 3] != 0) << 3;
      std::memcpy(out, groups + pattern * 4 * Z, sizeof(QRgb) * 4 * Z);
    }
    // Pattern 0 starts with a clear cell and pattern 1 with a set one.
    for (; i < count; ++i, out += Z) std::memcpy(out, groups + (cells[i] != 0) * 4 * Z, sizeof(QRgb) * Z);
  }

  const TCanvasView& FView;
  std::vector<QRgb> FGroups;  // pattern p: cell k set when bit k of p is
};

// The canvas as image rows: canvas row area.top() is row 0 of the image.
class TRowWriter {
 public:
  TRowWriter(const QRect& area, QImage& image)
      : FArea(area), FBits(image.bits()), FBytesPerLine(image.bytesPerLine()), FBlack(area.width(), CanvasBackground) {}
  QRgb* Line(int canvasY) const { return reinterpret_cast<QRgb*>(FBits + (canvasY - FArea.top()) * FBytesPerLine); }
  // Canvas columns from .. to - 1 of a row become black.
  void Blank(int canvasY, int from, int to) const {
    if (from < to)
      std::memcpy(Line(canvasY) + (from - FArea.left()), FBlack.data(), std::size_t(to - from) * sizeof(QRgb));
  }

 private:
  QRect FArea;
  uchar* FBits;
  qsizetype FBytesPerLine;
  std::vector<QRgb> FBlack;
};

// The cells of one pane that reach into the area, as whole cells from SpanLeft to SpanRight.
struct TPaneSpan {
  int First = 0;
  int Last = -1;
  int SpanLeft = 0;
  int SpanRight = 0;  // exclusive
  TPlaneRows Rows;
};

std::optional<TPaneSpan> PaneSpan(const TCanvasView& view, bool mask, const QRect& area) {
  const int z = view.Zoom;
  const int paneLeft = mask ? view.PaneStride * z : 0;
  const int first = std::max(0, FloorDiv(area.left() - paneLeft, z));
  const int last = std::min(view.Width - 1, FloorDiv(area.right() - paneLeft, z));
  if (first > last) return std::nullopt;
  return TPaneSpan{first, last, paneLeft + first * z, paneLeft + (last + 1) * z,
                   TPlaneRows(view.Store->Plane(view.Frame, mask), first, last)};
}

// Image columns of the vertical grid lines: the gap column right of every GridX-th cell
// column of each pane.
std::vector<int> GridColumns(const TCanvasView& view, const QRect& area) {
  std::vector<int> columns;
  if (!view.Grid || view.GridX <= 0) return columns;
  const int z = view.Zoom;
  for (int c = view.GridX; c < view.Width; c += view.GridX)
    for (int p = 0; p < (view.Masked ? 2 : 1); ++p) {
      const int x = p * view.PaneStride * z + c * z - 1;
      if (x >= area.left() && x <= area.right()) columns.push_back(x - area.left());
    }
  return columns;
}

// The onion skin on the first canvas line of a cell row, before it is copied to the rest of
// the cell row: each cell clear in the frame but set in the frame before it gets its filled
// part in the dim colour. `before` holds the previous frame's rows of each pane.
void PatchOnionLine(const TCanvasView& view, const QRect& area, std::optional<TPaneSpan> (&panes)[2],
                    std::optional<TPlaneRows> (&before)[2], int cellRow, QRgb* line) {
  const int z = view.Zoom;
  for (int p = 0; p < 2; ++p) {
    if (!panes[p] || !before[p]) continue;
    const std::uint8_t* now = panes[p]->Rows.Row(cellRow);
    const std::uint8_t* then = before[p]->Row(cellRow);
    const int count = panes[p]->Last - panes[p]->First + 1;
    for (int i = 0; i < count; ++i) {
      if (now[i] || !then[i]) continue;
      const int cellLeft = panes[p]->SpanLeft + i * z;
      const int from = std::max(cellLeft, area.left());
      const int to = std::min(cellLeft + z - 1, area.right() + 1);
      if (from < to) std::fill(line + (from - area.left()), line + (to - area.left()), view.ColorOnion);
    }
  }
}

// Cells, gaps and the vertical grid lines. A line drawn on a row that starts a cell row is
// copied along with it to the rest of the cell row.
void RenderCells(const TCanvasView& view, const QRect& area, const TRowWriter& rows) {
  const int z = view.Zoom;
  const std::vector<int> gridColumns = GridColumns(view, area);
  auto drawGridColumns = [&](QRgb* line) {
    for (int x : gridColumns) line[x] = GridColor;
  };
  const int left = area.left();
  const int right = area.right() + 1;
  const std::size_t bytesPerLine = std::size_t(area.width()) * sizeof(QRgb);
  std::optional<TPaneSpan> panes[2] = {PaneSpan(view, false, area),
                                       view.Masked ? PaneSpan(view, true, area) : std::nullopt};
  std::optional<TPlaneRows> onion[2];  // the frame before, with the onion skin on
  for (int p = 0; p < 2; ++p)
    if (view.OnionSkin && view.Frame > 0 && panes[p])
      onion[p].emplace(view.Store->Plane(view.Frame - 1, p == 1), panes[p]->First, panes[p]->Last);
  std::vector<QRgb> scratch;
  const TCellWriter cellWriter(view);
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const int cellRow = FloorDiv(y, z);
    if (cellRow < 0 || cellRow >= view.Height || y % z == z - 1) {  // margin or gap row
      rows.Blank(y, left, right);
      if (cellRow >= 0 && cellRow < view.Height) drawGridColumns(rows.Line(y));
      continue;
    }
    QRgb* line = rows.Line(y);
    if (y > area.top() && y % z != 0) {  // the same cells as the line above
      std::memcpy(line, rows.Line(y - 1), bytesPerLine);
      continue;
    }
    int blankFrom = left;
    for (std::optional<TPaneSpan>& pane : panes) {
      if (!pane) continue;
      const std::uint8_t* cells = pane->Rows.Row(cellRow);
      const int count = pane->Last - pane->First + 1;
      const int from = std::max(pane->SpanLeft, left);
      const int to = std::min(pane->SpanRight, right);
      rows.Blank(y, blankFrom, from);
      if (from == pane->SpanLeft && to == pane->SpanRight) {
        cellWriter.Write(cells, count, line + (from - left));
      } else {  // cut by the area's edge
        scratch.resize(std::size_t(pane->SpanRight - pane->SpanLeft));
        cellWriter.Write(cells, count, scratch.data());
        std::copy(scratch.data() + (from - pane->SpanLeft), scratch.data() + (to - pane->SpanLeft),
                  line + (from - left));
      }
      blankFrom = to;
    }
    rows.Blank(y, blankFrom, right);
    if (view.OnionSkin) PatchOnionLine(view, area, panes, onion, cellRow, line);
    drawGridColumns(line);
  }
}

// The horizontal grid lines: on the gap row below every GridY-th cell row, across the sprite
// area of each pane; none along the outer edges.
void RenderGridRows(const TCanvasView& view, const QRect& area, const TRowWriter& rows) {
  if (view.GridY <= 0) return;
  const int z = view.Zoom;
  for (int r = view.GridY; r < view.Height; r += view.GridY) {
    const int y = r * z - 1;
    if (y < area.top() || y > area.bottom()) continue;
    for (int p = 0; p < (view.Masked ? 2 : 1); ++p) {
      const int paneLeft = p * view.PaneStride * z;
      const int from = std::max(paneLeft, area.left());
      const int to = std::min(paneLeft + view.Width * z, area.right() + 1);
      if (from < to) std::fill(rows.Line(y) + (from - area.left()), rows.Line(y) + (to - area.left()), GridColor);
    }
  }
}

// A shape being dragged: its cells inside the sprite area in the value they will get, over
// whatever the plane holds there.
void RenderShapeOverlay(const TCanvasView& view, const QRect& area, const TRowWriter& rows) {
  const TShapeOverlay& overlay = *view.Overlay;
  if (overlay.Mask && !view.Masked) return;
  const QRgb color = overlay.Value ? view.ColorOn : view.ColorOff;
  for (const TCell& c : overlay.Cells) {
    if (c.X < 0 || c.X >= view.Width || c.Y < 0 || c.Y >= view.Height) continue;
    const QRect r = CellRect(view, overlay.Mask, c.X, c.Y).intersected(area);
    if (r.isEmpty()) continue;
    for (int y = r.top(); y <= r.bottom(); ++y) {
      QRgb* line = rows.Line(y) + (r.left() - area.left());
      std::fill(line, line + r.width(), color);
    }
  }
}

}  // namespace

void RenderCanvasInto(const TCanvasView& view, const QRect& area, QImage& image) {
  Q_ASSERT((image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32_Premultiplied) &&
           image.width() >= area.width() && image.height() >= area.height());
  if (area.isEmpty()) return;
  if (view.Store == nullptr || view.Zoom < 1 || view.Width < 1 || view.Height < 1 || !ValidFrame(view.Frame)) {
    for (int iy = 0; iy < area.height(); ++iy) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(iy));
      std::fill(line, line + area.width(), CanvasBackground);
    }
    return;
  }
  const TRowWriter rows(area, image);
  RenderCells(view, area, rows);
  if (view.Grid) RenderGridRows(view, area, rows);
  if (view.Overlay != nullptr) RenderShapeOverlay(view, area, rows);
}

QImage RenderCanvas(const TCanvasView& view, const QRect& area) {
  QImage image(area.size(), QImage::Format_RGB32);
  RenderCanvasInto(view, area, image);
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

// Every canvas pixel is opaque, so it has the same bits in both 32-bit formats. Rendering in
// the format of the surface painted on makes drawing the image a plain copy.
static QImage::Format ScratchFormat(QPainter& painter) {
  const QPaintDevice* device = painter.paintEngine() ? painter.paintEngine()->paintDevice() : nullptr;
  if (device != nullptr && device->devType() == QInternal::Image &&
      static_cast<const QImage*>(device)->format() == QImage::Format_ARGB32_Premultiplied)
    return QImage::Format_ARGB32_Premultiplied;
  return QImage::Format_RGB32;
}

void TPaintBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  const QImage::Format format = ScratchFormat(painter);
  const TCanvasView view = ViewSource ? ViewSource() : TCanvasView{};
  for (const QRect& r : event->region()) {
    const QRect area = r.intersected(rect());
    if (area.isEmpty()) continue;
    // The scratch image grows to the largest exposed rectangle, at most the visible part.
    if (FScratch.format() != format || FScratch.width() < area.width() || FScratch.height() < area.height())
      FScratch = QImage(std::max(FScratch.width(), area.width()), std::max(FScratch.height(), area.height()), format);
    RenderCanvasInto(view, area, FScratch);
    // Target and source rectangles of one size: drawn as a plain copy. The point-and-source
    // overload copies the source part into a temporary image first.
    painter.drawImage(area, FScratch, QRect(QPoint(0, 0), area.size()));
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
