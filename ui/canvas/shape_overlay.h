#pragma once
// A line or rectangle being dragged with a drawing tool: the cells the canvas shows in the
// value they will get, over the plane's own pixels, while the document stays as it is.

#include <cstdint>
#include <vector>

#include "editing/shapes.h"

struct TShapeOverlay {
  bool Mask = false;       // the pane it lies in
  std::uint8_t Value = 1;  // 1 shown set, 0 shown clear
  std::vector<TCell> Cells;
};
