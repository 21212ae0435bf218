#pragma once
// Shift, Flip and Rotate of the sprite and the mask of the current frame together, as one
// history step: exactly the sprite command followed by the mask command.

#include <memory>
#include <string>

#include "history/plane_step.h"

// True for the commands that have a sprite-and-mask form: the four shifts, the two flips and
// the two rotations.
bool HasBothPlanesForm(TPlaneCommand command);

// "Shift sprite and mask up", "Flip sprite and mask horizontal", "Rotate sprite and mask 90°".
std::string BothPlanesStepText(TPlaneCommand command);

// A step for the current frame of `document`; null for a command without a sprite-and-mask form.
std::unique_ptr<TEditStep> MakeBothPlanesStep(const TSpriteDocument& document, TPlaneCommand command);
