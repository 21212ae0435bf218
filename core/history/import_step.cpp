#include "history/import_step.h"

#include <algorithm>

#include "exchange/project_document.h"
#include "exchange/raw_layout.h"
#include "history/document_buffer.h"

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

void TImportStep::Undo(TSpriteDocument& document) { LoadDocumentFile(document, FBefore, DocumentStreamBuffer()); }

std::size_t TImportStep::Bytes() const { return sizeof *this + Text().capacity() + FData.capacity() + FBefore.capacity(); }
