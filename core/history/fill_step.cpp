#include "history/fill_step.h"

#include "history/plane_snapshot.h"

namespace {

// Keeps the plane as it was before; redo fills again, which gives the same pixels because the
// history redoes a step only on the document it was done on.
class TFillStep : public TEditStep {
 public:
  TFillStep(int frame, bool mask, int width, int height, std::vector<TCell> seeds, std::uint8_t value)
      : TEditStep("Fill"), FFrame(frame), FMask(mask), FWidth(width), FHeight(height), FValue(value),
        FSeeds(std::move(seeds)) {}

  void Redo(TSpriteDocument& document) override {
    document.Settings.CurrentFrame = FFrame;
    TPlane& plane = document.Store.Plane(FFrame, FMask);
    if (!FKept) {
      FBefore = TPlaneSnapshot(plane);
      FKept = true;
    }
    for (const TCell& seed : FSeeds) FloodFill(plane, FWidth, FHeight, seed, FValue);
  }

  void Undo(TSpriteDocument& document) override {
    document.Settings.CurrentFrame = FFrame;
    FBefore.RestoreTo(document.Store.Plane(FFrame, FMask));
  }

  std::size_t Bytes() const override {
    return sizeof *this + Text().capacity() + FSeeds.capacity() * sizeof(TCell) + FBefore.Bytes();
  }

 private:
  int FFrame;
  bool FMask;
  int FWidth;
  int FHeight;
  std::uint8_t FValue;
  std::vector<TCell> FSeeds;
  TPlaneSnapshot FBefore;
  bool FKept = false;
};

}  // namespace

std::unique_ptr<TEditStep> MakeFillStep(int frame, bool mask, int width, int height, std::vector<TCell> seeds,
                                        std::uint8_t value) {
  return std::make_unique<TFillStep>(frame, mask, width, height, std::move(seeds), value);
}

bool FillWouldChange(const TPlane& plane, int width, int height, const std::vector<TCell>& seeds, std::uint8_t value) {
  for (const TCell& s : seeds)
    if (s.X >= 0 && s.X < width && s.Y >= 0 && s.Y < height && plane[s.X][s.Y] != value) return true;
  return false;
}
