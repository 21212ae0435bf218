// Every kind of history step done, undone and redone on a document with pixels everywhere
// (hidden ones and other frames included), against the plain operation applied to a copy.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "support/document_compare.h"
#include "editing/frame_exchange.h"
#include "editing/plane_ops.h"
#include "editing/transforms.h"
#include "exchange/raw_layout.h"
#include "history/frame_move_step.h"
#include "history/history.h"
#include "history/import_step.h"
#include "history/plane_step.h"
#include "history/replace_step.h"
#include "exchange/project_document.h"
#include "history/settings_step.h"
#include "history/stroke_step.h"
#include "support/random_fill.h"

namespace {

constexpr int Frame = 2;

void MakeDocument(TSpriteDocument& d, bool clearHidden) {
  FillRandom(d.Store, 5u, 4);
  FillRandom(d.Store.FCopyBuffer, 6u);
  d.Settings.Width = 12;
  d.Settings.Height = 24;
  d.Settings.FrameCount = 4;
  d.Settings.CurrentFrame = Frame;
  if (clearHidden)
    for (bool mask : {false, true}) {
      TPlane& p = d.Store.Plane(Frame, mask);
      for (int x = 0; x < MaxSide; ++x)
        for (int y = 0; y < MaxSide; ++y)
          if (x >= 12 || y >= 24) p[x][y] = 0;
    }
}

std::vector<std::uint8_t> RawBytes(int n) {
  std::vector<std::uint8_t> data(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) data[std::size_t(i)] = std::uint8_t(i * 37 + 11);
  return data;
}

struct TStepCase {
  std::string Name;
  bool ClearHidden;
  std::function<void(THistory&, TSpriteDocument&)> Push;   // the step, through the history
  std::function<void(TSpriteDocument&)> Plain;             // the same change done directly
};

std::vector<TStepCase> Cases() {
  std::vector<TStepCase> cases;
  struct TPlaneRow {
    TPlaneCommand Command;
    std::function<void(TSpriteStore&, bool)> Plain;
  };
  const TPlaneRow planeRows[] = {
      {TPlaneCommand::Paste, [](TSpriteStore& s, bool m) { PastePlane(s, Frame, m); }},
      {TPlaneCommand::Merge, [](TSpriteStore& s, bool m) { MergePlane(s, Frame, m); }},
      {TPlaneCommand::Clear, [](TSpriteStore& s, bool m) { ClearFrame(s, Frame, m); }},
      {TPlaneCommand::Invert, [](TSpriteStore& s, bool m) { InvertPlane(s, Frame, m); }},
      {TPlaneCommand::ShiftUp, [](TSpriteStore& s, bool m) { ShiftPlane(s, Frame, sdUp, m); }},
      {TPlaneCommand::ShiftLeft, [](TSpriteStore& s, bool m) { ShiftPlane(s, Frame, sdLeft, m); }},
      {TPlaneCommand::ShiftRight, [](TSpriteStore& s, bool m) { ShiftPlane(s, Frame, sdRight, m); }},
      {TPlaneCommand::ShiftDown, [](TSpriteStore& s, bool m) { ShiftPlane(s, Frame, sdDown, m); }},
      {TPlaneCommand::FlipHorizontal, [](TSpriteStore& s, bool m) { FlipPlane(s, Frame, false, m, 12, 24); }},
      {TPlaneCommand::FlipVertical, [](TSpriteStore& s, bool m) { FlipPlane(s, Frame, true, m, 12, 24); }},
      {TPlaneCommand::Rotate90, [](TSpriteStore& s, bool m) { RotatePlane(s, Frame, false, m, 12, 24); }},
      {TPlaneCommand::Rotate180, [](TSpriteStore& s, bool m) { RotatePlane(s, Frame, true, m, 12, 24); }},
  };
  for (const TPlaneRow& row : planeRows)
    for (bool mask : {false, true})
      for (bool clearHidden : {false, true}) {
        if (clearHidden && row.Command != TPlaneCommand::Rotate180) continue;
        cases.push_back({PlaneStepText(row.Command, mask) + (clearHidden ? ", hidden area clear" : ""), clearHidden,
                         [c = row.Command, mask](THistory& h, TSpriteDocument& d) {
                           h.Push(d, MakePlaneStep(d, c, mask));
                         },
                         [plain = row.Plain, mask](TSpriteDocument& d) { plain(d.Store, mask); }});
      }
  cases.push_back({"Generate standard mask", false,
                   [](THistory& h, TSpriteDocument& d) { h.Push(d, MakePlaneStep(d, TPlaneCommand::StandardMask, true)); },
                   [](TSpriteDocument& d) { GenerateStandardMask(d.Store, Frame, 12, 24); }});
  cases.push_back({"Paste from clipboard to mask", false,
                   [](THistory& h, TSpriteDocument& d) {
                     TClipboardPlane block{12, 2, 6, {1, 2, 3, 4}};
                     h.Push(d, MakePlaneStep(d, TPlaneCommand::ClipboardPaste, true, block));
                   },
                   [](TSpriteDocument& d) { WriteClipboardPlane(d.Store, Frame, true, {12, 2, 6, {1, 2, 3, 4}}); }});
  // A stroke over both panes that comes back over its own cells and crosses set ones.
  static const int cells[][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0}, {11, 23, 0}, {3, 3, 1}, {4, 3, 1}, {3, 3, 1}};
  for (std::uint8_t value : {std::uint8_t(1), std::uint8_t(0)})
    cases.push_back({value ? "Draw" : "Erase", false,
                     [value](THistory& h, TSpriteDocument& d) {
                       for (const auto& c : cells) h.Push(d, MakeStrokeStep(7, Frame, c[2] != 0, c[0], c[1], value));
                     },
                     [value](TSpriteDocument& d) {
                       for (const auto& c : cells) d.Store.SetPixel(Frame, c[2] != 0, c[0], c[1], value);
                     }});
  for (int to : {Frame - 1, Frame + 1})
    cases.push_back({to < Frame ? "Move sprite to previous frame" : "Move sprite to next frame", false,
                     [to](THistory& h, TSpriteDocument& d) { h.Push(d, MakeFrameMoveStep(Frame, to)); },
                     [to](TSpriteDocument& d) {
                       ExchangeFrames(d.Store, Frame, to);
                       d.Settings.CurrentFrame = to;
                     }});
  cases.push_back({"Settings", false,
                   [](THistory& h, TSpriteDocument& d) {
                     TDocumentSettings after = d.Settings;
                     after.Format = {bmClassic8, doByColumnsZigZag, false, maDataLineFirst, 3};
                     after.Width = 16;
                     after.FrameCount = 2;
                     after.CurrentFrame = 1;
                     h.Push(d, MakeSettingsStep("Byte mode", d.Settings, after));
                   },
                   [](TSpriteDocument& d) {
                     d.Settings.Format = {bmClassic8, doByColumnsZigZag, false, maDataLineFirst, 3};
                     d.Settings.Width = 16;
                     d.Settings.FrameCount = 2;
                     d.Settings.CurrentFrame = 1;
                   }});
  // 96-byte frames: 5 frames, the last one partial.
  cases.push_back({"Import", false,
                   [](THistory& h, TSpriteDocument& d) { h.Push(d, std::make_unique<TImportStep>(RawBytes(450))); },
                   [](TSpriteDocument& d) {
                     const std::vector<std::uint8_t> data = RawBytes(450);
                     d.Settings.FrameCount = ImportFrames(d.Store, d.Settings.Format, 12, 24, data);
                     d.Settings.CurrentFrame = 0;
                   }});
  // Another document altogether, as an image import makes it: every frame and the size.
  cases.push_back({"Import image", false,
                   [](THistory& h, TSpriteDocument& d) {
                     auto other = std::make_unique<TSpriteDocument>();
                     FillRandom(other->Store, 77u, 2);
                     other->Settings.Width = 18;
                     other->Settings.Height = 10;
                     other->Settings.FrameCount = 2;
                     h.Push(d, MakeReplaceStep("Import image", BuildDocumentFile(*other)));
                   },
                   [](TSpriteDocument& d) {
                     auto other = std::make_unique<TSpriteDocument>();
                     FillRandom(other->Store, 77u, 2);
                     other->Store.FCopyBuffer = d.Store.FCopyBuffer;  // no part of a document file
                     other->Settings.Width = 18;
                     other->Settings.Height = 10;
                     other->Settings.FrameCount = 2;
                     CopyDocument(*other, d);
                   }});
  return cases;
}

TEST(HistorySteps, EachKindDoneUndoneRedoneMatchesThePlainOperation) {
  auto doc = std::make_unique<TSpriteDocument>();
  auto start = std::make_unique<TSpriteDocument>();
  auto done = std::make_unique<TSpriteDocument>();
  for (const TStepCase& c : Cases()) {
    SCOPED_TRACE(c.Name);
    MakeDocument(*doc, c.ClearHidden);
    CopyDocument(*doc, *start);
    CopyDocument(*doc, *done);
    c.Plain(*done);
    ASSERT_FALSE(SameDocument(*start, *done)) << "the case must change something";

    THistory history;
    c.Push(history, *doc);
    EXPECT_EQ(history.Count(), 1u) << "one step however many pushes";
    EXPECT_FALSE(history.IsClean());
    EXPECT_TRUE(SameDocument(*doc, *done)) << "done";
    history.Undo(*doc);
    EXPECT_TRUE(history.IsClean());
    EXPECT_TRUE(SameDocument(*doc, *start)) << "undone";
    history.Redo(*doc);
    EXPECT_FALSE(history.IsClean());
    EXPECT_TRUE(SameDocument(*doc, *done)) << "redone";
    history.Undo(*doc);
    EXPECT_TRUE(SameDocument(*doc, *start)) << "undone again";
  }
}

// Paste and merge take the copy buffer as it was: copying something else before redo does
// not change what the redo pastes.
TEST(HistorySteps, PasteAndMergeRedoWhatTheyFirstDid) {
  auto doc = std::make_unique<TSpriteDocument>();
  auto done = std::make_unique<TSpriteDocument>();
  for (TPlaneCommand c : {TPlaneCommand::Paste, TPlaneCommand::Merge}) {
    MakeDocument(*doc, false);
    THistory history;
    history.Push(*doc, MakePlaneStep(*doc, c, false));
    CopyDocument(*doc, *done);
    history.Undo(*doc);
    FillRandom(doc->Store.FCopyBuffer, 99u);
    done->Store.FCopyBuffer = doc->Store.FCopyBuffer;
    history.Redo(*doc);
    EXPECT_TRUE(SameDocument(*doc, *done));
  }
}

// Undo and redo show the frame the step changed, whichever frame is shown when they run.
TEST(HistorySteps, UndoShowsTheFrameTheStepChanged) {
  auto doc = std::make_unique<TSpriteDocument>();
  MakeDocument(*doc, false);
  THistory history;
  history.Push(*doc, MakePlaneStep(*doc, TPlaneCommand::Invert, true));
  history.Push(*doc, MakeStrokeStep(1, Frame, false, 2, 2, 1));
  doc->Settings.CurrentFrame = 0;  // stepping between frames is no step
  history.Undo(*doc);
  EXPECT_EQ(doc->Settings.CurrentFrame, Frame);
  doc->Settings.CurrentFrame = 3;
  history.Undo(*doc);
  EXPECT_EQ(doc->Settings.CurrentFrame, Frame);
  doc->Settings.CurrentFrame = 1;
  history.Redo(*doc);
  EXPECT_EQ(doc->Settings.CurrentFrame, Frame);

  // A setting that moves no frame changes no frame to show: the shown one stays.
  TDocumentSettings order = doc->Settings;
  order.Format.Order = doByColumns;
  history.Push(*doc, MakeSettingsStep("Change order sequence", doc->Settings, order));
  doc->Settings.CurrentFrame = 0;
  history.Undo(*doc);
  EXPECT_EQ(doc->Settings.CurrentFrame, 0);
  EXPECT_EQ(doc->Settings.Format.Order, doByRows);
  // Fewer frames moved the current frame down: undo moves it back.
  TDocumentSettings fewer = doc->Settings;
  fewer.FrameCount = 1;
  fewer.CurrentFrame = 0;
  doc->Settings.CurrentFrame = 3;
  history.Push(*doc, MakeSettingsStep("Change total frames", doc->Settings, fewer));
  history.Undo(*doc);
  EXPECT_EQ(doc->Settings.CurrentFrame, 3);
}

// What each kind of step keeps: a stroke its changed cells, a self-inverse command nothing
// beyond itself, a plane command one packed plane, an Import the packed document and the data.
TEST(HistorySteps, StepsKeepOnlyWhatTheyNeed) {
  auto doc = std::make_unique<TSpriteDocument>();
  MakeDocument(*doc, false);
  auto bytesOf = [&](auto push) {
    THistory history;
    push(history);
    const std::size_t bytes = history.Bytes();
    history.Undo(*doc);
    return bytes;
  };
  const std::size_t invert = bytesOf([&](THistory& h) { h.Push(*doc, MakePlaneStep(*doc, TPlaneCommand::Invert, false)); });
  EXPECT_LT(invert, 256u);
  const std::size_t shift = bytesOf([&](THistory& h) { h.Push(*doc, MakePlaneStep(*doc, TPlaneCommand::ShiftUp, false)); });
  EXPECT_GT(shift, 7200u);  // a random plane packs to its 7,200 bit bytes
  EXPECT_LT(shift, 8000u);
  doc->Store.Plane(Frame, false) = {};
  const std::size_t clearShift =
      bytesOf([&](THistory& h) { h.Push(*doc, MakePlaneStep(*doc, TPlaneCommand::ShiftUp, false)); });
  EXPECT_LT(clearShift, 256u);
  const std::size_t stroke = bytesOf([&](THistory& h) {
    for (int i = 0; i < 100; ++i) h.Push(*doc, MakeStrokeStep(3, Frame, false, i % 12, i / 12, 1));
  });
  EXPECT_LE(stroke, 100u * 3u + 512u);
}

}  // namespace
