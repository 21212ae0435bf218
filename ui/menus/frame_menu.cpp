// The Frame menu, between Edit and View: a clear frame inserted after the current one, the
// current frame duplicated or deleted, and both planes of a frame copied to the frame buffer
// and pasted back over the current frame. The buttons by the frame controls run the same
// handlers. Each command that changes the document is one step of the history.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "history/frame_edit_step.h"
#include "menus/menu_items.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

constexpr QKeyCombination CtrlAlt(Qt::Key key) { return Qt::CTRL | Qt::ALT | key; }

const TItem FrameItems[] = {
    {&TSpriteEditor::MiInsertFrame, "MiInsertFrame", "&Insert frame", Alt(Qt::Key_Insert), 0,
     &TSpriteEditor::MiInsertFrameClick},
    {&TSpriteEditor::MiDuplicateFrame, "MiDuplicateFrame", "&Duplicate frame", AltShift(Qt::Key_Insert), 0,
     &TSpriteEditor::MiDuplicateFrameClick},
    {&TSpriteEditor::MiDeleteFrame, "MiDeleteFrame", "D&elete frame", Alt(Qt::Key_Delete), 0,
     &TSpriteEditor::MiDeleteFrameClick},
    {&TSpriteEditor::N7, "N7", nullptr, NoKey, 0, nullptr},
    {&TSpriteEditor::MiCopyFrame, "MiCopyFrame", "&Copy frame", CtrlAlt(Qt::Key_C), 0, &TSpriteEditor::MiCopyFrameClick},
    {&TSpriteEditor::MiPasteFrame, "MiPasteFrame", "&Paste frame", CtrlAlt(Qt::Key_V), 0,
     &TSpriteEditor::MiPasteFrameClick},
};

}  // namespace

void TSpriteEditor::CreateFrameMenu() {
  MenuFrame = NamedMenu(menuBar()->addMenu(tr("F&rame")), "MenuFrame");
  AddItems(this, MenuFrame, FrameItems);
  UpdateFrameCommands();
}

void TSpriteEditor::RunFrameCommand(TFrameCommand command) {
  auto step = MakeFrameEditStep(FDocument, command);
  if (!step) return;  // at the count limit: the item and the button are disabled
  EndPointerDrawing();
  Execute(std::move(step));
  FRedrawQueue.push_back(rtFull);
}

void TSpriteEditor::MiInsertFrameClick(QObject*) { RunFrameCommand(TFrameCommand::Insert); }

void TSpriteEditor::MiDuplicateFrameClick(QObject*) { RunFrameCommand(TFrameCommand::Duplicate); }

void TSpriteEditor::MiDeleteFrameClick(QObject*) { RunFrameCommand(TFrameCommand::Delete); }

// The frame buffer is no part of the document: copying changes nothing that is saved.
void TSpriteEditor::MiCopyFrameClick(QObject*) {
  FFrameBuffer = TFrameSnapshot::Of(FStore, FCurrentFrame);
  UpdateFrameCommands();
}

void TSpriteEditor::MiPasteFrameClick(QObject*) {
  if (!FFrameBuffer) return;
  EndPointerDrawing();
  Execute(MakeFramePasteStep(FDocument, *FFrameBuffer));
  FRedrawQueue.push_back(rtFull);
}

// From the frame count as the spin edit holds it, like the frame buttons.
void TSpriteEditor::UpdateFrameCommands() {
  const int count = SpinEditTotalFrames->value();
  const bool grows = count < MaxFrames;
  const bool shrinks = count > 1;
  for (QAction* item : {MiInsertFrame, MiDuplicateFrame})
    if (item) item->setEnabled(grows);
  for (QPushButton* button : {BtnInsertFrame, BtnDuplicateFrame})
    if (button) button->setEnabled(grows);
  if (MiDeleteFrame) MiDeleteFrame->setEnabled(shrinks);
  if (BtnDeleteFrame) BtnDeleteFrame->setEnabled(shrinks);
  if (MiPasteFrame) MiPasteFrame->setEnabled(FFrameBuffer.has_value());
}
