#pragma once
// One step of the edit history: a change of the document that can be taken back and done
// again. Redo does the change (the history calls it once when the step is pushed), Undo
// restores the document as it was before. A step keeps only what it needs for that.

#include <cstddef>
#include <string>
#include <utility>

#include "document/sprite_document.h"

class TEditStep {
 public:
  explicit TEditStep(std::string text) : FText(std::move(text)) {}
  virtual ~TEditStep() = default;
  TEditStep(const TEditStep&) = delete;
  TEditStep& operator=(const TEditStep&) = delete;

  // What the Edit menu names the step by: "Rotate sprite 90°", "Draw".
  const std::string& Text() const { return FText; }

  virtual void Redo(TSpriteDocument& document) = 0;
  virtual void Undo(TSpriteDocument& document) = 0;

  // The memory the step holds, itself included.
  virtual std::size_t Bytes() const = 0;

  // Called on the newest step with a step just pushed and done after it; true when this step
  // took the other one in (one pointer stroke is one step however many cells it touches).
  virtual bool MergeWith(const TEditStep&) { return false; }

 private:
  std::string FText;
};
