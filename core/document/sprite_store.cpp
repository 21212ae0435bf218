#include "document/sprite_store.h"

#include <cstring>

TSpriteStore::TSpriteStore() : FBlock(std::make_unique<TBlock>()), FCopyBuffer(FBlock->CopyBuffer) {}

void TSpriteStore::ClearAll() {
  std::memset(FBlock->Sprites, 0, sizeof FBlock->Sprites);
  std::memset(FBlock->Masks, 0, sizeof FBlock->Masks);
}
