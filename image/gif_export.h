#pragma once
// Animated GIF export of frames 0 .. FrameCount-1, for sharing; nothing reads it back.

#include <cstdint>
#include <string>
#include <vector>

#include "document/sprite_document.h"
#include "image/image_options.h"

struct TGifExport {
  std::vector<std::uint8_t> File;
  std::string Error;  // empty on success
};

// A GIF89a that loops for ever (NETSCAPE2.0), each frame shown for DelayCentiseconds and
// scaled up Scale times. A pixel shows as the machine draws a masked sprite over the
// background: ink where the sprite is set, else the background where the mask is set, else
// black. An unmasked document: ink where set, background where clear.
TGifExport ExportGif(const TSpriteDocument& document, const TGifOptions& options);
