// Drawing with the mouse on the canvas with the tool of the tool bar, and the position
// read-out below the settings.

#include <QCheckBox>
#include <QLabel>

#include "editing/shapes.h"
#include "history/stroke_step.h"
#include "window/sprite_editor.h"

namespace {

// The cell of a canvas coordinate. Positions left of or above the canvas, which arrive
// while a button holds the mouse, lie in no cell rather than in cell 0.
int CellOf(int coordinate, int zoom) { return coordinate >= 0 ? coordinate / zoom : -1; }

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

bool IsDrawingButton(Qt::MouseButton button) {
  return button == Qt::LeftButton || button == Qt::RightButton || button == Qt::MiddleButton;
}

}  // namespace

// Decides the pane under X and returns X measured from that pane's left edge.
int TSpriteEditor::PaneHitTest(int X) {
  if (!CheckBoxMasked->isChecked()) return X;
  const int maskLeft = FPaneStride * FZoom;
  FOnMask = X >= maskLeft;
  return FOnMask ? X - maskLeft : X;
}

// Sets or clears one cell of the plane the stroke started in and queues its repaint. The
// cells of one stroke join into one step of the history.
void TSpriteEditor::DrawCell(int x, int y) {
  Execute(MakeStrokeStep(FStrokeNumber, FCurrentFrame, FStrokeOnMask, x, y, FErasing ? 0 : 1));
  FRedrawQueue.push_back(FStrokeOnMask ? rtMaskCell : rtSpriteCell);
  FRedrawQueue.push_back(x);
  FRedrawQueue.push_back(y);
}

// The cells inside the sprite area, with their mirror images.
void TSpriteEditor::DrawStrokeCells(const std::vector<TCell>& cells) {
  for (const TCell& c : ClippedMirrored(cells, FMirror, FWidth, FHeight)) DrawCell(c.X, c.Y);
}

// The cell under a paint-box position in the pane the stroke started in, wherever the pointer
// is: left of that pane or above the canvas the cell numbers are negative.
TCell TSpriteEditor::StrokeCell(int X, int Y) const {
  const int left = FStrokeOnMask ? FPaneStride * FZoom : 0;
  return {FloorDiv(X - left, FZoom), FloorDiv(Y, FZoom)};
}

// A press during a shape cancels it and starts nothing. Otherwise a press inside the sprite
// area starts a stroke or a shape in that pane, or fills from that cell.
void TSpriteEditor::PaintBoxMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers, int X, int Y) {
  if (!IsDrawingButton(Button)) return;
  if (FShaping) {
    CancelShape();
    return;
  }
  FDrawing = false;
  FErasing = Button == Qt::RightButton;
  X = PaneHitTest(X);
  FLastX = CellOf(X, FZoom);
  FLastY = CellOf(Y, FZoom);
  if (!UpdatePosition(FOnMask, FLastX, FLastY)) return;  // outside the sprite area: no stroke
  FStrokeOnMask = FOnMask;
  const TCell cell{FLastX, FLastY};
  switch (FTool) {
    case dtPencil:
      ++FStrokeNumber;
      DrawStrokeCells({cell});
      FDrawing = true;
      break;
    case dtFill:
      FillAt(cell);
      break;
    case dtLine:
    case dtRectangle:
    case dtFilledRectangle:
      StartShape(cell);
      break;
  }
}

// A stroke sets or clears every cell on the line from the cell drawn last to the one under
// the pointer, so that a quick stroke has no gaps; cells outside the sprite area of its pane
// are left out, and the line goes on from there at the next move.
void TSpriteEditor::PaintBoxMouseMove(Qt::KeyboardModifiers, int X, int Y) {
  const TCell pointer = StrokeCell(X, Y);
  X = PaneHitTest(X);
  UpdatePosition(FOnMask, CellOf(X, FZoom), CellOf(Y, FZoom));
  if (FShaping) {
    MoveShape(pointer);
    return;
  }
  if (!FDrawing) return;
  if (pointer.X == FLastX && pointer.Y == FLastY) return;  // still in the cell drawn last
  std::vector<TCell> line = LineCells({FLastX, FLastY}, pointer);
  line.erase(line.begin());  // drawn already
  FLastX = pointer.X;
  FLastY = pointer.Y;
  DrawStrokeCells(line);
}

// The release of any button ends the stroke, or writes the shape being dragged with its far
// end where the button went up.
void TSpriteEditor::PaintBoxMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y) {
  FDrawing = false;
  if (!FShaping) return;
  MoveShape(StrokeCell(X, Y));
  CommitShape();
}

// Leaving the paint box ends a stroke. A shape stays at its last cell and follows the pointer
// again when it comes back with the button still held; the release writes it.
void TSpriteEditor::PaintBoxMouseLeave() {
  UpdatePosition(false, -1, -1);
  FOnMask = false;
  FDrawing = false;
}

// Rewrites only the read-out labels whose value changes.
bool TSpriteEditor::UpdatePosition(bool onMask, int x, int y) {
  InspectCell(onMask, x, y);
  if (onMask != FShownOnMask) {
    LblPos->setText(onMask ? tr("Mask:") : tr("Data:"));
    FShownOnMask = onMask;
  }
  const bool inside = x >= 0 && x < FWidth && y >= 0 && y < FHeight;
  const int shownX = inside ? x : -1;
  const int shownY = inside ? y : -1;
  if (shownX != FShownX) {
    LblPosX->setText(inside ? QStringLiteral("X=%1").arg(x) : QStringLiteral("X="));
    FShownX = shownX;
  }
  if (shownY != FShownY) {
    LblPosY->setText(inside ? QStringLiteral("Y=%1").arg(y) : QStringLiteral("Y="));
    FShownY = shownY;
  }
  return inside;
}
