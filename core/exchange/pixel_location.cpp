#include "exchange/pixel_location.h"

#include "codec/byte_codec.h"
#include "exchange/raw_layout.h"

std::optional<TPixelLocation> LocatePixel(const TDataFormat& format, int width, int height, bool mask, int x, int y) {
  if (!LayoutValid(format, width, height)) return std::nullopt;
  if (x < 0 || x >= width || y < 0 || y >= height) return std::nullopt;
  if (mask && !format.Masked) return std::nullopt;

  const int b = BitsPerByte(format.ByteMode);
  const int byteColumns = width / b;
  const int column = x / b;
  const int k = x % b;  // pixel within the byte's run

  // The plane's bytes form lines: rows of byteColumns bytes, or byte columns of height bytes.
  const bool byRows = format.Order == doByRows || format.Order == doByRowsZigZag;
  const bool zigZag = format.Order == doByRowsZigZag || format.Order == doByColumnsZigZag;
  const int line = byRows ? y : column;
  const int lineLength = byRows ? byteColumns : height;
  const int lineCount = byRows ? height : byteColumns;
  int position = byRows ? column : y;
  if (zigZag && line % 2 == 1) position = lineLength - 1 - position;  // odd lines run backward
  const int traversal = line * lineLength + position;
  const int planeSize = lineCount * lineLength;

  TPixelLocation loc;
  loc.BlockSize = planeSize * (format.Masked ? 2 : 1);
  loc.Bit = b == 8 ? 7 - k : k;
  if (!format.Masked) {
    loc.Offset = traversal;
    return loc;
  }
  // The plane whose bytes come first in the arrangement is at 0, the other one after it.
  const bool maskFirst = format.Arrangement == maMaskByteFirst || format.Arrangement == maWholeMaskFirst ||
                         format.Arrangement == maMaskLineFirst;
  const int second = mask == maskFirst ? 0 : 1;
  switch (format.Arrangement) {
    case maMaskByteFirst:
    case maDataByteFirst:
      loc.Offset = 2 * traversal + second;
      break;
    case maWholeMaskFirst:
    case maWholeDataFirst:
      loc.Offset = second * planeSize + traversal;
      break;
    case maMaskLineFirst:
    case maDataLineFirst:
      loc.Offset = line * 2 * lineLength + second * lineLength + position;
      break;
  }
  return loc;
}

std::uint8_t PixelByte(const TSpriteStore& store, const TDataFormat& format, int frame, bool mask, int x, int y) {
  const int b = BitsPerByte(format.ByteMode);
  return PackByte(store, mask, b, frame, x - x % b, y, format.AttrChoice);
}
