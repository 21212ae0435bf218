#pragma once
// A flood fill of the drawing tools as one history step: the fills from one or more seed
// cells (the cell clicked and its mirror images) on one plane, one after the other.

#include <cstdint>
#include <memory>
#include <vector>

#include "editing/shapes.h"
#include "history/edit_step.h"

std::unique_ptr<TEditStep> MakeFillStep(int frame, bool mask, int width, int height, std::vector<TCell> seeds,
                                        std::uint8_t value);

// True when the fills would change at least one pixel: when some seed inside the area does
// not hold `value` yet.
bool FillWouldChange(const TPlane& plane, int width, int height, const std::vector<TCell>& seeds, std::uint8_t value);
