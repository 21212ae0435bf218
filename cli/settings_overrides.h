#pragma once
// The settings given on the command line over those of the document: the data format, the
// sprite area and the range of frames, each changed as the window's settings panel would.

#include <optional>
#include <string>

#include "document/sprite_document.h"

struct TSettingsOverrides {
  std::optional<TByteMode> ByteMode;
  std::optional<TDataOrder> Order;
  std::optional<bool> Masked;
  std::optional<TMaskArrangement> Arrangement;  // given with Masked = true
  std::optional<int> AttrChoice;
  std::optional<int> Width;
  std::optional<int> Height;
};

// The format's overrides; a changed byte mode lowers the width to a multiple of its pixels
// (never below one byte), as the panel does.
void ApplyFormat(TDocumentSettings& settings, const TSettingsOverrides& overrides);

// Width and height as the panel sets them: the pixels beyond the former area come back into
// view. Empty on success, else the usage error (a width that is no multiple of the byte
// mode's pixels in B .. 240, a height outside 1 .. 240).
std::string ApplySize(TDocumentSettings& settings, const TSettingsOverrides& overrides);

// Frames first .. last (1-based, inclusive) of "A-B" or "A"; nothing for text of any other form.
struct TFrameRange {
  int First = 1, Last = 1;
};
std::optional<TFrameRange> ParseFrameRange(const std::string& text);

// Keeps frames range.First .. range.Last as frames 1 .. n of the document. Empty on success,
// else the usage error for a range outside the document's frames.
std::string KeepFrames(TSpriteDocument& document, const TFrameRange& range);
