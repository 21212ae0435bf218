// The byte inspector: the status bar names, for the cell under the pointer, the byte of the
// current frame's raw export that holds its pixel, that byte's value and the pixel's bit.

#include <QLabel>
#include <QStatusBar>

#include "exchange/pixel_location.h"
#include "window/sprite_editor.h"

// "byte 37 of 96 ($25): $A5 %10100101, bit 3": the offset in decimal and in hex, the value
// in hex and in binary.
QString ByteInfoText(const TPixelLocation& location, std::uint8_t value) {
  const QString offsetHex = QString::number(location.Offset, 16).toUpper();
  const QString valueHex = QStringLiteral("%1").arg(unsigned(value), 2, 16, QLatin1Char('0')).toUpper();
  const QString valueBinary = QStringLiteral("%1").arg(unsigned(value), 8, 2, QLatin1Char('0'));
  return QStringLiteral("byte ") + QString::number(location.Offset) + QStringLiteral(" of ") +
         QString::number(location.BlockSize) + QStringLiteral(" ($") + offsetHex + QStringLiteral("): $") + valueHex +
         QStringLiteral(" %") + valueBinary + QStringLiteral(", bit ") + QString::number(location.Bit);
}

void TSpriteEditor::BuildStatusBar() {
  StatusBar = statusBar();
  StatusBar->setObjectName("StatusBar");
  StatusBar->setSizeGripEnabled(false);
  LblByteInfo = new QLabel(StatusBar);
  LblByteInfo->setObjectName("LblByteInfo");
  LblByteInfo->setProperty("Tag", 0);
  LblByteInfo->setToolTip(
      tr("Where the pixel under the pointer lands in the current frame's block of the raw "
         "export: the byte's offset and the block's size, the byte's value, and the pixel's "
         "bit (7 = $80 ... 0 = $01)."));
  StatusBar->addWidget(LblByteInfo, 1);
}

void TSpriteEditor::InspectCell(bool onMask, int x, int y) {
  FInspectOnMask = onMask;
  FInspectX = x;
  FInspectY = y;
  UpdateByteInfo();
}

void TSpriteEditor::UpdateByteInfo() {
  if (LblByteInfo == nullptr) return;
  const TDocumentSettings& s = FDocument.Settings;
  const std::optional<TPixelLocation> location =
      LocatePixel(s.Format, s.Width, s.Height, FInspectOnMask, FInspectX, FInspectY);
  QString text;
  if (location && ValidFrame(s.CurrentFrame))
    text = ByteInfoText(*location, PixelByte(FStore, s.Format, s.CurrentFrame, FInspectOnMask, FInspectX, FInspectY));
  if (text != LblByteInfo->text()) LblByteInfo->setText(text);
}
