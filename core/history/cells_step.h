#pragma once
// A line or rectangle of the drawing tools as one history step: a set of cells of one plane
// written with one value.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editing/shapes.h"
#include "history/edit_step.h"

// `value` 1 sets the cells, 0 clears them. The cells lie in the store's 240 x 240 plane.
std::unique_ptr<TEditStep> MakeCellsStep(std::string text, int frame, bool mask, std::vector<TCell> cells,
                                         std::uint8_t value);

// True when writing `value` to the cells would change at least one pixel.
bool CellsWouldChange(const TPlane& plane, const std::vector<TCell>& cells, std::uint8_t value);
