// The line and rectangle tools, dragged from the press to the release and shown over the
// canvas meanwhile, and the fill tool, done at the press. Each is one step of the history.

#include <QAction>
#include <QCheckBox>
#include <algorithm>

#include "history/cells_step.h"
#include "history/fill_step.h"
#include "window/sprite_editor.h"

namespace {

// More changed cells than this repaint the whole canvas rather than cell by cell.
constexpr std::size_t MostCellsRepainted = 2048;

const char* ShapeText(TDrawTool tool) {
  switch (tool) {
    case dtLine: return "Line";
    case dtRectangle: return "Rectangle";
    case dtFilledRectangle: return "Filled rectangle";
    default: return "";
  }
}

}  // namespace

void TSpriteEditor::StartShape(TCell cell) {
  FShaping = true;
  FShapeStart = FShapeEnd = cell;
  TbCancelShape->setEnabled(true);
  ShowShape({FStrokeOnMask, std::uint8_t(FErasing ? 0 : 1), ShapeCells()});
}

// The far corner or end follows the pointer, kept inside the sprite area of the shape's pane.
void TSpriteEditor::MoveShape(TCell pointer) {
  const TCell end{std::clamp(pointer.X, 0, FWidth - 1), std::clamp(pointer.Y, 0, FHeight - 1)};
  if (end == FShapeEnd) return;
  FShapeEnd = end;
  ShowShape({FStrokeOnMask, FShapeOverlay.Value, ShapeCells()});
}

std::vector<TCell> TSpriteEditor::ShapeCells() const {
  const std::vector<TCell> cells = FTool == dtLine ? LineCells(FShapeStart, FShapeEnd)
                                                   : RectangleCells(FShapeStart, FShapeEnd,
                                                                    FTool == dtFilledRectangle ? rkFilled : rkOutline);
  return ClippedMirrored(cells, FMirror, FWidth, FHeight);
}

// Shows `next` instead of the shape shown now, repainting the cells that change.
void TSpriteEditor::ShowShape(TShapeOverlay next) {
  std::vector<TCell> gone, added;  // in the pane of the shape now, and of the next one
  const TShapeOverlay& now = FShapeOverlay;
  if (now.Mask != next.Mask || now.Value != next.Value) {
    gone = now.Cells;
    added = next.Cells;
  } else {
    std::vector<std::uint8_t> mark(std::size_t(PlanePixels), 0);  // 1 shown now, 2 in both
    for (const TCell& c : now.Cells) mark[std::size_t(c.X * MaxSide + c.Y)] = 1;
    for (const TCell& c : next.Cells) {
      std::uint8_t& m = mark[std::size_t(c.X * MaxSide + c.Y)];
      if (m == 0) added.push_back(c);
      m = 2;
    }
    for (const TCell& c : now.Cells)
      if (mark[std::size_t(c.X * MaxSide + c.Y)] == 1) gone.push_back(c);
  }
  const bool goneMask = now.Mask;
  FShapeOverlay = std::move(next);
  if (gone.size() + added.size() > MostCellsRepainted) {
    FRedrawQueue.push_back(rtFull);
    return;
  }
  auto queue = [this](const std::vector<TCell>& cells, bool mask) {
    for (const TCell& c : cells) {
      FRedrawQueue.push_back(mask ? rtMaskCell : rtSpriteCell);
      FRedrawQueue.push_back(c.X);
      FRedrawQueue.push_back(c.Y);
    }
  };
  queue(gone, goneMask);
  queue(added, FShapeOverlay.Mask);
}

// Writes the shape as shown, cut to the sprite area as it is now, as one step; a shape that
// changes no pixel is no step.
void TSpriteEditor::CommitShape() {
  std::vector<TCell> cells = FShapeOverlay.Cells;
  const bool mask = FShapeOverlay.Mask;
  const std::uint8_t value = FShapeOverlay.Value;
  CancelShape();
  if (mask && !CheckBoxMasked->isChecked()) return;  // its pane has gone meanwhile
  std::erase_if(cells, [this](const TCell& c) { return c.X >= FWidth || c.Y >= FHeight; });
  if (!CellsWouldChange(FStore.Plane(FCurrentFrame, mask), cells, value)) return;
  Execute(MakeCellsStep(ShapeText(FTool), FCurrentFrame, mask, std::move(cells), value));
}

void TSpriteEditor::EndPointerDrawing() {
  FDrawing = false;
  CancelShape();
}

void TSpriteEditor::CancelShape() {
  if (!FShaping) return;
  FShaping = false;
  TbCancelShape->setEnabled(false);
  ShowShape({FShapeOverlay.Mask, FShapeOverlay.Value, {}});
}

// Fills from the cell and from each of its mirror images in turn, as one step. A mirror image
// whose pixel differs from the clicked one's is left out: it lies in another kind of region,
// which the click itself would not fill either.
void TSpriteEditor::FillAt(TCell seed) {
  const std::uint8_t value = FErasing ? 0 : 1;
  const TPlane& plane = FStore.Plane(FCurrentFrame, FStrokeOnMask);
  std::vector<TCell> seeds = MirroredCells(seed, FMirror, FWidth, FHeight);
  std::erase_if(seeds, [&](const TCell& c) { return plane[c.X][c.Y] != plane[seed.X][seed.Y]; });
  if (!FillWouldChange(plane, FWidth, FHeight, seeds, value)) return;
  Execute(MakeFillStep(FCurrentFrame, FStrokeOnMask, FWidth, FHeight, std::move(seeds), value));
  FRedrawQueue.push_back(rtFull);
}
