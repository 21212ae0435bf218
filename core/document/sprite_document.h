#pragma once
// The document: every pixel of every frame, plus the settings a project file keeps with them
// (data format, sprite size, frame count and the frame being edited). The window and the edit
// history work on this one type; it needs no window.

#include "document/data_format.h"
#include "document/sprite_store.h"

struct TDocumentSettings {
  TDataFormat Format;
  int Width = 12;        // a multiple of BitsPerByte, BitsPerByte .. 240
  int Height = 24;       // 1 .. 240
  int FrameCount = 1;    // 1 .. 128
  int CurrentFrame = 0;  // 0 .. FrameCount - 1

  friend bool operator==(const TDocumentSettings&, const TDocumentSettings&) = default;
};

struct TSpriteDocument {
  TSpriteStore Store;
  TDocumentSettings Settings;
};

// The settings as the settings panel keeps them: the width brought down to a multiple of the
// byte mode's pixels per byte (never below one byte), every other value clamped into its range.
TDocumentSettings Normalized(TDocumentSettings settings);
