// Clipboard text reader: an accepted text pastes, and copying the block back gives the same
// values (the top bits of 6-bit bytes aside).
#include <cstdint>
#include <string_view>

#include "exchange/clipboard_text.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TSpriteStore store;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (int bits : {6, 8}) {
    const auto plane = ParseClipboardText(text, bits);
    if (!plane) continue;
    FUZZ_CHECK(plane->Bits == bits && plane->Width % bits == 0);
    FUZZ_CHECK(plane->Values.size() == std::size_t(plane->Width / bits) * plane->Height);
    FUZZ_CHECK(PasteClipboardText(store, 0, false, text, bits));
    const auto copied = ParseClipboardText(
        PlaneToClipboardText(store, 0, false, plane->Width, plane->Height, bits, 0), bits);
    FUZZ_CHECK(copied && copied->Values.size() == plane->Values.size());
    const std::uint8_t keep = bits == 8 ? 0xFF : 0x3F;
    for (std::size_t i = 0; i < plane->Values.size(); ++i)
      FUZZ_CHECK(copied->Values[i] == (plane->Values[i] & keep));
  }
  return 0;
}
