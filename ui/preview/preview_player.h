#pragma once
// The order in which the preview plays the frames in use: a loop runs 0 .. n-1 and starts
// again at 0; back and forth runs 0 .. n-1 .. 0 without showing either end twice.

enum TPlayMode { pmLoop, pmBackAndForth };

struct TPlayPosition {
  int Frame = 0;      // 0-based
  int Direction = 1;  // +1 forwards, -1 backwards (back and forth only)
  bool operator==(const TPlayPosition&) const = default;
};

// The position after `p` among `frameCount` frames (at least 1). A frame beyond the count,
// after the count has shrunk, goes on from the last frame in use.
TPlayPosition NextPlayPosition(TPlayPosition p, TPlayMode mode, int frameCount);
