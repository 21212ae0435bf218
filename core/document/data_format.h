#pragma once
// The five settings that decide how pixels become data bytes, with the item texts
// the settings panel shows for them. Each enumeration's value is its item index.

#include <array>

enum TByteMode : int { bm6BitReversed = 0, bmClassic8 = 1 };

enum TDataOrder : int { doByRows = 0, doByColumns = 1, doByRowsZigZag = 2, doByColumnsZigZag = 3 };

enum TMaskArrangement : int {
  maMaskByteFirst = 0,
  maDataByteFirst = 1,
  maWholeMaskFirst = 2,
  maWholeDataFirst = 3,
  maMaskLineFirst = 4,
  maDataLineFirst = 5,
};

inline constexpr std::array<const char*, 2> ByteModeItems{"6 bit reversed + hi 2 bit zeros", "Classic 8 bit"};
inline constexpr std::array<const char*, 4> DataOrderItems{"By rows", "By columns", "By rows zig-zag",
                                                           "By columns zig-zag"};
inline constexpr std::array<const char*, 6> MaskArrangementItems{
    "Mask byte interleaved with data byte",       "Data byte interleaved with mask byte",
    "Whole mask, then sprite data",               "Whole sprite data, then mask",
    "Mask row/col interleaved with data row/col", "Data row/col interleaved with mask row/col"};
// Bits 7 and 6 of a 6-bit mask byte, bit 7 first.
inline constexpr std::array<const char*, 4> AttrChoiceItems{"00", "01", "10", "11"};

// Pixels in one data byte: 8 for bmClassic8, 6 for every other value.
constexpr int BitsPerByte(int byteMode) { return byteMode == bmClassic8 ? 8 : 6; }

// A snapshot of the settings controls, taken when an operation starts.
struct TDataFormat {
  TByteMode ByteMode = bm6BitReversed;
  TDataOrder Order = doByRows;
  bool Masked = true;
  TMaskArrangement Arrangement = maMaskByteFirst;
  int AttrChoice = 0;  // 0..3, the item index of "00" .. "11"

  friend bool operator==(const TDataFormat&, const TDataFormat&) = default;
};
