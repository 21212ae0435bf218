#pragma once
// An Import as a history step: the raw file's frames replace the document's, the frame count
// becomes the number of frames read and the first frame is shown. The step keeps the whole
// document before it as a project file (run-length packed) and the bytes it read, to read
// them again on redo.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "history/edit_step.h"

class TImportStep : public TEditStep {
 public:
  // `data` has passed ImportLengthAccepted for the document's data format.
  explicit TImportStep(std::vector<std::uint8_t> data);

  void Redo(TSpriteDocument& document) override;
  void Undo(TSpriteDocument& document) override;
  std::size_t Bytes() const override;

  // Frames read from the data (0 for an empty file, which leaves one clear frame).
  int FramesRead() const { return FFramesRead; }

 private:
  std::vector<std::uint8_t> FData;
  std::vector<std::uint8_t> FBefore;  // the document before, as a project file
  int FFramesRead = 0;
};
