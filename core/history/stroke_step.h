#pragma once
// A pointer stroke from press to release as one history step. The window pushes one step for
// each cell the stroke reaches; the stroke's first step takes in the ones after it.

#include <cstdint>
#include <memory>

#include "history/edit_step.h"

// One cell of a stroke: `value` 1 draws, 0 erases. Steps with the same `stroke` number on the
// same frame belong to one stroke.
std::unique_ptr<TEditStep> MakeStrokeStep(int stroke, int frame, bool mask, int x, int y, std::uint8_t value);
