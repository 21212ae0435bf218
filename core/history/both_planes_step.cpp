#include "history/both_planes_step.h"

namespace {

class TBothPlanesStep : public TEditStep {
 public:
  TBothPlanesStep(const TSpriteDocument& document, TPlaneCommand command)
      : TEditStep(BothPlanesStepText(command)),
        FSprite(MakePlaneStep(document, command, false)),
        FMask(MakePlaneStep(document, command, true)) {}

  void Redo(TSpriteDocument& document) override {
    FSprite->Redo(document);
    FMask->Redo(document);
  }

  void Undo(TSpriteDocument& document) override {
    FMask->Undo(document);
    FSprite->Undo(document);
  }

  std::size_t Bytes() const override { return sizeof *this + Text().capacity() + FSprite->Bytes() + FMask->Bytes(); }

 private:
  std::unique_ptr<TEditStep> FSprite;
  std::unique_ptr<TEditStep> FMask;
};

}  // namespace

bool HasBothPlanesForm(TPlaneCommand command) {
  switch (command) {
    case TPlaneCommand::ShiftUp:
    case TPlaneCommand::ShiftLeft:
    case TPlaneCommand::ShiftRight:
    case TPlaneCommand::ShiftDown:
    case TPlaneCommand::FlipHorizontal:
    case TPlaneCommand::FlipVertical:
    case TPlaneCommand::Rotate90:
    case TPlaneCommand::Rotate180:
      return true;
    default:
      return false;
  }
}

std::string BothPlanesStepText(TPlaneCommand command) {
  switch (command) {
    case TPlaneCommand::ShiftUp: return "Shift sprite and mask up";
    case TPlaneCommand::ShiftLeft: return "Shift sprite and mask left";
    case TPlaneCommand::ShiftRight: return "Shift sprite and mask right";
    case TPlaneCommand::ShiftDown: return "Shift sprite and mask down";
    case TPlaneCommand::FlipHorizontal: return "Flip sprite and mask horizontal";
    case TPlaneCommand::FlipVertical: return "Flip sprite and mask vertical";
    case TPlaneCommand::Rotate90: return "Rotate sprite and mask 90\u00B0";
    case TPlaneCommand::Rotate180: return "Rotate sprite and mask 180\u00B0";
    default: return {};
  }
}

std::unique_ptr<TEditStep> MakeBothPlanesStep(const TSpriteDocument& document, TPlaneCommand command) {
  if (!HasBothPlanesForm(command)) return nullptr;
  return std::make_unique<TBothPlanesStep>(document, command);
}
