#include "history/cells_step.h"

namespace {

// A cell whose pixel the step changed; its old value is the other one.
struct TChangedCell {
  std::uint8_t X;
  std::uint8_t Y;
};

class TCellsStep : public TEditStep {
 public:
  TCellsStep(std::string text, int frame, bool mask, std::vector<TCell> cells, std::uint8_t value)
      : TEditStep(std::move(text)), FFrame(frame), FMask(mask), FValue(value), FCells(std::move(cells)) {}

  void Redo(TSpriteDocument& document) override {
    document.Settings.CurrentFrame = FFrame;
    TPlane& plane = document.Store.Plane(FFrame, FMask);
    if (!FDone) {  // from here on only the cells that changed are kept
      for (const TCell& c : FCells)
        if (plane[c.X][c.Y] != FValue) FChanged.push_back({std::uint8_t(c.X), std::uint8_t(c.Y)});
      FCells = {};
      FChanged.shrink_to_fit();
      FDone = true;
    }
    for (const TChangedCell& c : FChanged) plane[c.X][c.Y] = FValue;
  }

  void Undo(TSpriteDocument& document) override {
    document.Settings.CurrentFrame = FFrame;
    TPlane& plane = document.Store.Plane(FFrame, FMask);
    for (const TChangedCell& c : FChanged) plane[c.X][c.Y] = std::uint8_t(FValue ? 0 : 1);
  }

  std::size_t Bytes() const override {
    return sizeof *this + Text().capacity() + FCells.capacity() * sizeof(TCell) +
           FChanged.capacity() * sizeof(TChangedCell);
  }

 private:
  int FFrame;
  bool FMask;
  std::uint8_t FValue;
  bool FDone = false;
  std::vector<TCell> FCells;
  std::vector<TChangedCell> FChanged;
};

}  // namespace

std::unique_ptr<TEditStep> MakeCellsStep(std::string text, int frame, bool mask, std::vector<TCell> cells,
                                         std::uint8_t value) {
  return std::make_unique<TCellsStep>(std::move(text), frame, mask, std::move(cells), value);
}

bool CellsWouldChange(const TPlane& plane, const std::vector<TCell>& cells, std::uint8_t value) {
  for (const TCell& c : cells)
    if (plane[c.X][c.Y] != value) return true;
  return false;
}
