#include "raw_layout.h"

int FrameBlockSize(const TDataFormat& format, int width, int height) {
  return (width / BitsPerByte(format.ByteMode)) * height * (format.Masked ? 2 : 1);
}

int RawDataSize(const TDataFormat& format, int width, int height, int frames) {
  return frames * FrameBlockSize(format, width, height);
}

std::uint64_t ImportLengthLimit(TByteMode byteMode, bool masked) {
  return std::uint64_t(MaxSide / BitsPerByte(byteMode)) * (masked ? 2 : 1) * 30720;
}

bool ImportLengthAccepted(std::uint64_t length, TByteMode byteMode, bool masked) {
  constexpr std::uint64_t FourGiB = std::uint64_t(1) << 32;
  return length < FourGiB && length <= ImportLengthLimit(byteMode, masked);
}
