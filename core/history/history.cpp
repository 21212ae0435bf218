#include "history/history.h"

void THistory::Push(TSpriteDocument& document, std::unique_ptr<TEditStep> step) {
  step->Redo(document);
  DropRedoSide();
  // A step merged into the saved state would make that state unreachable, so it stays apart.
  TEditStep* newest = FIndex > 0 && !IsClean() ? FSteps[FIndex - 1].get() : nullptr;
  if (newest != nullptr) {
    const std::size_t before = newest->Bytes();
    if (newest->MergeWith(*step)) {
      FBytes = FBytes - before + newest->Bytes();
      DropOldest();
      return;
    }
  }
  FBytes += step->Bytes();
  FSteps.push_back(std::move(step));
  ++FIndex;
  DropOldest();
}

std::string THistory::UndoText() const { return CanUndo() ? FSteps[FIndex - 1]->Text() : std::string(); }

std::string THistory::RedoText() const { return CanRedo() ? FSteps[FIndex]->Text() : std::string(); }

void THistory::Undo(TSpriteDocument& document) {
  if (!CanUndo()) return;
  TEditStep& step = *FSteps[FIndex - 1];
  const std::size_t before = step.Bytes();
  step.Undo(document);
  FBytes = FBytes - before + step.Bytes();
  --FIndex;
}

void THistory::Redo(TSpriteDocument& document) {
  if (!CanRedo()) return;
  TEditStep& step = *FSteps[FIndex];
  const std::size_t before = step.Bytes();
  step.Redo(document);
  FBytes = FBytes - before + step.Bytes();
  ++FIndex;
}

void THistory::Clear() {
  FSteps.clear();
  FIndex = 0;
  FBytes = 0;
  SetClean();
}

void THistory::SetClean() {
  FClean = FIndex;
  FCleanValid = true;
}

void THistory::DropRedoSide() {
  while (FSteps.size() > FIndex) {
    FBytes -= FSteps.back()->Bytes();
    FSteps.pop_back();
  }
  if (FCleanValid && FClean > FIndex) FCleanValid = false;
}

// The newest step always stays, so what was just done can be undone.
void THistory::DropOldest() {
  while (FBytes > FByteLimit && FSteps.size() > 1 && FIndex > 1) {
    FBytes -= FSteps.front()->Bytes();
    FSteps.pop_front();
    --FIndex;
    if (FCleanValid && FClean == 0) FCleanValid = false;
    if (FClean > 0) --FClean;
  }
}
