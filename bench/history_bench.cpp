// Undo and redo of each kind of history step on the largest document (128 frames of
// 240 x 240, both planes random) against a memcpy of the whole store, and what the history
// keeps for a step.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench_table.h"
#include "exchange/raw_layout.h"
#include "history/frame_move_step.h"
#include "history/history.h"
#include "history/import_step.h"
#include "history/plane_step.h"
#include "history/settings_step.h"
#include "history/stroke_step.h"

namespace {

constexpr std::size_t StoreBytes = 14'803'200;
constexpr int Runs = 15;

void FillFull(TSpriteStore& s) {
  std::mt19937 rng(1);
  for (int f = 0; f < MaxFrames; ++f)
    for (bool m : {false, true})
      for (auto& column : s.Plane(f, m))
        for (auto& p : column) p = rng() & 1;
  for (auto& column : s.FCopyBuffer)
    for (auto& p : column) p = rng() & 1;
}

double Median(std::vector<double> times) {
  std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
  return times[times.size() / 2];
}

double Seconds(std::chrono::steady_clock::time_point from, std::chrono::steady_clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

// Undo and redo of the newest step, alternately, after one warm-up pair.
bool BenchUndoRedo(const std::string& name, THistory& h, TSpriteDocument& d, double base, double target) {
  h.Undo(d);
  h.Redo(d);
  std::vector<double> undo, redo;
  const long faults = MinorFaults();
  for (int i = 0; i < Runs; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    h.Undo(d);
    const auto t1 = std::chrono::steady_clock::now();
    h.Redo(d);
    const auto t2 = std::chrono::steady_clock::now();
    undo.push_back(Seconds(t0, t1));
    redo.push_back(Seconds(t1, t2));
  }
  LastFaultsPerRun = double(MinorFaults() - faults) / (2 * Runs);
  bool ok = PrintRow("undo " + name, Median(undo), base, target);
  ok &= PrintRow("redo " + name, Median(redo), base, target);
  return ok;
}

}  // namespace

int main() {
  auto doc = std::make_unique<TSpriteDocument>();
  FillFull(doc->Store);
  doc->Settings.Width = 240;
  doc->Settings.Height = 240;
  doc->Settings.FrameCount = 128;
  doc->Settings.CurrentFrame = 64;

  std::vector<std::uint8_t> copy(StoreBytes), source(StoreBytes, 1);
  const double base = MedianSeconds([&] { std::memcpy(copy.data(), source.data(), StoreBytes); });
  PrintHeader("memcpy of the 14,803,200-byte store", base);
  bool ok = true;
  THistory h;

  // The whole-document step: an Import of all 128 frames in the layout of the document.
  std::vector<std::uint8_t> data = ExportFrames(doc->Store, doc->Settings.Format, 240, 240, 128);
  const auto t0 = std::chrono::steady_clock::now();
  h.Push(*doc, std::make_unique<TImportStep>(std::move(data)));
  PrintRow("do Import of 128 frames (pack the document before, then read)",
           Seconds(t0, std::chrono::steady_clock::now()), base, 0);
  const std::size_t importBytes = h.Bytes();
  ok &= BenchUndoRedo("Import of 128 frames", h, *doc, base, 3);

  for (int c = 0; c <= int(TPlaneCommand::ClipboardPaste); ++c) {
    const auto command = TPlaneCommand(c);
    std::optional<TClipboardPlane> block;
    if (command == TPlaneCommand::ClipboardPaste) {
      block = TClipboardPlane{240, 240, 6, std::vector<std::uint8_t>(40 * 240, 0x2A)};
    }
    h.Push(*doc, MakePlaneStep(*doc, command, false, block));
    ok &= BenchUndoRedo(PlaneStepText(command, false), h, *doc, base, 0.1);
  }
  // What the history keeps: a plane command on a random plane, and a stroke of 100 cells that
  // each change.
  doc->Settings.CurrentFrame = 10;  // stepping to another frame is no step
  const std::size_t beforePlane = h.Bytes();
  h.Push(*doc, MakePlaneStep(*doc, TPlaneCommand::ShiftUp, false));
  const std::size_t planeBytes = h.Bytes() - beforePlane;
  for (int i = 0; i < 100; ++i) doc->Store.SetPixel(10, false, i % 10, i / 10, 0);
  const std::size_t beforeStroke = h.Bytes();
  for (int i = 0; i < 100; ++i) h.Push(*doc, MakeStrokeStep(1, 10, false, i % 10, i / 10, 1));
  const std::size_t strokeBytes = h.Bytes() - beforeStroke;
  ok &= BenchUndoRedo("a stroke of 100 cells", h, *doc, base, 0.1);

  TDocumentSettings after = doc->Settings;
  after.Format.ByteMode = bmClassic8;
  h.Push(*doc, MakeSettingsStep("Change byte mode", doc->Settings, after));
  ok &= BenchUndoRedo("a settings change", h, *doc, base, 0.1);
  h.Push(*doc, MakeFrameMoveStep(10, 11));
  ok &= BenchUndoRedo("a frame move", h, *doc, base, 0.1);

  std::printf("\nhistory bytes per step: stroke of 100 cells %zu, plane command on a random plane %zu, "
              "Import of 128 random frames %zu\n",
              strokeBytes, planeBytes, importBytes);
  return ok ? 0 : 1;
}
