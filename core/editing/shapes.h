#pragma once
// The cells of the drawing tools: lines, rectangles, the flood fill of a plane and the mirror
// images of cells. Cells are (x, y) with x the column and y the row, as in the store.

#include <cstdint>
#include <vector>

#include "document/sprite_store.h"

struct TCell {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TCell&, const TCell&) = default;
};

// The cells of the straight line from `from` to `to`, both included, in that order (Bresenham).
// The line from `to` to `from` has the same cells: ties are always broken as for the line that
// runs from the lower end (smaller y, then smaller x) to the higher one.
std::vector<TCell> LineCells(TCell from, TCell to);

enum TRectangleKind { rkOutline, rkFilled };

// The rectangle with opposite corners a and b, given in any order: its border cells (each
// once; a rectangle one cell wide or high is that row or column), or all its cells.
std::vector<TCell> RectangleCells(TCell a, TCell b, TRectangleKind kind);

// The 4-connected flood fill from `seed` inside the width x height sprite area: the region of
// cells holding the seed's value, reached through cells left, right, above and below, gets
// `value`. Returns the number of cells changed: 0 when the seed lies outside the area or
// already holds `value`. Pixels outside the area are never read or written.
int FloodFill(TPlane& plane, int width, int height, TCell seed, std::uint8_t value);

// Mirrored drawing about the sprite area's centre: left-right takes x to width-1-x,
// top-bottom takes y to height-1-y, both give four images.
enum TMirrorMode { mmNone, mmLeftRight, mmTopBottom, mmBoth };

// The cell and its mirror images, each once, the cell itself first.
std::vector<TCell> MirroredCells(TCell cell, TMirrorMode mode, int width, int height);

// The cells inside the width x height sprite area together with their mirror images, each
// once, in the order first met; cells outside the area are dropped.
std::vector<TCell> ClippedMirrored(const std::vector<TCell>& cells, TMirrorMode mode, int width, int height);
