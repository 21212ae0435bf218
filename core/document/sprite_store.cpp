#include "document/sprite_store.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// TBlock holds only byte arrays, so zeroed memory from calloc is a valid block of clear pixels.
void* ZeroedBlock(std::size_t size) {
  void* block = std::calloc(1, size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

}  // namespace

void TSpriteStore::TFree::operator()(TBlock* block) const { std::free(block); }

TSpriteStore::TSpriteStore()
    : FBlock(static_cast<TBlock*>(ZeroedBlock(sizeof(TBlock)))), FCopyBuffer(FBlock->CopyBuffer) {}

void TSpriteStore::ClearAll() {
  std::memset(FBlock->Sprites, 0, sizeof FBlock->Sprites);
  std::memset(FBlock->Masks, 0, sizeof FBlock->Masks);
}
