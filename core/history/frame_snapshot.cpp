#include "history/frame_snapshot.h"

TFrameSnapshot TFrameSnapshot::Of(const TSpriteStore& store, int frame) {
  return {TPlaneSnapshot(store.Plane(frame, false)), TPlaneSnapshot(store.Plane(frame, true))};
}

void TFrameSnapshot::RestoreTo(TSpriteStore& store, int frame) const {
  Sprite.RestoreTo(store.Plane(frame, false));
  Mask.RestoreTo(store.Plane(frame, true));
}
