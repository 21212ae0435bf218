#include "history/plane_step.h"

#include "editing/plane_ops.h"
#include "editing/transforms.h"

namespace {

const char* PlaneName(bool mask) { return mask ? "mask" : "sprite"; }

bool OwnInverse(TPlaneCommand c) {
  return c == TPlaneCommand::Invert || c == TPlaneCommand::FlipHorizontal || c == TPlaneCommand::FlipVertical;
}

class TPlaneStep : public TEditStep {
 public:
  TPlaneStep(const TSpriteDocument& document, TPlaneCommand command, bool mask, std::optional<TClipboardPlane> block)
      : TEditStep(PlaneStepText(command, mask)),
        FCommand(command),
        FMask(command == TPlaneCommand::StandardMask || mask),
        FFrame(document.Settings.CurrentFrame),
        FWidth(document.Settings.Width),
        FHeight(document.Settings.Height),
        FBlock(std::move(block)) {
    // Paste and merge must do the same again on redo, whatever the copy buffer holds by then.
    if (command == TPlaneCommand::Paste || command == TPlaneCommand::Merge)
      FSource = TPlaneSnapshot(document.Store.FCopyBuffer);
  }

  void Redo(TSpriteDocument& document) override {
    document.Settings.CurrentFrame = FFrame;
    TPlane& plane = document.Store.Plane(FFrame, FMask);
    if (!FKept) {
      // A half turn undoes itself unless it clears hidden pixels.
      const bool selfInverse = OwnInverse(FCommand) ||
                               (FCommand == TPlaneCommand::Rotate180 && HiddenAreaClear(plane, FWidth, FHeight));
      if (!selfInverse) FBefore = TPlaneSnapshot(plane);
      FRestores = !selfInverse;
      FKept = true;
    }
    Apply(document.Store);
  }

  void Undo(TSpriteDocument& document) override {
    document.Settings.CurrentFrame = FFrame;
    if (FRestores)
      FBefore.RestoreTo(document.Store.Plane(FFrame, FMask));
    else
      Apply(document.Store);
  }

  std::size_t Bytes() const override {
    return sizeof *this + Text().capacity() + FBefore.Bytes() + FSource.Bytes() +
           (FBlock ? FBlock->Values.capacity() : 0);
  }

 private:
  void Apply(TSpriteStore& store) const {
    switch (FCommand) {
      case TPlaneCommand::Paste:
        FSource.RestoreTo(store.Plane(FFrame, FMask));
        break;
      case TPlaneCommand::Merge: {
        TPlane source;
        FSource.RestoreTo(source);
        MergeInto(store.Plane(FFrame, FMask), source);
        break;
      }
      case TPlaneCommand::Clear:
        ClearFrame(store, FFrame, FMask);
        break;
      case TPlaneCommand::Invert:
        InvertPlane(store, FFrame, FMask);
        break;
      case TPlaneCommand::StandardMask:
        GenerateStandardMask(store, FFrame, FWidth, FHeight);
        break;
      case TPlaneCommand::ShiftUp:
        ShiftPlane(store, FFrame, sdUp, FMask);
        break;
      case TPlaneCommand::ShiftLeft:
        ShiftPlane(store, FFrame, sdLeft, FMask);
        break;
      case TPlaneCommand::ShiftRight:
        ShiftPlane(store, FFrame, sdRight, FMask);
        break;
      case TPlaneCommand::ShiftDown:
        ShiftPlane(store, FFrame, sdDown, FMask);
        break;
      case TPlaneCommand::FlipHorizontal:
        FlipPlane(store, FFrame, false, FMask, FWidth, FHeight);
        break;
      case TPlaneCommand::FlipVertical:
        FlipPlane(store, FFrame, true, FMask, FWidth, FHeight);
        break;
      case TPlaneCommand::Rotate90:
        RotatePlane(store, FFrame, false, FMask, FWidth, FHeight);
        break;
      case TPlaneCommand::Rotate180:
        RotatePlane(store, FFrame, true, FMask, FWidth, FHeight);
        break;
      case TPlaneCommand::ClipboardPaste:
        if (FBlock) WriteClipboardPlane(store, FFrame, FMask, *FBlock);
        break;
    }
  }

  TPlaneCommand FCommand;
  bool FMask;
  int FFrame;
  int FWidth;
  int FHeight;
  std::optional<TClipboardPlane> FBlock;
  TPlaneSnapshot FSource;
  TPlaneSnapshot FBefore;
  bool FKept = false;
  bool FRestores = false;
};

}  // namespace

std::string PlaneStepText(TPlaneCommand command, bool mask) {
  const std::string plane = PlaneName(mask);
  switch (command) {
    case TPlaneCommand::Paste: return "Paste to " + plane;
    case TPlaneCommand::Merge: return "Merge with " + plane;
    case TPlaneCommand::Clear: return "Clear " + plane;
    case TPlaneCommand::Invert: return "Invert " + plane;
    case TPlaneCommand::StandardMask: return "Generate standard mask";
    case TPlaneCommand::ShiftUp: return "Shift " + plane + " up";
    case TPlaneCommand::ShiftLeft: return "Shift " + plane + " left";
    case TPlaneCommand::ShiftRight: return "Shift " + plane + " right";
    case TPlaneCommand::ShiftDown: return "Shift " + plane + " down";
    case TPlaneCommand::FlipHorizontal: return "Flip " + plane + " horizontal";
    case TPlaneCommand::FlipVertical: return "Flip " + plane + " vertical";
    case TPlaneCommand::Rotate90: return "Rotate " + plane + " 90\u00B0";
    case TPlaneCommand::Rotate180: return "Rotate " + plane + " 180\u00B0";
    case TPlaneCommand::ClipboardPaste: return "Paste from clipboard to " + plane;
  }
  return {};
}

std::unique_ptr<TEditStep> MakePlaneStep(const TSpriteDocument& document, TPlaneCommand command, bool mask,
                                         std::optional<TClipboardPlane> block) {
  return std::make_unique<TPlaneStep>(document, command, mask, std::move(block));
}
