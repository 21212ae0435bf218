// Draining the redraw queue when the event loop is about to wait: each request becomes an
// invalidated rectangle of the paint box, which then paints it from the store.

#include "canvas/canvas.h"
#include "preview/preview_dock.h"
#include "window/sprite_editor.h"

void TSpriteEditor::ApplicationEventsIdle() { ProcessRedrawQueue(); }

void TSpriteEditor::ProcessRedrawQueue() {
  if (!FRedrawQueue.empty() && DockPreview != nullptr) DockPreview->Refresh();  // whatever changed, it shows too
  while (!FRedrawQueue.empty()) {
    const std::int32_t token = FRedrawQueue.front();
    if (token == rtSpriteCell || token == rtMaskCell) {
      if (FRedrawQueue.size() < 3) return;  // its coordinates are not queued yet
      FRedrawQueue.pop_front();
      const int x = FRedrawQueue.front();
      FRedrawQueue.pop_front();
      const int y = FRedrawQueue.front();
      FRedrawQueue.pop_front();
      PaintBox->InvalidateCell(token == rtMaskCell, x, y);
    } else {
      FRedrawQueue.pop_front();
      if (token == rtFull) PaintBox->update();  // anything else is no request and is dropped
    }
  }
}
