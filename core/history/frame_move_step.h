#pragma once
// Moving the current frame's picture to a neighbouring frame: both planes of the two frames
// exchanged. The exchange is its own inverse, so the step keeps nothing but the two frames.

#include <memory>

#include "history/edit_step.h"

// `from` is the current frame; `to` = from - 1 or from + 1, and the current frame follows
// the picture there. Undo moves it back and shows `from` again.
std::unique_ptr<TEditStep> MakeFrameMoveStep(int from, int to);
