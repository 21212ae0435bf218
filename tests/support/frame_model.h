#pragma once
// A plain model of the frame commands for tests: the 128 frames as a list naming, for each
// frame, the frame of a first document whose picture it holds (or ClearPicture). The
// commands are list edits; Pictures() builds the document the list describes.

#include <array>
#include <vector>

#include "document/sprite_document.h"

constexpr int ClearPicture = -1;

using TFrameList = std::array<int, MaxFrames>;

inline TFrameList IdentityFrames() {
  TFrameList list;
  for (int f = 0; f < MaxFrames; ++f) list[std::size_t(f)] = f;
  return list;
}

// `picture` enters at `at`; the store's last frame leaves it. The frames beyond the count
// move along with the others.
inline TFrameList ModelInsert(const TFrameList& list, int /*count*/, int at, int picture) {
  std::vector<int> v(list.begin(), list.end());
  v.pop_back();
  v.insert(v.begin() + at, picture);
  TFrameList out;
  for (int f = 0; f < MaxFrames; ++f) out[std::size_t(f)] = v[std::size_t(f)];
  return out;
}

// Frame `at` leaves; a clear frame enters as the store's last.
inline TFrameList ModelDelete(const TFrameList& list, int /*count*/, int at) {
  std::vector<int> v(list.begin(), list.end());
  v.erase(v.begin() + at);
  v.push_back(ClearPicture);
  TFrameList out;
  for (int f = 0; f < MaxFrames; ++f) out[std::size_t(f)] = v[std::size_t(f)];
  return out;
}

// The planes of `out` as the list describes them from the frames of `first`.
inline void Pictures(const TSpriteDocument& first, const TFrameList& list, TSpriteDocument& out) {
  for (int f = 0; f < MaxFrames; ++f)
    for (bool mask : {false, true}) {
      const int p = list[std::size_t(f)];
      if (p == ClearPicture)
        out.Store.Plane(f, mask) = {};
      else
        out.Store.Plane(f, mask) = first.Store.Plane(p, mask);
    }
}
