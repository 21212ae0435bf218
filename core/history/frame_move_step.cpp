#include "history/frame_move_step.h"

#include "editing/frame_exchange.h"

namespace {

class TFrameMoveStep : public TEditStep {
 public:
  TFrameMoveStep(int from, int to)
      : TEditStep(to < from ? "Move sprite to previous frame" : "Move sprite to next frame"), FFrom(from), FTo(to) {}

  void Redo(TSpriteDocument& document) override {
    ExchangeFrames(document.Store, FFrom, FTo);
    document.Settings.CurrentFrame = FTo;
  }

  void Undo(TSpriteDocument& document) override {
    ExchangeFrames(document.Store, FFrom, FTo);
    document.Settings.CurrentFrame = FFrom;
  }

  std::size_t Bytes() const override { return sizeof *this + Text().capacity(); }

 private:
  int FFrom;
  int FTo;
};

}  // namespace

std::unique_ptr<TEditStep> MakeFrameMoveStep(int from, int to) { return std::make_unique<TFrameMoveStep>(from, to); }
