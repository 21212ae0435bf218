// ValueChange turns a change of a setting into editor state, enabled states, the data size
// and the canvas size; with it the document's modified mark, title and data size.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <algorithm>

#include "widgets/radio_group.h"
#include "exchange/raw_layout.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

// Resets FUpdating however ValueChange is left.
struct TUpdatingGuard {
  bool& Flag;
  explicit TUpdatingGuard(bool& flag) : Flag(flag) { Flag = true; }
  ~TUpdatingGuard() { Flag = false; }
};

// The nearest multiple of `step` that does not exceed the value, and never below `step`.
void AlignDown(TSpinEdit* spin, int step) { spin->setValue(std::max(step, spin->value() / step * step)); }

}  // namespace

TByteMode TSpriteEditor::ByteMode() const {
  return RadioGroupMode->ItemIndex() == bmClassic8 ? bmClassic8 : bm6BitReversed;
}

TDataFormat TSpriteEditor::DataFormat() const { return FDocument.Settings.Format; }

namespace {

// What the Edit menu calls a change of each setting control, by Tag.
const char* SettingText(int tag) {
  switch (tag) {
    case 0: return "Change byte mode";
    case 1: return "Change width";
    case 2: return "Change height";
    default: return "Change masking";
  }
}

}  // namespace

void TSpriteEditor::ValueChange(QObject* Sender) {
  if (FUpdating) return;  // a change made below, by this handler itself
  TUpdatingGuard guard(FUpdating);
  const int t = TagOf(Sender);
  const TDocumentSettings before = FDocument.Settings;

  if (t == 0) {  // byte mode
    const int b = BitsPerByte(ByteMode());
    SpinEditWidth->setSingleStep(b);
    SpinEditWidth->setMinimum(b);
    AlignDown(SpinEditWidth, b);
    // A shown grid keeps its spacings.
    if (!CheckBoxGrid->isChecked())
      for (TSpinEdit* spacing : {SpinEditGridX, SpinEditGridY})
        if (spacing->value() % b != 0) spacing->setValue(b);
  } else if (t == 1) {  // width
    AlignDown(SpinEditWidth, SpinEditWidth->minimum());
  }

  FWidth = SpinEditWidth->value();
  FPaneStride = FWidth + 1;
  FHeight = SpinEditHeight->value();
  FCurrentFrame = SliderFrame->value() - 1;
  UpdateFrameButtons();

  const bool masked = CheckBoxMasked->isChecked();
  CbMaskAlignment->setEnabled(masked);
  for (QAction* item : FMaskActions) item->setEnabled(masked);
  const bool attributes = masked && ByteMode() == bm6BitReversed;
  LblAttrMask->setEnabled(attributes);
  CbAttrMask->setEnabled(attributes);
  if (!masked) FOnMask = false;

  // Byte mode, width, height and masking belong to the document; the grid does not.
  if (Sender != nullptr && t < 4) RecordSettings(before, SettingText(t));
  UpdateDataSize();

  SizePaintBox();
  FRedrawQueue.push_back(rtFull);
}

// The order sequence, the mask arrangement and the attribute bits are kept in the project file
// too, so choosing another item is a step like any other setting.
void TSpriteEditor::CbFormatChange(QObject* Sender) {
  const char* text = Sender == CbSpriteAlignment ? "Change order sequence"
                     : Sender == CbMaskAlignment ? "Change mask arrangement"
                                                 : "Change attribute bits";
  RecordSettings(FDocument.Settings, text);
}

// A mark without a change of the document (a copy command, a file of a previous version, an
// Import): it stays until the next save, whatever is undone.
void TSpriteEditor::MarkModified() {
  FKeptModified = true;
  UpdateModified();
}

void TSpriteEditor::UpdateCaption(const QString& path) {
  setWindowTitle(QString::fromStdString(BuildCaption(FBaseCaption.toStdString(), FModified, path.toStdString())));
  // Every change of FModified ends here, so Save's shortcut is in step before any menu opens.
  if (MiSave) MiSave->setEnabled(FModified);
}

void TSpriteEditor::UpdateDataSize() {
  const TDocumentSettings& s = FDocument.Settings;
  const int size = RawDataSize(s.Format, s.Width, s.Height, s.FrameCount);
  LblBinDataSizeVal->setText(QString::number(size) + QStringLiteral(" bytes"));
}
