#pragma once
// A change of the settings the project file keeps (byte mode, order, masking, arrangement,
// attribute bits, width, height, frame count), with what follows from it (a width brought
// to the new byte mode, a current frame moved down to a lower frame count). No pixel changes.
// Unless the step moved the current frame, undo and redo keep the frame that is shown.

#include <memory>
#include <string>

#include "history/edit_step.h"

std::unique_ptr<TEditStep> MakeSettingsStep(std::string text, const TDocumentSettings& before,
                                            const TDocumentSettings& after);
