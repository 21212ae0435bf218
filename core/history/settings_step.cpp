#include "history/settings_step.h"

namespace {

class TSettingsStep : public TEditStep {
 public:
  TSettingsStep(std::string text, const TDocumentSettings& before, const TDocumentSettings& after)
      : TEditStep(std::move(text)), FBefore(before), FAfter(after) {}

  void Redo(TSpriteDocument& document) override { document.Settings = FAfter; }
  void Undo(TSpriteDocument& document) override { document.Settings = FBefore; }
  std::size_t Bytes() const override { return sizeof *this + Text().capacity(); }

 private:
  TDocumentSettings FBefore;
  TDocumentSettings FAfter;
};

}  // namespace

std::unique_ptr<TEditStep> MakeSettingsStep(std::string text, const TDocumentSettings& before,
                                            const TDocumentSettings& after) {
  return std::make_unique<TSettingsStep>(std::move(text), before, after);
}
