#pragma once
// The program's icon: a small sprite on a dark tile, 16 × 16 cells. The window builds its
// icon from it, and desktop/make_icons writes the installed SVG and PNG sizes from it, so
// every picture of the icon shows the same cells.

#include <array>
#include <cstdint>

namespace icon {

inline constexpr int Cells = 16;

// '#' a set cell, '.' a clear one; row 0 at the top.
inline constexpr std::array<const char*, Cells> Pattern = {
    "................",  //
    "................",  //
    "................",  //
    "....#......#....",  //
    ".....#....#.....",  //
    "....########....",  //
    "...##.####.##...",  //
    "..############..",  //
    "..############..",  //
    "..#.########.#..",  //
    "..#.#......#.#..",  //
    ".....##..##.....",  //
    "................",  //
    "................",  //
    "................",  //
    "................",  //
};

// 0xRRGGBB of the tile and of a set cell.
inline constexpr std::uint32_t Tile = 0x1E2533;
inline constexpr std::uint32_t Ink = 0x9CF06A;

inline constexpr bool IsSet(int x, int y) { return Pattern[std::size_t(y)][x] == '#'; }

// The sizes installed as PNG next to the SVG.
inline constexpr std::array<int, 6> PngSizes = {16, 32, 48, 64, 128, 256};

// The application id: the desktop file's name, the icon's name, the AppStream id.
inline constexpr const char* AppId = "io.github.deduzu.SpriteEditor";

}  // namespace icon
