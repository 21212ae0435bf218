#include "preview/preview_player.h"

#include <algorithm>

TPlayPosition NextPlayPosition(TPlayPosition p, TPlayMode mode, int frameCount) {
  const int n = std::max(1, frameCount);
  const int frame = std::clamp(p.Frame, 0, n - 1);
  if (mode == pmLoop || n == 1) return {(frame + 1) % n, 1};
  int direction = p.Direction < 0 ? -1 : 1;
  if (frame + direction >= n || frame + direction < 0) direction = -direction;
  return {frame + direction, direction};
}
