// Random sequences of steps of every kind on random documents: undoing them one by one passes
// back through every state the document had, and redoing them through every state after.

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "support/document_compare.h"
#include "exchange/raw_layout.h"
#include "history/frame_move_step.h"
#include "history/history.h"
#include "history/import_step.h"
#include "history/plane_step.h"
#include "history/settings_step.h"
#include "history/stroke_step.h"
#include "support/random_fill.h"

namespace {

struct TState {
  std::uint64_t Pixels;
  TDocumentSettings Settings;
};

TState StateOf(const TSpriteDocument& d) { return {PixelHash(d.Store), d.Settings}; }

bool Same(const TState& a, const TState& b) { return a.Pixels == b.Pixels && a.Settings == b.Settings; }

TDocumentSettings RandomSettings(std::mt19937& rng) {
  TDocumentSettings s;
  s.Format.ByteMode = TByteMode(rng() % 2);
  s.Format.Order = TDataOrder(rng() % 4);
  s.Format.Masked = rng() % 2 != 0;
  s.Format.Arrangement = TMaskArrangement(rng() % 6);
  s.Format.AttrChoice = int(rng() % 4);
  s.Width = int(rng() % 241);
  s.Height = int(rng() % 241);
  s.FrameCount = 1 + int(rng() % 8);
  s.CurrentFrame = int(rng() % 8);
  return Normalized(s);
}

// Pushes one random step; returns false when the step chosen does not apply (a frame move
// with one frame) so that the caller draws again.
bool PushRandomStep(THistory& h, TSpriteDocument& d, std::mt19937& rng, int& stroke) {
  const TDocumentSettings& s = d.Settings;
  switch (rng() % 6) {
    case 0: {  // a stroke of up to 30 cells over both planes
      ++stroke;
      const std::uint8_t value = std::uint8_t(rng() % 2);
      for (int n = 1 + int(rng() % 30); n > 0; --n)
        h.Push(d, MakeStrokeStep(stroke, s.CurrentFrame, rng() % 2 != 0, int(rng() % unsigned(s.Width)),
                                 int(rng() % unsigned(s.Height)), value));
      return true;
    }
    case 1: {
      const auto command = TPlaneCommand(rng() % 14);
      std::optional<TClipboardPlane> block;
      if (command == TPlaneCommand::ClipboardPaste) {
        const int bits = BitsPerByte(s.Format.ByteMode);
        block = TClipboardPlane{s.Width, s.Height, bits, {}};
        for (int k = s.Width / bits * s.Height; k > 0; --k) block->Values.push_back(std::uint8_t(rng()));
      }
      if (command == TPlaneCommand::Paste || command == TPlaneCommand::Merge)
        FillRandom(d.Store.FCopyBuffer, std::uint32_t(rng()));  // copying is no step
      h.Push(d, MakePlaneStep(d, command, rng() % 2 != 0, block));
      return true;
    }
    case 2:
      h.Push(d, MakeSettingsStep("Settings", s, RandomSettings(rng)));
      return true;
    case 3: {
      if (s.FrameCount < 2) return false;
      const int from = s.CurrentFrame;
      const int to = from == 0 ? 1 : from == s.FrameCount - 1 ? from - 1 : from + (rng() % 2 ? 1 : -1);
      h.Push(d, MakeFrameMoveStep(from, to));
      return true;
    }
    case 4: {
      const int block = FrameBlockSize(s.Format, s.Width, s.Height);
      std::vector<std::uint8_t> data(std::size_t(rng() % unsigned(block * 5 + 1)));
      for (auto& b : data) b = std::uint8_t(rng());
      h.Push(d, std::make_unique<TImportStep>(std::move(data)));
      return true;
    }
    default:  // stepping to another frame: not a step
      d.Settings.CurrentFrame = int(rng() % unsigned(s.FrameCount));
      return false;
  }
}

class HistoryProperty : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(HistoryProperty, UndoAndRedoPassThroughEveryState) {
  std::mt19937 rng(GetParam());
  auto doc = std::make_unique<TSpriteDocument>();
  FillRandom(doc->Store, GetParam(), 1 + int(rng() % 8));
  doc->Store.Plane(MaxFrames - 1, true)[239][239] = 1;  // a pixel far away that no step may lose
  doc->Settings = RandomSettings(rng);
  auto start = std::make_unique<TSpriteDocument>();
  CopyDocument(*doc, *start);

  THistory h;
  std::vector<TState> before, after;  // around each step
  // A settings step that moved no frame keeps the frame shown when it is undone or redone.
  std::vector<bool> keepsFrame;
  int stroke = 0;
  while (h.Count() < 20) {
    const TState state = StateOf(*doc);
    const std::size_t count = h.Count();
    PushRandomStep(h, *doc, rng, stroke);
    if (h.Count() == count) continue;
    before.push_back(state);
    after.push_back(StateOf(*doc));
    keepsFrame.push_back(h.UndoText() == "Settings" && state.Settings.FrameCount == doc->Settings.FrameCount &&
                         state.Settings.CurrentFrame == doc->Settings.CurrentFrame);
    if (rng() % 3 == 0) doc->Settings.CurrentFrame = int(rng() % unsigned(doc->Settings.FrameCount));  // stepping
  }
  auto expected = [&](TState state, std::size_t k) {
    if (keepsFrame[k]) state.Settings.CurrentFrame = doc->Settings.CurrentFrame;
    return state;
  };
  const TPlane copyBuffer = doc->Store.FCopyBuffer;

  for (std::size_t k = h.Count(); k-- > 0;) {
    const TState want = expected(before[k], k);
    h.Undo(*doc);
    ASSERT_TRUE(Same(StateOf(*doc), want)) << "undo of step " << k;
  }
  EXPECT_TRUE(h.IsClean());
  // The first state is the start, but for frames stepped to before the first step.
  start->Settings.CurrentFrame = doc->Settings.CurrentFrame;
  start->Store.FCopyBuffer = copyBuffer;  // copying is no step: undo leaves the copy buffer alone
  EXPECT_TRUE(SameDocument(*doc, *start));
  for (std::size_t k = 0; k < h.Count(); ++k) {
    const TState want = expected(after[k], k);
    h.Redo(*doc);
    ASSERT_TRUE(Same(StateOf(*doc), want)) << "redo of step " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, HistoryProperty, ::testing::Range(1u, 25u));

}  // namespace
