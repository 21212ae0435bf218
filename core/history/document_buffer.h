#pragma once
// The pixel-stream buffer that steps keeping whole documents decode into: one for the
// program's life, so that taking a whole document back costs no fresh 1.8 MB each time.

#include <cstdint>
#include <span>

#include "exchange/project_file.h"

std::span<std::uint8_t, PixelStreamSize> DocumentStreamBuffer();
