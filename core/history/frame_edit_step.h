#pragma once
// The frame commands as history steps: a clear frame inserted after the current one, the
// current frame duplicated, the current frame deleted, and a frame picture pasted over the
// current frame. Each changes the frame count and the current frame as the command does and
// gives both back exactly on undo; each keeps only the frame it overwrites (the store's last
// frame, which an inserted frame pushes out; the deleted one; the one pasted over).

#include <memory>
#include <string>

#include "history/edit_step.h"
#include "history/frame_snapshot.h"

enum class TFrameCommand {
  Insert,     // a clear frame after the current one, which becomes current
  Duplicate,  // a copy of the current frame after it, which becomes current
  Delete,     // the current frame; the same index (or the new last frame) becomes current
};

// "Insert frame", "Duplicate frame", "Delete frame".
std::string FrameStepText(TFrameCommand command);

// True when the command can be done at the document's frame count: an insert or duplicate
// below 128 frames, a delete above 1.
bool FrameCommandAllowed(const TDocumentSettings& settings, TFrameCommand command);

// A step for the current frame of `document`; null when the command is not allowed.
std::unique_ptr<TEditStep> MakeFrameEditStep(const TSpriteDocument& document, TFrameCommand command);

// Paste frame: both planes of the current frame replaced by `picture`, which the step keeps,
// so that redo pastes the same whatever the frame buffer holds by then.
std::unique_ptr<TEditStep> MakeFramePasteStep(const TSpriteDocument& document, TFrameSnapshot picture);
