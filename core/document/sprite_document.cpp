#include "document/sprite_document.h"

#include <algorithm>

TDocumentSettings Normalized(TDocumentSettings s) {
  const int b = BitsPerByte(s.Format.ByteMode);
  s.Width = std::max(b, std::clamp(s.Width, b, MaxSide) / b * b);
  s.Height = std::clamp(s.Height, 1, MaxSide);
  s.FrameCount = std::clamp(s.FrameCount, 1, MaxFrames);
  s.CurrentFrame = std::clamp(s.CurrentFrame, 0, s.FrameCount - 1);
  s.Format.AttrChoice &= 3;
  return s;
}
