// Project-file loader: header checks, payload decoding and spreading into a store. The plane
// with the stream's last set byte, the plane after it (loading clears the planes after the
// last set byte instead of unpacking them) and one plane the input picks must hold exactly
// the stream's pixels; the decoded stream must save and read back unchanged. The store and
// the stream buffers are kept between inputs: allocating 1.8 MB for every input would cost
// more than the loading.
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "fuzz_check.h"
#include "exchange/project_file.h"

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

// The settings a saved file carries over (plane side, capacity and packed length are the
// writer's own).
bool SameSettings(const TProjectHeader& a, const TProjectHeader& b) {
  return a.ByteMode == b.ByteMode && a.Order == b.Order && a.Arrangement == b.Arrangement &&
         a.AttrChoice == b.AttrChoice && a.Masked == b.Masked && a.Width == b.Width && a.Height == b.Height &&
         a.FrameCount == b.FrameCount && a.CurrentFrame == b.CurrentFrame;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TSpriteStore store;
  static std::uint8_t stream[PixelStreamSize];
  static std::uint8_t again[PixelStreamSize];
  const TProjectStatus file = CheckProjectFile({data, size});
  if (file.Result != TProjectResult::Ok) return 0;
  const TProjectHeader& header = file.Header;
  DecodePixelStream({data, size}, header, stream);

  // The checked planes start with every pixel set, so a plane the loader leaves out or
  // unpacks wrongly shows on this input alone, whatever earlier inputs left in the store.
  constexpr int planes = 2 * MaxFrames;
  const int last = LastSetPlane(header, stream);
  const int checked[] = {last, last + 1, data[size - 1] % planes};
  for (int p : checked)
    if (p >= 0 && p < planes) std::memset(store.Plane(p / 2, p % 2 == 1).data(), 1, sizeof(TPlane));
  SpreadPixelStream(store, stream, header.PlaneSide, header.FrameCapacity);
  for (int p : checked)
    if (p >= 0 && p < planes) CheckPlane(store, header, stream, p);

  // The writer packs the decoded stream so that it reads back byte for byte, with the same
  // settings (an earlier version's stream is simply saved in the current shape).
  const std::vector<std::uint8_t> saved = BuildProjectFile(std::span<const std::uint8_t, PixelStreamSize>(stream), header);
  const TProjectStatus reread = CheckProjectFile(saved);
  FUZZ_CHECK(reread.Result == TProjectResult::Ok && !reread.PreviousVersion);
  FUZZ_CHECK(SameSettings(reread.Header, header));
  DecodePixelStream(saved, reread.Header, again);
  FUZZ_CHECK(std::memcmp(stream, again, PixelStreamSize) == 0);
  return 0;
}
