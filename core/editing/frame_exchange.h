#pragma once
#include "document/sprite_store.h"

// Exchanges the whole sprite planes and the whole mask planes of frames a and b.
// Does nothing when either frame lies outside 0..127.
void ExchangeFrames(TSpriteStore& store, int a, int b);
