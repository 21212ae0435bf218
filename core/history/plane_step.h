#pragma once
// The whole-plane commands of the Edit menu as history steps, on one plane of one frame:
// paste, merge, clear, invert, the standard mask, shift, flip, rotate and the clipboard paste.
// Undo shows the frame the step changed.

#include <memory>
#include <optional>

#include "exchange/clipboard_text.h"
#include "history/edit_step.h"
#include "history/plane_snapshot.h"

enum class TPlaneCommand {
  Paste,          // the copy buffer as it was when the step was done
  Merge,          // likewise
  Clear,
  Invert,
  StandardMask,   // always on the mask plane
  ShiftUp,
  ShiftLeft,
  ShiftRight,
  ShiftDown,
  FlipHorizontal,  // top and bottom exchanged
  FlipVertical,    // left and right exchanged
  Rotate90,
  Rotate180,
  ClipboardPaste,  // an accepted clipboard block
};

// The step's name in the Edit menu: "Invert sprite", "Shift mask left", "Rotate sprite 90°".
std::string PlaneStepText(TPlaneCommand command, bool mask);

// A step for the current frame of `document`, with the sprite size it has now. A clipboard
// paste takes the block it writes.
std::unique_ptr<TEditStep> MakePlaneStep(const TSpriteDocument& document, TPlaneCommand command, bool mask,
                                         std::optional<TClipboardPlane> block = std::nullopt);
