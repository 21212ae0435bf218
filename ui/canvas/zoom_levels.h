#pragma once
// The canvas's zoom levels, screen pixels per cell, smallest first: the View menu's
// "25%" to "800%".
#include <algorithm>
#include <array>

inline constexpr std::array<int, 6> ZoomLevels = {3, 6, 12, 24, 48, 96};

constexpr bool IsZoomLevel(int zoom) { return std::find(ZoomLevels.begin(), ZoomLevels.end(), zoom) != ZoomLevels.end(); }
