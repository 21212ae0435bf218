#include "history/import_step.h"

#include <algorithm>

#include "exchange/project_document.h"
#include "exchange/raw_layout.h"

namespace {

// Undo decodes into one stream buffer kept for the program's life, so that taking a whole
// document back costs no fresh 1.8 MB of memory each time.
std::span<std::uint8_t, PixelStreamSize> StreamBuffer() {
  static std::vector<std::uint8_t> buffer(PixelStreamSize);
  return std::span<std::uint8_t, PixelStreamSize>(buffer);
}

}  // namespace

TImportStep::TImportStep(std::vector<std::uint8_t> data) : TEditStep("Import"), FData(std::move(data)) {}

void TImportStep::Redo(TSpriteDocument& document) {
  if (FBefore.empty()) {
    FBefore = BuildDocumentFile(document);
    FBefore.shrink_to_fit();  // the file is built in a buffer of the longest file
  }
  TDocumentSettings& s = document.Settings;
  FFramesRead = ImportFrames(document.Store, s.Format, s.Width, s.Height, FData);
  s.FrameCount = std::max(1, FFramesRead);
  s.CurrentFrame = 0;
}

void TImportStep::Undo(TSpriteDocument& document) { LoadDocumentFile(document, FBefore, StreamBuffer()); }

std::size_t TImportStep::Bytes() const { return sizeof *this + Text().capacity() + FData.capacity() + FBefore.capacity(); }
