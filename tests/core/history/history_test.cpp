// The history's bookkeeping: the saved state, what a push after undo drops, merging of
// strokes, and the byte limit.

#include "history/history.h"

#include <gtest/gtest.h>

#include <memory>

#include "history/stroke_step.h"

namespace {

// A step of a given size that records what was done to a counter in the document's width.
class TCountStep : public TEditStep {
 public:
  TCountStep(std::string text, std::size_t bytes) : TEditStep(std::move(text)), FBytes(bytes) {}
  void Redo(TSpriteDocument& d) override { ++d.Settings.Width; }
  void Undo(TSpriteDocument& d) override { --d.Settings.Width; }
  std::size_t Bytes() const override { return FBytes; }

 private:
  std::size_t FBytes;
};

std::unique_ptr<TEditStep> Step(const char* text, std::size_t bytes = 10) {
  return std::make_unique<TCountStep>(text, bytes);
}

class HistoryTest : public ::testing::Test {
 protected:
  std::unique_ptr<TSpriteDocument> Doc = std::make_unique<TSpriteDocument>();
  int Width() const { return Doc->Settings.Width; }
};

TEST_F(HistoryTest, TextsAndStatesFollowUndoAndRedo) {
  THistory h;
  EXPECT_FALSE(h.CanUndo());
  EXPECT_FALSE(h.CanRedo());
  EXPECT_EQ(h.UndoText(), "");
  h.Push(*Doc, Step("one"));
  h.Push(*Doc, Step("two"));
  EXPECT_EQ(Width(), 14);
  EXPECT_EQ(h.UndoText(), "two");
  EXPECT_EQ(h.RedoText(), "");
  h.Undo(*Doc);
  EXPECT_EQ(h.UndoText(), "one");
  EXPECT_EQ(h.RedoText(), "two");
  h.Undo(*Doc);
  h.Undo(*Doc);  // nothing left: no change
  EXPECT_EQ(Width(), 12);
  EXPECT_FALSE(h.CanUndo());
  h.Redo(*Doc);
  h.Redo(*Doc);
  h.Redo(*Doc);
  EXPECT_EQ(Width(), 14);
  EXPECT_EQ(h.Index(), 2u);
}

TEST_F(HistoryTest, CleanIsTheSavedStateAndIsLostWhenItsBranchIsReplaced) {
  THistory h;
  EXPECT_TRUE(h.IsClean());
  h.Push(*Doc, Step("a"));
  h.Push(*Doc, Step("b"));
  h.SetClean();  // saved after two steps
  h.Undo(*Doc);
  EXPECT_FALSE(h.IsClean());
  h.Redo(*Doc);
  EXPECT_TRUE(h.IsClean());
  h.Undo(*Doc);
  h.Undo(*Doc);
  h.Push(*Doc, Step("c"));  // drops b: the saved state can no longer be reached
  EXPECT_EQ(h.Count(), 1u);
  EXPECT_FALSE(h.IsClean());
  h.Undo(*Doc);
  EXPECT_FALSE(h.IsClean());
  h.Clear();
  EXPECT_TRUE(h.IsClean());
  EXPECT_EQ(h.Count(), 0u);
  EXPECT_EQ(h.Bytes(), 0u);
}

TEST_F(HistoryTest, StrokeCellsMergeIntoOneStepPerStrokeButNotIntoTheSavedState) {
  THistory h;
  h.Push(*Doc, MakeStrokeStep(1, 0, false, 0, 0, 1));
  h.Push(*Doc, MakeStrokeStep(1, 0, true, 1, 0, 1));  // across panes: the same stroke
  h.Push(*Doc, MakeStrokeStep(2, 0, false, 2, 0, 1));  // the next stroke
  h.Push(*Doc, MakeStrokeStep(2, 1, false, 3, 0, 1));  // another frame: apart
  EXPECT_EQ(h.Count(), 3u);
  h.SetClean();
  h.Push(*Doc, MakeStrokeStep(2, 1, false, 4, 0, 1));
  EXPECT_EQ(h.Count(), 4u);
  h.Undo(*Doc);
  EXPECT_EQ(Doc->Store.Pixel(1, false, 4, 0), 0);
  EXPECT_EQ(Doc->Store.Pixel(1, false, 3, 0), 1);
  h.Undo(*Doc);
  h.Undo(*Doc);
  h.Undo(*Doc);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(Doc->Store.Pixel(0, false, x, 0) + Doc->Store.Pixel(0, true, x, 0), 0);
}

TEST_F(HistoryTest, OldestStepsGoWhenTheLimitWouldBePassed) {
  THistory h(100);
  for (int i = 0; i < 10; ++i) h.Push(*Doc, Step("s", 30));
  EXPECT_EQ(h.Count(), 3u);
  EXPECT_EQ(h.Bytes(), 90u);
  EXPECT_EQ(Width(), 22);
  while (h.CanUndo()) h.Undo(*Doc);
  EXPECT_EQ(Width(), 19);  // only the three kept steps come back
  EXPECT_FALSE(h.IsClean()) << "the opened state was dropped";

  THistory big(100);
  big.Push(*Doc, Step("huge", 500));  // the newest step always stays
  EXPECT_EQ(big.Count(), 1u);
  big.Push(*Doc, Step("next", 10));
  EXPECT_EQ(big.Count(), 1u);
  EXPECT_EQ(big.UndoText(), "next");
}

TEST_F(HistoryTest, DroppingKeepsALaterSavedStateReachable) {
  THistory h(100);
  for (int i = 0; i < 3; ++i) h.Push(*Doc, Step("s", 30));
  h.SetClean();
  h.Push(*Doc, Step("s", 30));  // drops the first step
  EXPECT_EQ(h.Count(), 3u);
  h.Undo(*Doc);
  EXPECT_TRUE(h.IsClean());
}

}  // namespace
