// The frame steps and the sprite-and-mask steps done, undone and redone on a document whose
// 128 frames all hold different pictures, hidden pixels included: against a list model of
// the frames, and against the two single-plane steps.

#include <gtest/gtest.h>

#include <memory>

#include "history/both_planes_step.h"
#include "history/frame_edit_step.h"
#include "history/history.h"
#include "support/document_compare.h"
#include "support/frame_model.h"
#include "support/random_fill.h"

namespace {

struct TFrameCase {
  TFrameCommand Command;
  int Count;
  int Current;
};

class FrameStepsTest : public ::testing::Test {
 protected:
  void Start(int count, int current) {
    FillRandom(First->Store, 17u);
    FillRandom(First->Store.FCopyBuffer, 18u);
    First->Settings.Width = 18;
    First->Settings.Height = 10;
    First->Settings.Format.Masked = true;
    First->Settings.FrameCount = count;
    First->Settings.CurrentFrame = current;
    CopyDocument(*First, *Doc);
  }
  std::unique_ptr<TSpriteDocument> First = std::make_unique<TSpriteDocument>();
  std::unique_ptr<TSpriteDocument> Doc = std::make_unique<TSpriteDocument>();
  std::unique_ptr<TSpriteDocument> Expected = std::make_unique<TSpriteDocument>();
};

TEST_F(FrameStepsTest, EachCommandDoneUndoneRedoneMatchesTheModel) {
  const TFrameCase cases[] = {
      {TFrameCommand::Insert, 1, 0},      {TFrameCommand::Insert, 5, 0},       {TFrameCommand::Insert, 5, 2},
      {TFrameCommand::Insert, 5, 4},      {TFrameCommand::Insert, 127, 126},   {TFrameCommand::Insert, 127, 0},
      {TFrameCommand::Duplicate, 1, 0},   {TFrameCommand::Duplicate, 5, 0},    {TFrameCommand::Duplicate, 5, 4},
      {TFrameCommand::Duplicate, 127, 126}, {TFrameCommand::Delete, 2, 0},     {TFrameCommand::Delete, 2, 1},
      {TFrameCommand::Delete, 5, 0},      {TFrameCommand::Delete, 5, 2},       {TFrameCommand::Delete, 5, 4},
      {TFrameCommand::Delete, 128, 127},  {TFrameCommand::Delete, 128, 0},
  };
  for (const TFrameCase& c : cases) {
    SCOPED_TRACE(FrameStepText(c.Command) + " at count " + std::to_string(c.Count) + ", frame " +
                 std::to_string(c.Current));
    Start(c.Count, c.Current);
    CopyDocument(*First, *Expected);
    TFrameList model = IdentityFrames();
    switch (c.Command) {
      case TFrameCommand::Insert:
        model = ModelInsert(model, c.Count, c.Current + 1, ClearPicture);
        break;
      case TFrameCommand::Duplicate:
        model = ModelInsert(model, c.Count, c.Current + 1, c.Current);
        break;
      case TFrameCommand::Delete:
        model = ModelDelete(model, c.Count, c.Current);
        break;
    }
    Pictures(*First, model, *Expected);
    const bool removes = c.Command == TFrameCommand::Delete;
    Expected->Settings.FrameCount = c.Count + (removes ? -1 : 1);
    Expected->Settings.CurrentFrame = removes ? std::min(c.Current, c.Count - 2) : c.Current + 1;

    THistory history;
    std::unique_ptr<TEditStep> step = MakeFrameEditStep(*Doc, c.Command);
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(step->Text(), FrameStepText(c.Command));
    history.Push(*Doc, std::move(step));
    EXPECT_TRUE(SameDocument(*Doc, *Expected)) << "done";
    history.Undo(*Doc);
    EXPECT_TRUE(SameDocument(*Doc, *First)) << "undone";
    history.Redo(*Doc);
    EXPECT_TRUE(SameDocument(*Doc, *Expected)) << "redone";
    history.Undo(*Doc);
    EXPECT_TRUE(SameDocument(*Doc, *First)) << "undone again";
  }
}

TEST_F(FrameStepsTest, NoStepBeyondTheCountLimits) {
  const TFrameCase refused[] = {{TFrameCommand::Insert, 128, 0},
                                {TFrameCommand::Insert, 128, 127},
                                {TFrameCommand::Duplicate, 128, 5},
                                {TFrameCommand::Delete, 1, 0}};
  for (const TFrameCase& c : refused) {
    SCOPED_TRACE(FrameStepText(c.Command) + " at count " + std::to_string(c.Count));
    Start(c.Count, c.Current);
    EXPECT_FALSE(FrameCommandAllowed(Doc->Settings, c.Command));
    EXPECT_EQ(MakeFrameEditStep(*Doc, c.Command), nullptr);
  }
  Start(127, 3);
  EXPECT_TRUE(FrameCommandAllowed(Doc->Settings, TFrameCommand::Insert));
  Start(2, 1);
  EXPECT_TRUE(FrameCommandAllowed(Doc->Settings, TFrameCommand::Delete));
}

// Several frame steps in a row, undone all and redone all, come back to each state.
TEST_F(FrameStepsTest, ARunOfFrameStepsUndoesToEachState) {
  Start(3, 1);
  THistory history;
  std::vector<std::uint64_t> hashes{PixelHash(Doc->Store)};
  std::vector<TDocumentSettings> settings{Doc->Settings};
  const TFrameCommand run[] = {TFrameCommand::Duplicate, TFrameCommand::Insert, TFrameCommand::Delete,
                               TFrameCommand::Delete, TFrameCommand::Duplicate, TFrameCommand::Delete};
  for (TFrameCommand c : run) {
    history.Push(*Doc, MakeFrameEditStep(*Doc, c));
    hashes.push_back(PixelHash(Doc->Store));
    settings.push_back(Doc->Settings);
  }
  for (std::size_t i = hashes.size() - 1; i > 0; --i) {
    history.Undo(*Doc);
    EXPECT_EQ(PixelHash(Doc->Store), hashes[i - 1]) << "undo to state " << i - 1;
    EXPECT_EQ(Doc->Settings, settings[i - 1]);
  }
  EXPECT_TRUE(SameDocument(*Doc, *First));
  for (std::size_t i = 1; i < hashes.size(); ++i) {
    history.Redo(*Doc);
    EXPECT_EQ(PixelHash(Doc->Store), hashes[i]) << "redo to state " << i;
    EXPECT_EQ(Doc->Settings, settings[i]);
  }
}

// An insert keeps the one frame it pushes out of the store: a few bytes when that frame is
// clear, a packed random frame (two planes of at most 7,200 bytes) when it is not.
TEST_F(FrameStepsTest, AnInsertKeepsOnlyThePushedOutFrame) {
  Start(5, 0);
  auto bytesOf = [&] {
    THistory history;
    history.Push(*Doc, MakeFrameEditStep(*Doc, TFrameCommand::Insert));
    const std::size_t bytes = history.Bytes();
    history.Undo(*Doc);
    return bytes;
  };
  const std::size_t full = bytesOf();
  EXPECT_GT(full, 2 * 7200u);
  EXPECT_LT(full, 2 * 7200u + 1024u);
  for (bool mask : {false, true}) Doc->Store.Plane(MaxFrames - 1, mask) = {};
  EXPECT_LT(bytesOf(), 512u);
}

// Paste frame writes both planes of the current frame and redoes the same picture, whatever
// has been copied since.
TEST_F(FrameStepsTest, PasteFrameRedoesThePictureItWasGiven) {
  Start(6, 4);
  const TFrameSnapshot picture = TFrameSnapshot::Of(Doc->Store, 1);
  THistory history;
  history.Push(*Doc, MakeFramePasteStep(*Doc, picture));
  CopyDocument(*First, *Expected);
  for (bool mask : {false, true}) Expected->Store.Plane(4, mask) = First->Store.Plane(1, mask);
  EXPECT_TRUE(SameDocument(*Doc, *Expected)) << "done";
  EXPECT_EQ(history.UndoText(), "Paste frame");
  Doc->Settings.CurrentFrame = 0;  // another frame shown: undo shows frame 4 again
  history.Undo(*Doc);
  EXPECT_TRUE(SameDocument(*Doc, *First)) << "undone";
  Doc->Settings.CurrentFrame = 2;
  history.Redo(*Doc);
  EXPECT_TRUE(SameDocument(*Doc, *Expected)) << "redone";
}

// A sprite-and-mask step does what the sprite step and then the mask step do, with hidden
// pixels set and with them clear (a half turn that clears nothing hidden undoes itself).
TEST_F(FrameStepsTest, BothPlanesStepEqualsTheTwoSinglePlaneSteps) {
  const TPlaneCommand commands[] = {TPlaneCommand::ShiftUp,        TPlaneCommand::ShiftLeft,
                                    TPlaneCommand::ShiftRight,     TPlaneCommand::ShiftDown,
                                    TPlaneCommand::FlipHorizontal, TPlaneCommand::FlipVertical,
                                    TPlaneCommand::Rotate90,       TPlaneCommand::Rotate180};
  for (TPlaneCommand c : commands)
    for (bool clearHidden : {false, true}) {
      SCOPED_TRACE(BothPlanesStepText(c) + (clearHidden ? ", hidden area clear" : ""));
      Start(4, 2);
      if (clearHidden)
        for (bool mask : {false, true})
          for (int x = 0; x < MaxSide; ++x)
            for (int y = 0; y < MaxSide; ++y)
              if (x >= 18 || y >= 10) First->Store.Plane(2, mask)[x][y] = 0;
      CopyDocument(*First, *Doc);
      CopyDocument(*First, *Expected);
      THistory single;
      single.Push(*Expected, MakePlaneStep(*Expected, c, false));
      single.Push(*Expected, MakePlaneStep(*Expected, c, true));
      ASSERT_FALSE(SameDocument(*Expected, *First));

      THistory history;
      history.Push(*Doc, MakeBothPlanesStep(*Doc, c));
      EXPECT_EQ(history.Count(), 1u);
      EXPECT_EQ(history.UndoText(), BothPlanesStepText(c));
      EXPECT_TRUE(SameDocument(*Doc, *Expected)) << "done";
      history.Undo(*Doc);
      EXPECT_TRUE(SameDocument(*Doc, *First)) << "undone";
      history.Redo(*Doc);
      EXPECT_TRUE(SameDocument(*Doc, *Expected)) << "redone";
    }
  Start(4, 2);
  EXPECT_EQ(MakeBothPlanesStep(*Doc, TPlaneCommand::Invert), nullptr);
  EXPECT_EQ(BothPlanesStepText(TPlaneCommand::Rotate90), "Rotate sprite and mask 90\u00B0");
}

}  // namespace
