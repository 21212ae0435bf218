// Raw import: the first bytes choose the settings, the rest is the file. What was imported must
// export to the same bytes (the attribute bits of 6-bit mask bytes aside).
#include <algorithm>
#include <cstdint>

#include "fuzz_check.h"
#include "exchange/raw_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TSpriteStore store;
  if (size < 4) return 0;
  TDataFormat format;
  format.ByteMode = TByteMode(data[0] & 1);
  format.Order = TDataOrder((data[0] >> 1) & 3);
  format.Masked = (data[0] >> 3) & 1;
  format.Arrangement = TMaskArrangement(data[1] % 6);
  format.AttrChoice = (data[1] >> 4) & 3;
  const int b = BitsPerByte(format.ByteMode);
  const int width = b * (1 + data[2] % (MaxSide / b));
  const int height = 1 + data[3] % MaxSide;
  const std::span<const std::uint8_t> file(data + 4, size - 4);
  if (!ImportLengthAccepted(file.size(), format.ByteMode, format.Masked)) return 0;

  const int n = ImportFrames(store, format, width, height, file);
  const int block = FrameBlockSize(format, width, height);
  FUZZ_CHECK(n >= 0 && n <= MaxFrames);
  FUZZ_CHECK(std::size_t(n) == std::min<std::size_t>(MaxFrames, (file.size() + block - 1) / block));
  const std::vector<std::uint8_t> out = ExportFrames(store, format, width, height, n);
  FUZZ_CHECK(out.size() == std::size_t(n) * block);
  const std::size_t common = std::min(out.size(), file.size());
  for (std::size_t i = 0; i < common; ++i) {
    // 6-bit bytes keep only their six pixels; mask bytes get the current attribute bits.
    const std::uint8_t keep = b == 8 ? 0xFF : 0x3F;
    FUZZ_CHECK((out[i] & keep) == (file[i] & keep));
  }
  return 0;
}
