#include "history/frame_edit_step.h"

#include <algorithm>

#include "editing/frame_ops.h"

namespace {

class TFrameEditStep : public TEditStep {
 public:
  TFrameEditStep(const TDocumentSettings& settings, TFrameCommand command)
      : TEditStep(FrameStepText(command)),
        FCommand(command),
        FCountBefore(settings.FrameCount),
        FFrameBefore(settings.CurrentFrame) {
    if (command == TFrameCommand::Delete) {
      FCountAfter = FCountBefore - 1;
      FFrameAfter = std::min(FFrameBefore, FCountAfter - 1);
    } else {
      FCountAfter = FCountBefore + 1;
      FFrameAfter = FFrameBefore + 1;
    }
  }

  void Redo(TSpriteDocument& document) override {
    TSpriteStore& store = document.Store;
    switch (FCommand) {
      case TFrameCommand::Insert:
      case TFrameCommand::Duplicate:
        // The store's last frame is the one the new frame pushes out.
        FKept = TFrameSnapshot::Of(store, MaxFrames - 1);
        if (FCommand == TFrameCommand::Insert)
          InsertFrame(store, FCountBefore, FFrameBefore + 1);
        else
          DuplicateFrame(store, FCountBefore, FFrameBefore);
        break;
      case TFrameCommand::Delete:
        FKept = TFrameSnapshot::Of(store, FFrameBefore);
        DeleteFrame(store, FCountBefore, FFrameBefore);
        break;
    }
    document.Settings.FrameCount = FCountAfter;
    document.Settings.CurrentFrame = FFrameAfter;
  }

  void Undo(TSpriteDocument& document) override {
    TSpriteStore& store = document.Store;
    if (FCommand == TFrameCommand::Delete) {
      // The last frame, which the delete cleared, is the one the insert pushes out.
      InsertFrame(store, FCountAfter, FFrameBefore);
      FKept.RestoreTo(store, FFrameBefore);
    } else {
      DeleteFrame(store, FCountAfter, FFrameBefore + 1);
      FKept.RestoreTo(store, MaxFrames - 1);
    }
    document.Settings.FrameCount = FCountBefore;
    document.Settings.CurrentFrame = FFrameBefore;
  }

  std::size_t Bytes() const override { return sizeof *this + Text().capacity() + FKept.Bytes(); }

 private:
  TFrameCommand FCommand;
  int FCountBefore;
  int FFrameBefore;
  int FCountAfter = 0;
  int FFrameAfter = 0;
  TFrameSnapshot FKept;
};

class TFramePasteStep : public TEditStep {
 public:
  TFramePasteStep(int frame, TFrameSnapshot picture)
      : TEditStep("Paste frame"), FFrame(frame), FPicture(std::move(picture)) {}

  void Redo(TSpriteDocument& document) override {
    FBefore = TFrameSnapshot::Of(document.Store, FFrame);
    FPicture.RestoreTo(document.Store, FFrame);
    document.Settings.CurrentFrame = FFrame;
  }

  void Undo(TSpriteDocument& document) override {
    FBefore.RestoreTo(document.Store, FFrame);
    document.Settings.CurrentFrame = FFrame;
  }

  std::size_t Bytes() const override {
    return sizeof *this + Text().capacity() + FPicture.Bytes() + FBefore.Bytes();
  }

 private:
  int FFrame;
  TFrameSnapshot FPicture;
  TFrameSnapshot FBefore;
};

}  // namespace

std::string FrameStepText(TFrameCommand command) {
  switch (command) {
    case TFrameCommand::Insert: return "Insert frame";
    case TFrameCommand::Duplicate: return "Duplicate frame";
    case TFrameCommand::Delete: return "Delete frame";
  }
  return {};
}

bool FrameCommandAllowed(const TDocumentSettings& settings, TFrameCommand command) {
  const int count = settings.FrameCount;
  if (count < 1 || count > MaxFrames || settings.CurrentFrame < 0 || settings.CurrentFrame >= count) return false;
  return command == TFrameCommand::Delete ? count > 1 : count < MaxFrames;
}

std::unique_ptr<TEditStep> MakeFrameEditStep(const TSpriteDocument& document, TFrameCommand command) {
  if (!FrameCommandAllowed(document.Settings, command)) return nullptr;
  return std::make_unique<TFrameEditStep>(document.Settings, command);
}

std::unique_ptr<TEditStep> MakeFramePasteStep(const TSpriteDocument& document, TFrameSnapshot picture) {
  return std::make_unique<TFramePasteStep>(document.Settings.CurrentFrame, std::move(picture));
}
