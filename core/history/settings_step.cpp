#include "history/settings_step.h"

#include <algorithm>

namespace {

class TSettingsStep : public TEditStep {
 public:
  TSettingsStep(std::string text, const TDocumentSettings& before, const TDocumentSettings& after)
      : TEditStep(std::move(text)), FBefore(before), FAfter(after) {}

  void Redo(TSpriteDocument& document) override { Apply(document, FAfter); }
  void Undo(TSpriteDocument& document) override { Apply(document, FBefore); }
  std::size_t Bytes() const override { return sizeof *this + Text().capacity(); }

 private:
  // A change that moved the current frame (a lower frame count) moves it back and forth; any
  // other keeps the frame shown, since it changed no frame.
  void Apply(TSpriteDocument& document, const TDocumentSettings& settings) const {
    const int shown = document.Settings.CurrentFrame;
    document.Settings = settings;
    if (FBefore.CurrentFrame == FAfter.CurrentFrame && FBefore.FrameCount == FAfter.FrameCount)
      document.Settings.CurrentFrame = std::clamp(shown, 0, settings.FrameCount - 1);
  }

  TDocumentSettings FBefore;
  TDocumentSettings FAfter;
};

}  // namespace

std::unique_ptr<TEditStep> MakeSettingsStep(std::string text, const TDocumentSettings& before,
                                            const TDocumentSettings& after) {
  return std::make_unique<TSettingsStep>(std::move(text), before, after);
}
