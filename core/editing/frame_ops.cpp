#include "editing/frame_ops.h"

#include <algorithm>

namespace {

// Moves the planes of frames first .. last-1 one frame up (to first+1 .. last) or down (to
// first-1 .. last-2); the frame moved over is overwritten, the one moved from keeps its pixels.
void MoveFrames(TSpriteStore& store, int first, int last, bool up) {
  if (first >= last) return;
  for (bool mask : {false, true}) {
    TPlane* begin = &store.Plane(first, mask);
    TPlane* end = begin + (last - first);
    if (up)
      std::move_backward(begin, end, end + 1);
    else
      std::move(begin, end, begin - 1);
  }
}

void ClearBoth(TSpriteStore& store, int frame) {
  for (bool mask : {false, true}) store.Plane(frame, mask) = {};
}

}  // namespace

bool InsertFrame(TSpriteStore& store, int count, int at) {
  if (count < 1 || count >= MaxFrames || at < 0 || at > count) return false;
  // The frames beyond the count move along too, so that raising the count shows them in
  // their order; only the store's last frame is moved over.
  MoveFrames(store, at, MaxFrames - 1, true);
  ClearBoth(store, at);
  return true;
}

bool DuplicateFrame(TSpriteStore& store, int count, int source) {
  if (source < 0 || source >= count || !InsertFrame(store, count, source + 1)) return false;
  for (bool mask : {false, true}) store.Plane(source + 1, mask) = store.Plane(source, mask);
  return true;
}

bool DeleteFrame(TSpriteStore& store, int count, int at) {
  if (count < 2 || count > MaxFrames || at < 0 || at >= count) return false;
  MoveFrames(store, at + 1, MaxFrames, false);  // over frame at, the hidden frames along
  ClearBoth(store, MaxFrames - 1);
  return true;
}
