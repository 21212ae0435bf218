#pragma once
// Whole-plane editing operations and the standard mask. Each does nothing for a frame
// outside 0..127.

#include "document/sprite_store.h"

void ClearFrame(TSpriteStore& store, int frame, bool mask);
void InvertPlane(TSpriteStore& store, int frame, bool mask);
void CopyPlane(TSpriteStore& store, int frame, bool mask);   // plane -> copy buffer
void PastePlane(TSpriteStore& store, int frame, bool mask);  // copy buffer -> plane
void MergePlane(TSpriteStore& store, int frame, bool mask);  // plane |= copy buffer
// Every pixel set in `source` becomes set in `plane`.
void MergeInto(TPlane& plane, const TPlane& source);

// Sets the whole mask plane, then clears the 3 x 3 block (cut at the plane's edges) around
// every set sprite pixel inside the width x height sprite area.
void GenerateStandardMask(TSpriteStore& store, int frame, int width, int height);
