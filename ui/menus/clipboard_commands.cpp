// One plane of the current frame to and from the system clipboard as text.

#include <QAction>
#include <QComboBox>

#include "exchange/clipboard_text.h"
#include "window/sprite_editor.h"

void TSpriteEditor::CopyToClipboard(int frame, bool mask) {
  const std::string text = PlaneToClipboardText(FStore, frame, mask, FWidth, FHeight, BitsPerByte(ByteMode()),
                                                CbAttrMask->currentIndex());
  FDialogs->SetClipboardText(QString::fromStdString(text));
}

bool TSpriteEditor::PasteFromClipboard(int frame, bool mask) {
  const std::optional<QString> text = FDialogs->ClipboardText();
  if (!text) return false;
  return PasteClipboardText(FStore, frame, mask, text->toStdString(), BitsPerByte(ByteMode()));
}

void TSpriteEditor::MiClipboardClick(QObject* Sender) {
  if (qobject_cast<QAction*>(Sender) == nullptr) return;
  const int tag = TagOf(Sender);
  switch (tag) {
    case 51:
    case 52:
      // Copying changes no pixel, yet counts as an edit.
      CopyToClipboard(FCurrentFrame, tag == 52);
      MarkModified();
      break;
    case 53:
    case 54:
      if (!PasteFromClipboard(FCurrentFrame, tag == 54)) {
        FDialogs->ShowError(QStringLiteral("Content of the Clipboard has invalid format!"),
                            QStringLiteral("Paste from Cliboard..."));
        return;
      }
      FRedrawQueue.push_back(rtFull);
      MarkModified();
      break;
    default:
      break;
  }
}
