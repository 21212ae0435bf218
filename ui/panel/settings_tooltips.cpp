// Every tool tip of the settings panel in one place. Each says in one or two sentences what
// the control does to the bytes of the raw export.

#include "panel/settings_tooltips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>

#include "widgets/radio_group.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("TSpriteEditor", text); }

const char* const ByteModeTips[] = {
    "Six pixels per byte: the leftmost pixel is bit 0 ($01), the sixth bit 5 ($20). Bits 7-6 are zero in sprite "
    "bytes and carry the attribute bits in mask bytes.",
    "Eight pixels per byte: the leftmost pixel is bit 7 ($80), the rightmost bit 0 ($01). The attribute bits are "
    "not used.",
};

const char* const OrderTips[] = {
    "Rows from top to bottom, each row's bytes from left to right.",
    "Byte columns from left to right, each column's bytes from top to bottom.",
    "Rows from top to bottom; rows 0, 2, 4 ... run left to right, rows 1, 3, 5 ... right to left.",
    "Byte columns from left to right; columns 0, 2, 4 ... run down, columns 1, 3, 5 ... up.",
};

const char* const ArrangementTips[] = {
    "Mask byte first: each mask byte is followed by the sprite byte of the same place.",
    "Sprite byte first: each sprite byte is followed by the mask byte of the same place.",
    "Mask byte first: the frame's whole mask, then its whole sprite, each in the chosen order.",
    "Sprite byte first: the frame's whole sprite, then its whole mask, each in the chosen order.",
    "Mask byte first: each row (or byte column) of mask bytes, then the same line of sprite bytes.",
    "Sprite byte first: each row (or byte column) of sprite bytes, then the same line of mask bytes.",
};

void SetItemTips(QComboBox* box, const char* const* tips) {
  for (int i = 0; i < box->count(); ++i) box->setItemData(i, Tr(tips[i]), Qt::ToolTipRole);
}

void SetTip(std::initializer_list<QWidget*> controls, const QString& tip) {
  for (QWidget* w : controls) w->setToolTip(tip);
}

}  // namespace

void SetSettingsToolTips(TSpriteEditor& e) {
  SetTip({e.RadioGroupMode}, Tr("How many pixels one data byte holds, and in which bits."));
  const QList<QRadioButton*> modes = e.RadioGroupMode->findChildren<QRadioButton*>();
  for (int i = 0; i < modes.size() && i < int(std::size(ByteModeTips)); ++i) modes[i]->setToolTip(Tr(ByteModeTips[i]));

  SetTip({e.LblWidth, e.SpinEditWidth},
         Tr("Sprite width in pixels, a multiple of the pixels per byte: each row of a plane is width / 6 (or / 8) "
            "bytes. Hold Shift to step by two bytes."));
  SetTip({e.LblHeight, e.SpinEditHeight},
         Tr("Sprite height in pixels: one row of bytes per pixel row in each plane. Hold Shift to step by 8."));
  SetTip({e.CheckBoxGrid}, Tr("Draws grid lines over the canvas. Only the view changes, not the bytes."));
  SetTip({e.LblGridX, e.SpinEditGridX},
         Tr("Pixel columns between vertical grid lines, for example one line per data byte. The bytes do not "
            "change."));
  SetTip({e.LblGridY, e.SpinEditGridY}, Tr("Pixel rows between horizontal grid lines. The bytes do not change."));

  SetTip({e.LblSpriteAlignment, e.CbSpriteAlignment},
         Tr("The order in which the bytes of a plane follow each other: by rows, by byte columns, or zig-zag, where "
            "every second line runs backward."));
  SetItemTips(e.CbSpriteAlignment, OrderTips);
  SetTip({e.CheckBoxMasked},
         Tr("Exports a mask plane with the sprite, twice the bytes. A set mask pixel (1) lets the background show "
            "through; a clear one (0) blanks it so that the sprite's pixels show alone."));
  SetTip({e.CbMaskAlignment},
         Tr("How each frame's mask bytes and sprite bytes take turns: byte by byte, whole plane by whole plane, or "
            "line by line."));
  SetItemTips(e.CbMaskAlignment, ArrangementTips);
  SetTip({e.LblAttrMask, e.CbAttrMask},
         Tr("The attribute bits: bits 7 and 6 of every mask byte in the 6-bit byte mode, bit 7 written first. "
            "Sprite bytes keep them zero; Classic 8 bit has no room for them."));
  for (int i = 0; i < e.CbAttrMask->count(); ++i) {
    const int bits = i << 6;
    e.CbAttrMask->setItemData(i,
                              Tr("Every mask byte gets bit 7 = %1 and bit 6 = %2: $%3 is added to it.")
                                  .arg(i >> 1)
                                  .arg(i & 1)
                                  .arg(QStringLiteral("%1").arg(bits, 2, 16, QLatin1Char('0')).toUpper()),
                              Qt::ToolTipRole);
  }
  SetTip({e.LblBinDataSize, e.LblBinDataSizeVal},
         Tr("The length of the export: frames x (width / pixels per byte) x height bytes, twice that for a masked "
            "sprite."));
  SetTip({e.LblPosIn, e.LblPos, e.LblPosX, e.LblPosY},
         Tr("The pane and cell under the pointer. The status bar shows the byte and bit its pixel lands in."));

  SetTip({e.LblFrame, e.LblFrameNum},
         Tr("The frame being edited. Frame n's bytes follow the blocks of frames 1 to n - 1 in the export."));
  SetTip({e.SliderFrame},
         Tr("Chooses the frame to edit. Frame n's bytes follow the blocks of frames 1 to n - 1 in the export."));
  SetTip({e.LblTotal, e.SpinEditTotalFrames},
         Tr("How many frames the export writes, one block each, frame 1 first. Hold Shift to step by 10."));
  SetTip({e.LblMove},
         Tr("Exchanges the current frame's picture with the previous or next frame's, and so their blocks of bytes "
            "in the export."));
  // The four frame buttons keep their own hints ("Previous frame", "Move sprite to next frame" ...).
}
