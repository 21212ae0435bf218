// Project-file loader: header checks, payload decoding and spreading into a store that still
// holds the previous input's pixels (the stream buffer is kept too, as the allocation of a
// fresh 1.8 MB buffer for every input would cost more than the loading). The plane with the stream's last set byte, the plane
// after it and one plane the input picks must hold exactly the stream's pixels; loading
// clears every plane after the last set byte instead of unpacking it.
#include <cstdint>
#include <cstring>

#include "fuzz_check.h"
#include "project_file.h"

namespace {

// Plane p of the stream is frame p / 2, the mask when p is odd.
void CheckPlane(const TSpriteStore& store, const TProjectHeader& header, const std::uint8_t* stream, int p) {
  const int side = header.PlaneSide;
  const int rowBytes = (side + 7) / 8;
  const bool inStream = p < 2 * header.FrameCapacity;
  const std::uint8_t* bytes = stream + std::size_t(p) * side * rowBytes;
  const TPlane& plane = store.Plane(p / 2, p % 2 == 1);
  for (int x = 0; x < MaxSide; ++x)
    for (int y = 0; y < MaxSide; ++y) {
      // A byte sets all eight pixels of its run, also those past an earlier version's side.
      const bool covered = inStream && y < side && x < rowBytes * 8;
      const int expected = covered ? (bytes[y * rowBytes + x / 8] >> (7 - x % 8)) & 1 : 0;
      FUZZ_CHECK(plane[x][y] == expected);
    }
}

// The last plane of the stream with a set byte, or -1.
int LastSetPlane(const TProjectHeader& header, const std::uint8_t* stream) {
  static const std::uint8_t zeros[MaxSide * (MaxSide / 8)] = {};
  const int side = header.PlaneSide;
  const std::size_t planeBytes = std::size_t(side) * ((side + 7) / 8);
  for (int p = 2 * header.FrameCapacity - 1; p >= 0; --p)
    if (std::memcmp(stream + p * planeBytes, zeros, planeBytes) != 0) return p;
  return -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TSpriteStore store;
  static std::uint8_t stream[PixelStreamSize];
  const TProjectStatus file = CheckProjectFile({data, size});
  if (file.Result != TProjectResult::Ok) return 0;
  const TProjectHeader& header = file.Header;
  DecodePixelStream({data, size}, header, stream);
  SpreadPixelStream(store, stream, header.PlaneSide, header.FrameCapacity);

  const int planes = 2 * MaxFrames;
  const int last = LastSetPlane(header, stream);
  if (last >= 0) CheckPlane(store, header, stream, last);
  if (last + 1 < planes) CheckPlane(store, header, stream, last + 1);
  CheckPlane(store, header, stream, data[size - 1] % planes);
  return 0;
}
