#pragma once
// The canvas: the current frame enlarged, the sprite pane on the left and, for a masked
// sprite, the mask pane to its right. A cell is z x z screen pixels of which the top-left
// (z-1) x (z-1) are filled; its last column and row stay black and carry the grid lines.
// Rendering reads the store when it runs; nothing of the canvas is kept between paints.

#include <QImage>
#include <QRect>
#include <QWidget>
#include <functional>

#include "canvas/shape_overlay.h"
#include "document/sprite_store.h"

// What the canvas shows, read from the editor at paint time.
struct TCanvasView {
  const TSpriteStore* Store = nullptr;
  int Frame = 0;
  int Width = 12;   // sprite area, in cells
  int Height = 24;
  int Zoom = 12;    // screen pixels per cell
  int PaneStride = 13;  // cells from the sprite pane's left edge to the mask pane's
  bool Masked = true;
  bool Grid = false;
  int GridX = 6;
  int GridY = 6;
  QRgb ColorOff = 0xFF444444;
  QRgb ColorOn = 0xFFFFFFFF;
  const TShapeOverlay* Overlay = nullptr;  // a shape being dragged, drawn over the cells
  // Onion skin: a cell clear in this frame but set in the frame before it is drawn dimmed,
  // in each pane from that pane's plane. Frame 0 has no frame before it.
  bool OnionSkin = false;
  QRgb ColorOnion = 0xFF8C8C8C;
};

inline constexpr QRgb CanvasBackground = 0xFF000000;
inline constexpr QRgb GridColor = 0xFF00FF00;

// (2 if masked, else 1) x PaneStride x Zoom wide, Height x Zoom + 8 high.
QSize CanvasSize(const TCanvasView& view);

// The filled part of cell (x, y) of a pane, in canvas pixels.
QRect CellRect(const TCanvasView& view, bool mask, int x, int y);

// Canvas pixels of `area` (canvas coordinates): black background, the cells of the sprite
// area of both panes, then the grid lines. RenderCanvasInto writes them to the top-left
// area.size() pixels of `image` (Format_RGB32 or Format_ARGB32_Premultiplied, at least that
// large), so that a caller can reuse one image; RenderCanvas returns an RGB32 image of
// area's size.
void RenderCanvasInto(const TCanvasView& view, const QRect& area, QImage& image);
QImage RenderCanvas(const TCanvasView& view, const QRect& area);

// The paint box: paints the exposed part of the canvas and reports the mouse in canvas
// pixels. A move outside it while a button holds the mouse counts as leaving it.
class TPaintBox : public QWidget {
  Q_OBJECT

 public:
  explicit TPaintBox(QWidget* parent = nullptr);

  std::function<TCanvasView()> ViewSource;

  void InvalidateCell(bool mask, int x, int y);

 signals:
  void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void MouseMove(Qt::KeyboardModifiers shift, int x, int y);
  void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void MouseLeave();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QImage FScratch;
};
