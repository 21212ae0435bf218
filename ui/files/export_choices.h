#pragma once
// What the source and image commands ask before they run, kept by the window while the program
// runs so that each dialog opens with the choices made last.

#include "exchange/source_text.h"
#include "image/image_options.h"

enum class TImageFormat { Png, Gif };

struct TImageExportChoice {
  TImageFormat Format = TImageFormat::Png;
  TPngExportOptions Png;
  TGifOptions Gif;
};
