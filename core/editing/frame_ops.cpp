#include "editing/frame_ops.h"

#include <algorithm>

namespace {

// The planes of frames first .. last-1, turned so that frame last-1 comes first (up by one)
// or frame first comes last (down by one).
void TurnFrames(TSpriteStore& store, int first, int last, bool up) {
  for (bool mask : {false, true}) {
    TPlane* begin = &store.Plane(first, mask);
    TPlane* end = begin + (last - first);
    std::rotate(begin, up ? end - 1 : begin + 1, end);
  }
}

void ClearBoth(TSpriteStore& store, int frame) {
  for (bool mask : {false, true}) store.Plane(frame, mask) = {};
}

}  // namespace

bool InsertFrame(TSpriteStore& store, int count, int at) {
  if (count < 1 || count >= MaxFrames || at < 0 || at > count) return false;
  TurnFrames(store, at, count + 1, true);  // frame count, beyond the document, comes to at
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
  TurnFrames(store, at, count, false);  // frame at goes to count-1
  ClearBoth(store, count - 1);
  return true;
}
