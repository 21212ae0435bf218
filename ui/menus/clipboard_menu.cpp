// The Clipboard submenu of Edit: one plane of the current frame to and from the system
// clipboard as text. A paste is one step of the history; a refused text adds none.

#include <QAction>
#include <QMenu>

#include "exchange/clipboard_text.h"
#include "history/plane_step.h"
#include "menus/menu_items.h"
#include "window/sprite_editor.h"

namespace {

// Tags 51 and 53 are the sprite plane, 52 and 54 the mask plane.
const TItem ClipboardItems[] = {
    {&TSpriteEditor::MiCopySpriteClip, "MiCopySpriteClip", "&Copy sprite to clipboard", Alt(Qt::Key_C), 51,
     &TSpriteEditor::MiClipboardClick},
    {&TSpriteEditor::MiCopyMaskClip, "MiCopyMaskClip", "C&opy mask to clipboard", AltShift(Qt::Key_C), 52,
     &TSpriteEditor::MiClipboardClick},
    {&TSpriteEditor::MiPasteSpriteClip, "MiPasteSpriteClip", "&Paste from clipboard to sprite", Alt(Qt::Key_V), 53,
     &TSpriteEditor::MiClipboardClick},
    {&TSpriteEditor::MiPasteMaskClip, "MiPasteMaskClip", "P&aste from clipboard to mask", AltShift(Qt::Key_V), 54,
     &TSpriteEditor::MiClipboardClick},
};

}  // namespace

void TSpriteEditor::CreateClipboardMenu() {
  MiClipboard = NamedMenu(MenuEdit->addMenu(tr("Clip&board")), "MiClipboard");
  AddItems(this, MiClipboard, ClipboardItems);
}

void TSpriteEditor::CopyToClipboard(int frame, bool mask) {
  const TDataFormat format = DataFormat();
  const std::string text = PlaneToClipboardText(FStore, frame, mask, FWidth, FHeight, BitsPerByte(format.ByteMode),
                                                format.AttrChoice);
  FDialogs->SetClipboardText(QString::fromStdString(text));
}

// The block is written to the current frame, which is `frame` whenever the window calls this.
bool TSpriteEditor::PasteFromClipboard(int frame, bool mask) {
  const std::optional<QString> text = FDialogs->ClipboardText();
  if (!text || frame != FCurrentFrame) return false;
  std::optional<TClipboardPlane> block = ParseClipboardText(text->toStdString(), BitsPerByte(ByteMode()));
  if (!block) return false;
  Execute(MakePlaneStep(FDocument, TPlaneCommand::ClipboardPaste, mask, std::move(block)));
  return true;
}

void TSpriteEditor::MiClipboardClick(QObject* Sender) {
  if (!IsMenuItem(Sender)) return;
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
      break;
    default:
      break;
  }
}
