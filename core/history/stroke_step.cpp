#include "history/stroke_step.h"

#include <vector>

namespace {

// A cell whose pixel changed, with the value it had. Cells that already held the stroke's
// value are not kept: neither undo nor redo changes them.
struct TStrokeCell {
  std::uint8_t X;
  std::uint8_t Y;
  std::uint8_t Mask : 1;
  std::uint8_t Old : 1;
};
static_assert(sizeof(TStrokeCell) == 3);

class TStrokeStep : public TEditStep {
 public:
  TStrokeStep(int stroke, int frame, bool mask, int x, int y, std::uint8_t value)
      : TEditStep(value ? "Draw" : "Erase"),
        FStroke(stroke),
        FFrame(frame),
        FValue(value),
        FFirst{std::uint8_t(x), std::uint8_t(y), std::uint8_t(mask), 0} {}

  void Redo(TSpriteDocument& document) override {
    document.Settings.CurrentFrame = FFrame;
    TSpriteStore& store = document.Store;
    if (!FDone) {
      const std::uint8_t old = store.Pixel(FFrame, FFirst.Mask, FFirst.X, FFirst.Y);
      if (old != FValue) FCells.push_back({FFirst.X, FFirst.Y, FFirst.Mask, old});
      FDone = true;
    }
    for (const TStrokeCell& c : FCells) store.SetPixel(FFrame, c.Mask, c.X, c.Y, FValue);
  }

  void Undo(TSpriteDocument& document) override {
    document.Settings.CurrentFrame = FFrame;
    for (auto c = FCells.rbegin(); c != FCells.rend(); ++c) document.Store.SetPixel(FFrame, c->Mask, c->X, c->Y, c->Old);
  }

  std::size_t Bytes() const override { return sizeof *this + FCells.capacity() * sizeof(TStrokeCell); }

  bool MergeWith(const TEditStep& next) override {
    const auto* other = dynamic_cast<const TStrokeStep*>(&next);
    if (other == nullptr || other->FStroke != FStroke || other->FFrame != FFrame || other->FValue != FValue) return false;
    FCells.insert(FCells.end(), other->FCells.begin(), other->FCells.end());
    return true;
  }

 private:
  int FStroke;
  int FFrame;
  std::uint8_t FValue;
  TStrokeCell FFirst;
  bool FDone = false;
  std::vector<TStrokeCell> FCells;
};

}  // namespace

std::unique_ptr<TEditStep> MakeStrokeStep(int stroke, int frame, bool mask, int x, int y, std::uint8_t value) {
  return std::make_unique<TStrokeStep>(stroke, frame, mask, x, y, value);
}
