#pragma once
// Shift (whole plane), flip (sprite area) and rotate (reads the sprite area, rewrites the
// whole plane). Each does nothing for a frame outside 0..127.

#include "document/sprite_store.h"

enum TShiftDirection : int { sdUp = 1, sdLeft = 2, sdRight = 3, sdDown = 4 };

// Moves the whole plane one pixel; any other direction value does nothing.
void ShiftPlane(TSpriteStore& store, int frame, int direction, bool mask);
// vertical false: top and bottom exchanged; true: left and right exchanged.
void FlipPlane(TSpriteStore& store, int frame, bool vertical, bool mask, int width, int height);
// halfTurn false: a quarter turn clockwise; true: a half turn.
void RotatePlane(TSpriteStore& store, int frame, bool halfTurn, bool mask, int width, int height);
