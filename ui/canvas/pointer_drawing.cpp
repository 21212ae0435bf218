// Drawing with the mouse on the canvas, and the position read-out below the settings.

#include <QCheckBox>
#include <QLabel>

#include "history/stroke_step.h"
#include "window/sprite_editor.h"

namespace {

// The cell of a canvas coordinate. Positions left of or above the canvas, which arrive
// while a button holds the mouse, lie in no cell rather than in cell 0.
int CellOf(int coordinate, int zoom) { return coordinate >= 0 ? coordinate / zoom : -1; }

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

// Sets or clears one cell of the plane under the pointer and queues its repaint. The cells of
// one stroke join into one step of the history.
void TSpriteEditor::DrawCell(int x, int y) {
  Execute(MakeStrokeStep(FStrokeNumber, FCurrentFrame, FOnMask, x, y, FErasing ? 0 : 1));
  FRedrawQueue.push_back(FOnMask ? rtMaskCell : rtSpriteCell);
  FRedrawQueue.push_back(x);
  FRedrawQueue.push_back(y);
}

void TSpriteEditor::PaintBoxMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers, int X, int Y) {
  if (!IsDrawingButton(Button)) return;
  FDrawing = false;
  FErasing = Button == Qt::RightButton;
  X = PaneHitTest(X);
  FLastX = CellOf(X, FZoom);
  FLastY = CellOf(Y, FZoom);
  if (!UpdatePosition(FOnMask, FLastX, FLastY)) return;  // outside the sprite area: no stroke
  ++FStrokeNumber;
  DrawCell(FLastX, FLastY);
  FDrawing = true;
}

void TSpriteEditor::PaintBoxMouseMove(Qt::KeyboardModifiers, int X, int Y) {
  X = PaneHitTest(X);
  const int cx = CellOf(X, FZoom);
  const int cy = CellOf(Y, FZoom);
  if (!UpdatePosition(FOnMask, cx, cy) || !FDrawing) return;
  if (cx == FLastX && cy == FLastY) return;  // still in the cell drawn last
  FLastX = cx;
  FLastY = cy;
  DrawCell(cx, cy);
}

void TSpriteEditor::PaintBoxMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int) { FDrawing = false; }

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
