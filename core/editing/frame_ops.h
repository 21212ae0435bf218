#pragma once
// Inserting, duplicating and deleting frames within the document's frame count: the frames
// after the place move on by one, each with both planes whole. Frames beyond the count keep
// their pixels, except the one just beyond it that an inserted frame pushes out.

#include "document/sprite_store.h"

// Moves frames at .. count-1 up to at+1 .. count and clears both planes of frame at; the
// frame at index count is overwritten. False, with nothing changed, unless
// 1 <= count < MaxFrames and 0 <= at <= count.
bool InsertFrame(TSpriteStore& store, int count, int at);

// As InsertFrame at source + 1, with both planes of frame source copied into the new frame.
// False, with nothing changed, unless 1 <= count < MaxFrames and 0 <= source < count.
bool DuplicateFrame(TSpriteStore& store, int count, int source);

// Moves frames at+1 .. count-1 down to at .. count-2 and clears both planes of frame
// count-1; frame at is gone. False, with nothing changed, unless 2 <= count <= MaxFrames and
// 0 <= at < count.
bool DeleteFrame(TSpriteStore& store, int count, int at);
