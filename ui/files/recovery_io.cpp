// The window's recovery file: kept while the document has unsaved changes, offered back at
// start-up when a process that is gone left one.

#include <span>

#include "exchange/project_document.h"
#include "files/recovery.h"
#include "window/sprite_editor.h"

void TSpriteEditor::StartRecovery(const QString& folder) {
  FRecovery = std::make_unique<TRecovery>(
      folder, [this] { return BuildRecoveryFile(BuildDocumentFile(FDocument), FProjectFileName); });
}

void TSpriteEditor::NoteRecoveryState() {
  if (!FRecovery) return;
  if (FKeptModified || !FHistory.IsClean())
    FRecovery->Changed();
  else
    FRecovery->Discard();
}

// Asked once, before a start-up file is opened, about each file left behind, the newest
// first: Yes loads it as a modified document with the project path it had, and the files not
// asked about yet stay for the next start; No removes it and goes on with the next. A damaged
// file is removed without a word. After a recovery the start-up file is not opened, so that
// it cannot replace the recovered document.
void TSpriteEditor::OfferRecovery() {
  if (!FRecovery || FRecovery->Offered) return;
  FRecovery->Offered = true;
  for (TLeftRecovery& left : FindLeftRecoveries(FRecovery->Folder())) {
    const TRecoveredDocument recovered = ReadRecoveryFile(left.File);
    if (!recovered.Ok) {
      RemoveLeftRecovery(left);
      continue;
    }
    if (!FDialogs->AskYesNo(
            QStringLiteral("Unsaved changes from an earlier session were found.\nDo you want to recover them?"),
            QStringLiteral("Deduzu Sprite Editor"))) {
      RemoveLeftRecovery(left);
      continue;
    }
    const std::span file(recovered.Project);
    ReplaceDocument(
        [file](TSpriteDocument& d) {
          std::vector<std::uint8_t> stream(PixelStreamSize);
          LoadDocumentFile(d, file, std::span<std::uint8_t, PixelStreamSize>(stream));
        },
        true);
    FProjectFileName = recovered.ProjectPath;
    UpdateCaption(FProjectFileName);
    FRedrawQueue.push_back(rtFull);
    FStartupFileName.clear();
    // This window's own copy first, then the old one goes: a crash in between loses nothing.
    FRecovery->WriteNow();
    RemoveLeftRecovery(left);
    return;
  }
}
