#pragma once
// Inserting, duplicating and deleting frames within the document's frame count: the frames
// after the place move on by one, each with both planes whole, and the frames beyond the
// count move with them, so that they keep their pixels and their order. An insert pushes the
// store's last frame (127) out; a delete leaves it clear.

#include "document/sprite_store.h"

// Moves frames at .. 126 up to at+1 .. 127 and clears both planes of frame at; frame 127 is
// overwritten. False, with nothing changed, unless
// 1 <= count < MaxFrames and 0 <= at <= count.
bool InsertFrame(TSpriteStore& store, int count, int at);

// As InsertFrame at source + 1, with both planes of frame source copied into the new frame.
// False, with nothing changed, unless 1 <= count < MaxFrames and 0 <= source < count.
bool DuplicateFrame(TSpriteStore& store, int count, int source);

// Moves frames at+1 .. 127 down to at .. 126 and clears both planes of frame 127; frame at
// is gone. False, with nothing changed, unless 2 <= count <= MaxFrames and
// 0 <= at < count.
bool DeleteFrame(TSpriteStore& store, int count, int at);
