// Ctrl + wheel over the canvas: one zoom level a notch of 120 units, smaller deltas added up
// until they make one; away from the user zooms in. The View item of the new level gets the
// check, and the canvas scrolls so that the point under the pointer stays there, as far as
// the scroll range allows.

#include <QAction>
#include <QActionGroup>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "canvas/canvas.h"
#include "canvas/zoom_levels.h"
#include "window/sprite_editor.h"

namespace {

constexpr int WheelNotch = 120;

}  // namespace

bool TSpriteEditor::CanvasWheelZoom(int WheelDelta, const QPoint& at) {
  if (WheelDelta == 0) return false;
  if ((FWheelZoomDelta < 0) != (WheelDelta < 0)) FWheelZoomDelta = 0;  // turned the other way: start afresh
  FWheelZoomDelta += WheelDelta;
  const int notches = FWheelZoomDelta / WheelNotch;
  if (notches == 0) return true;
  FWheelZoomDelta -= notches * WheelNotch;
  const int level = int(std::lower_bound(ZoomLevels.begin(), ZoomLevels.end(), FZoom) - ZoomLevels.begin());
  const int zoom = ZoomLevels[std::clamp(level + notches, 0, int(ZoomLevels.size()) - 1)];
  if (zoom == FZoom) {
    FWheelZoomDelta = 0;  // at the end of the range nothing is saved up for later
    return true;
  }
  QAction* item = nullptr;
  for (QAction* a : ViewGroup->actions())
    if (TagOf(a) == zoom) item = a;
  if (item == nullptr) return true;

  // Canvas pixels grow in proportion to the zoom, both panes and every row alike.
  QScrollBar* horizontal = ScrollBox->horizontalScrollBar();
  QScrollBar* vertical = ScrollBox->verticalScrollBar();
  const QPointF origin = PaintBox->pos();
  const QPointF pointed = QPointF(at) + QPointF(horizontal->value(), vertical->value()) - origin;
  const QPointF target = origin + pointed * (double(zoom) / FZoom) - QPointF(at);
  item->setChecked(true);
  MiViewClick(item);
  horizontal->setValue(int(std::lround(target.x())));
  vertical->setValue(int(std::lround(target.y())));
  return true;
}
