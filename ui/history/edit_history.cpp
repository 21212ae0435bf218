// The edit history in the window: every change of the document goes through Execute, and
// Undo and Redo step through it. After each the controls are set to the document's settings,
// so that the panel, the canvas and the editor fields follow the document.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QSlider>

#include "history/settings_step.h"
#include "widgets/radio_group.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

// "&Undo Rotate sprite 90°", or "&Undo" alone when there is nothing to undo.
QString PrefixedText(const char* prefix, const std::string& text) {
  QString s = QString::fromLatin1(prefix);
  if (!text.empty()) s += QLatin1Char(' ') + QString::fromStdString(text);
  return s;
}

}  // namespace

void TSpriteEditor::Execute(std::unique_ptr<TEditStep> step) {
  FHistory.Push(FDocument, std::move(step));
  ShowDocument();
  UpdateModified();
  UpdateUndoItems();
  UpdateByteInfo();
}

void TSpriteEditor::MiUndoClick(QObject*) {
  if (!FHistory.CanUndo()) return;
  EndPointerDrawing();  // a stroke under way ends: its next cells would not belong to this step
  FHistory.Undo(FDocument);
  ShowHistoryMove();
}

void TSpriteEditor::MiRedoClick(QObject*) {
  if (!FHistory.CanRedo()) return;
  EndPointerDrawing();
  FHistory.Redo(FDocument);
  ShowHistoryMove();
}

// After Undo or Redo: the document may differ anywhere, in any frame.
void TSpriteEditor::ShowHistoryMove() {
  ShowDocument();
  FRedrawQueue.push_back(rtFull);
  UpdateModified();
  UpdateUndoItems();
  UpdateByteInfo();
}

void TSpriteEditor::ReplaceDocument(const std::function<void(TSpriteDocument&)>& replace, bool modified) {
  EndPointerDrawing();
  replace(FDocument);
  FHistory.Clear();
  FKeptModified = modified;
  ShowDocument();
  UpdateFrameButtons();
  UpdateModified();
  UpdateUndoItems();
  UpdateByteInfo();
}

TDocumentSettings TSpriteEditor::SettingsFromControls() const {
  TDocumentSettings s;
  s.Format.ByteMode = ByteMode();
  s.Format.Order = TDataOrder(CbSpriteAlignment->currentIndex());
  s.Format.Masked = CheckBoxMasked->isChecked();
  s.Format.Arrangement = TMaskArrangement(CbMaskAlignment->currentIndex());
  s.Format.AttrChoice = CbAttrMask->currentIndex();
  s.Width = SpinEditWidth->value();
  s.Height = SpinEditHeight->value();
  s.FrameCount = SpinEditTotalFrames->value();
  s.CurrentFrame = SliderFrame->value() - 1;
  return s;
}

void TSpriteEditor::ShowDocument() {
  const TDocumentSettings s = FDocument.Settings;
  if (SettingsFromControls() == s) return;
  const bool showing = FShowingDocument;
  FShowingDocument = true;
  // Byte mode before width, so that the width keeps to the byte mode; frame count before
  // position, so that the position fits. Each change runs its handler.
  RadioGroupMode->SetItemIndex(s.Format.ByteMode);
  CbSpriteAlignment->setCurrentIndex(s.Format.Order);
  CheckBoxMasked->setChecked(s.Format.Masked);
  CbMaskAlignment->setCurrentIndex(s.Format.Arrangement);
  CbAttrMask->setCurrentIndex(s.Format.AttrChoice);
  SpinEditWidth->setValue(s.Width);
  SpinEditHeight->setValue(s.Height);
  SpinEditTotalFrames->setValue(s.FrameCount);
  SliderFrame->setMaximum(s.FrameCount);
  SliderFrame->setValue(s.CurrentFrame + 1);
  FShowingDocument = showing;
  UpdateFrameButtons();
  UpdateDataSize();
}

void TSpriteEditor::RecordSettings(const TDocumentSettings& before, const char* text) {
  if (FShowingDocument) return;
  const TDocumentSettings after = SettingsFromControls();
  if (after == before) return;  // nothing the document keeps has changed
  Execute(MakeSettingsStep(text, before, after));
}

void TSpriteEditor::UpdateModified() {
  const bool modified = FKeptModified || !FHistory.IsClean();
  NoteRecoveryState();
  if (modified == FModified) return;
  FModified = modified;
  UpdateCaption(FProjectFileName);
}

void TSpriteEditor::UpdateUndoItems() {
  if (MiUndo == nullptr) return;
  MiUndo->setText(PrefixedText("&Undo", FHistory.UndoText()));
  MiUndo->setEnabled(FHistory.CanUndo());
  MiRedo->setText(PrefixedText("&Redo", FHistory.RedoText()));
  MiRedo->setEnabled(FHistory.CanRedo());
}
