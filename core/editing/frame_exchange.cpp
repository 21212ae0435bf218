#include "editing/frame_exchange.h"

#include <utility>

void ExchangeFrames(TSpriteStore& store, int a, int b) {
  if (!ValidFrame(a) || !ValidFrame(b) || a == b) return;
  std::swap(store.Plane(a, false), store.Plane(b, false));
  std::swap(store.Plane(a, true), store.Plane(b, true));
}
