#pragma once
// What the PNG and GIF exchange functions are asked to do: the layout of the pixels in the
// image, how frames are arranged on a sheet and the colours an export uses.

#include <cstdint>

// Planes: a frame is its sprite plane and its mask plane side by side, set white, clear black.
// Alpha: a frame is the sprite as it appears, transparent where the background shows through.
enum class TImageLayout { Planes, Alpha };

struct TSheetLayout {
  int Columns = 0;  // frames per row; 0 = all frames in one row
  int Spacing = 0;  // pixels between cells, 0..64
};

struct TPngExportOptions {
  TImageLayout Layout = TImageLayout::Planes;
  TSheetLayout Sheet;
  bool OneFilePerFrame = false;
  std::uint32_t Ink = 0xFFFFFF;  // 0xRRGGBB, alpha layout
};

struct TPngImportOptions {
  TImageLayout Layout = TImageLayout::Alpha;
  // The size of one cell; 0 takes the whole width (or height) of the image, so both 0 read the
  // whole image as one frame.
  int CellWidth = 0, CellHeight = 0;
  int Spacing = 0;  // pixels between cells, 0..64
  bool DarkInk = false;
};

struct TGifOptions {
  int DelayCentiseconds = 10;  // 0..65535
  int Scale = 1;               // 1..8
  std::uint32_t Background = 0x000000;
  std::uint32_t Ink = 0xFFFFFF;
};

constexpr int MaxSheetSpacing = 64;

// The tEXt keyword under which a PNG sheet keeps its frame count.
inline constexpr const char* PngFramesKeyword = "Frames";
constexpr int MaxGifScale = 8;
