#include "history/document_buffer.h"

#include <vector>

std::span<std::uint8_t, PixelStreamSize> DocumentStreamBuffer() {
  static std::vector<std::uint8_t> buffer(PixelStreamSize);
  return std::span<std::uint8_t, PixelStreamSize>(buffer);
}
