#pragma once
// The edit history of one document: the steps done, the steps undone that can be redone,
// and the state last saved. Pushing a step does it and drops what could be redone; the
// oldest steps go when the steps would hold more than the byte limit together.

#include <cstddef>
#include <deque>
#include <memory>
#include <string>

#include "history/edit_step.h"

class THistory {
 public:
  static constexpr std::size_t DefaultByteLimit = std::size_t(256) << 20;

  explicit THistory(std::size_t byteLimit = DefaultByteLimit) : FByteLimit(byteLimit) {}

  // Does the step on the document and makes it the newest, or lets the newest step take it in.
  void Push(TSpriteDocument& document, std::unique_ptr<TEditStep> step);

  bool CanUndo() const { return FIndex > 0; }
  bool CanRedo() const { return FIndex < FSteps.size(); }
  // The text of the step Undo or Redo would take; empty when there is none.
  std::string UndoText() const;
  std::string RedoText() const;
  // Each does nothing when there is nothing to undo or redo.
  void Undo(TSpriteDocument& document);
  void Redo(TSpriteDocument& document);

  // No steps; the document as it is now is the saved state.
  void Clear();
  // The document as it is now is the saved state.
  void SetClean();
  // True when the document is in the state last saved (never again once that state's step
  // was dropped or replaced).
  bool IsClean() const { return FCleanValid && FClean == FIndex; }

  std::size_t Count() const { return FSteps.size(); }
  std::size_t Index() const { return FIndex; }  // steps done, 0 .. Count()
  std::size_t Bytes() const { return FBytes; }
  std::size_t ByteLimit() const { return FByteLimit; }

 private:
  void DropRedoSide();
  void DropOldest();

  std::deque<std::unique_ptr<TEditStep>> FSteps;
  std::size_t FIndex = 0;
  std::size_t FClean = 0;
  bool FCleanValid = true;
  std::size_t FBytes = 0;
  std::size_t FByteLimit;
};
