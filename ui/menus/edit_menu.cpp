// The Edit menu: Undo and Redo, then the plane commands on the current frame (copy, paste,
// merge, clear, invert), the Shift, Flip and Rotate submenus, the Clipboard submenu
// (clipboard_menu.cpp) and the standard mask. Each command that changes the document is one
// step of the history, followed by a full redraw.

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "editing/plane_ops.h"
#include "history/both_planes_step.h"
#include "history/plane_step.h"
#include "menus/menu_items.h"
#include "window/sprite_editor.h"

namespace {

const TItem HistoryItems[] = {
    {&TSpriteEditor::MiUndo, "MiUndo", "&Undo", Ctrl(Qt::Key_Z), 0, &TSpriteEditor::MiUndoClick},
    {&TSpriteEditor::MiRedo, "MiRedo", "&Redo", CtrlShift(Qt::Key_Z), 0, &TSpriteEditor::MiRedoClick},
    {&TSpriteEditor::N6, "N6", nullptr, NoKey, 0, nullptr},
};

// Sprite and mask items alternate: Tag / 2 is the command, an odd Tag the mask plane.
const TItem PlaneItems[] = {
    {&TSpriteEditor::MiCopySprite, "MiCopySprite", "&Copy sprite", Ctrl(Qt::Key_C), 0, &TSpriteEditor::MiEditClick},
    {&TSpriteEditor::MiCopyMask, "MiCopyMask", "C&opy mask", CtrlShift(Qt::Key_C), 1, &TSpriteEditor::MiEditClick},
    {&TSpriteEditor::MiPasteSprite, "MiPasteSprite", "&Paste to sprite", Ctrl(Qt::Key_V), 2,
     &TSpriteEditor::MiEditClick},
    {&TSpriteEditor::MiPasteMask, "MiPasteMask", "P&aste to mask", CtrlShift(Qt::Key_V), 3,
     &TSpriteEditor::MiEditClick},
    {&TSpriteEditor::MiMergeSprite, "MiMergeSprite", "&Merge with sprite", Ctrl(Qt::Key_M), 4,
     &TSpriteEditor::MiEditClick},
    {&TSpriteEditor::MiMergeMask, "MiMergeMask", "M&erge with mask", CtrlShift(Qt::Key_M), 5,
     &TSpriteEditor::MiEditClick},
    {&TSpriteEditor::MiClearSprite, "MiClearSprite", "C&lear sprite", Ctrl(Qt::Key_X), 6,
     &TSpriteEditor::MiEditClick},
    {&TSpriteEditor::MiClearMask, "MiClearMask", "Clear mas&k", CtrlShift(Qt::Key_X), 7, &TSpriteEditor::MiEditClick},
    {&TSpriteEditor::MiInvertSprite, "MiInvertSprite", "&Invert sprite", Ctrl(Qt::Key_I), 8,
     &TSpriteEditor::MiEditClick},
    {&TSpriteEditor::MiInvertMask, "MiInvertMask", "I&nvert mask", CtrlShift(Qt::Key_I), 9,
     &TSpriteEditor::MiEditClick},
    {&TSpriteEditor::N4, "N4", nullptr, NoKey, 0, nullptr},
};

// Tag - 10 (sprite) or Tag - 20 (mask) is the direction: 1 up, 2 left, 3 right, 4 down.
const TItem ShiftItems[] = {
    {&TSpriteEditor::MiShiftSprite1, "MiShiftSprite1", "Sprite &up", Ctrl(Qt::Key_U), 11, &TSpriteEditor::MiShiftClick},
    {&TSpriteEditor::MiShiftMask1, "MiShiftMask1", "Mask u&p", CtrlShift(Qt::Key_U), 21, &TSpriteEditor::MiShiftClick},
    {&TSpriteEditor::MiShiftSprite2, "MiShiftSprite2", "Sprite &left", Ctrl(Qt::Key_L), 12,
     &TSpriteEditor::MiShiftClick},
    {&TSpriteEditor::MiShiftMask2, "MiShiftMask2", "Mask l&eft", CtrlShift(Qt::Key_L), 22, &TSpriteEditor::MiShiftClick},
    {&TSpriteEditor::MiShiftSprite3, "MiShiftSprite3", "Sprite &right", Ctrl(Qt::Key_R), 13,
     &TSpriteEditor::MiShiftClick},
    {&TSpriteEditor::MiShiftMask3, "MiShiftMask3", "Mask r&ight", CtrlShift(Qt::Key_R), 23,
     &TSpriteEditor::MiShiftClick},
    {&TSpriteEditor::MiShiftSprite4, "MiShiftSprite4", "Sprite &down", Ctrl(Qt::Key_D), 14,
     &TSpriteEditor::MiShiftClick},
    {&TSpriteEditor::MiShiftMask4, "MiShiftMask4", "Mask d&own", CtrlShift(Qt::Key_D), 24, &TSpriteEditor::MiShiftClick},
};

// Tags 31..34: an even Tag is the mask plane, 33 and above mirror left and right.
const TItem FlipItems[] = {
    {&TSpriteEditor::MiFlipSpriteHorizontal, "MiFlipSpriteHorizontal", "Sprite &horizontal", Ctrl(Qt::Key_Q), 31,
     &TSpriteEditor::MiFlipClick},
    {&TSpriteEditor::MiFlipMaskHorizontal, "MiFlipMaskHorizontal", "Mask h&orizontal", CtrlShift(Qt::Key_Q), 32,
     &TSpriteEditor::MiFlipClick},
    {&TSpriteEditor::MiFlipSpriteVertical, "MiFlipSpriteVertical", "Sprite &vertical", Ctrl(Qt::Key_W), 33,
     &TSpriteEditor::MiFlipClick},
    {&TSpriteEditor::MiFlipMaskVertical, "MiFlipMaskVertical", "Mask v&ertical", CtrlShift(Qt::Key_W), 34,
     &TSpriteEditor::MiFlipClick},
};

// Tags 41..44: an even Tag is the mask plane, 43 and above a half turn.
const TItem RotateItems[] = {
    {&TSpriteEditor::MiRotateSprite90, "MiRotateSprite90", "Sprite &90\u00B0", Ctrl(Qt::Key_T), 41,
     &TSpriteEditor::MiRotateClick},
    {&TSpriteEditor::MiRotateMask90, "MiRotateMask90", "Mask 9&0\u00B0", CtrlShift(Qt::Key_T), 42,
     &TSpriteEditor::MiRotateClick},
    {&TSpriteEditor::MiRotateSprite180, "MiRotateSprite180", "Sprite &180\u00B0", Ctrl(Qt::Key_Y), 43,
     &TSpriteEditor::MiRotateClick},
    {&TSpriteEditor::MiRotateMask180, "MiRotateMask180", "Mask 1&80\u00B0", CtrlShift(Qt::Key_Y), 44,
     &TSpriteEditor::MiRotateClick},
};

// Sprite and mask together, after the single-plane items of each submenu and a separator: Tag - 60 is the
// shift direction as above; Flip 35 top and bottom, 36 left and right; Rotate 45 a quarter
// turn, 46 a half turn.
const TItem BothShiftItems[] = {
    {&TSpriteEditor::N8, "N8", nullptr, NoKey, 0, nullptr},
    {&TSpriteEditor::MiShiftBoth1, "MiShiftBoth1", "Sprite &and mask up", AltShift(Qt::Key_U), 61,
     &TSpriteEditor::MiShiftClick},
    {&TSpriteEditor::MiShiftBoth2, "MiShiftBoth2", "Sprite and mask le&ft", AltShift(Qt::Key_L), 62,
     &TSpriteEditor::MiShiftClick},
    {&TSpriteEditor::MiShiftBoth3, "MiShiftBoth3", "Sprite and mask ri&ght", AltShift(Qt::Key_R), 63,
     &TSpriteEditor::MiShiftClick},
    {&TSpriteEditor::MiShiftBoth4, "MiShiftBoth4", "Sprite and mask do&wn", AltShift(Qt::Key_D), 64,
     &TSpriteEditor::MiShiftClick},
};

const TItem BothFlipItems[] = {
    {&TSpriteEditor::N9, "N9", nullptr, NoKey, 0, nullptr},
    {&TSpriteEditor::MiFlipBothHorizontal, "MiFlipBothHorizontal", "Sprite and mask hori&zontal", AltShift(Qt::Key_Q),
     35, &TSpriteEditor::MiFlipClick},
    {&TSpriteEditor::MiFlipBothVertical, "MiFlipBothVertical", "Sprite and mask ver&tical", AltShift(Qt::Key_W), 36,
     &TSpriteEditor::MiFlipClick},
};

const TItem BothRotateItems[] = {
    {&TSpriteEditor::N10, "N10", nullptr, NoKey, 0, nullptr},
    {&TSpriteEditor::MiRotateBoth90, "MiRotateBoth90", "Sprite &and mask 90\u00B0", AltShift(Qt::Key_T), 45,
     &TSpriteEditor::MiRotateClick},
    {&TSpriteEditor::MiRotateBoth180, "MiRotateBoth180", "Sprite and &mask 180\u00B0", AltShift(Qt::Key_Y), 46,
     &TSpriteEditor::MiRotateClick},
};

const TItem MaskItems[] = {
    {&TSpriteEditor::N2, "N2", nullptr, NoKey, 0, nullptr},
    {&TSpriteEditor::MiGenStdMask, "MiGenStdMask", "&Generate standard mask", Ctrl(Qt::Key_G), 0,
     &TSpriteEditor::MiGenStdMaskClick},
};

constexpr TPlaneCommand ShiftCommands[] = {TPlaneCommand::ShiftUp, TPlaneCommand::ShiftLeft, TPlaneCommand::ShiftRight,
                                           TPlaneCommand::ShiftDown};

}  // namespace

void TSpriteEditor::CreateEditMenu() {
  MenuEdit = NamedMenu(menuBar()->addMenu(tr("&Edit")), "MenuEdit");
  AddItems(this, MenuEdit, HistoryItems);
  AddItems(this, MenuEdit, PlaneItems);
  MiShiftSprite = NamedMenu(MenuEdit->addMenu(tr("&Shift")), "MiShiftSprite");
  AddItems(this, MiShiftSprite, ShiftItems);
  AddItems(this, MiShiftSprite, BothShiftItems);
  MiFlip = NamedMenu(MenuEdit->addMenu(tr("&Flip")), "MiFlip");
  AddItems(this, MiFlip, FlipItems);
  AddItems(this, MiFlip, BothFlipItems);
  MiRotate = NamedMenu(MenuEdit->addMenu(tr("&Rotate")), "MiRotate");
  AddItems(this, MiRotate, RotateItems);
  AddItems(this, MiRotate, BothRotateItems);
  N5 = MenuEdit->addSeparator();
  N5->setObjectName("N5");
  CreateClipboardMenu();
  AddItems(this, MenuEdit, MaskItems);
  UpdateUndoItems();

  // Enabled only while the sprite is masked (ValueChange), in this order.
  FMaskActions = {MiCopyMask,      MiPasteMask,          MiMergeMask,        MiClearMask,
                  MiInvertMask,    MiShiftMask1,         MiShiftMask2,       MiShiftMask3,
                  MiShiftMask4,    MiFlipMaskHorizontal, MiFlipMaskVertical, MiRotateMask90,
                  MiRotateMask180, MiCopyMaskClip,       MiPasteMaskClip,    MiGenStdMask,
                  MiShiftBoth1,    MiShiftBoth2,         MiShiftBoth3,       MiShiftBoth4,
                  MiFlipBothHorizontal, MiFlipBothVertical, MiRotateBoth90,  MiRotateBoth180};
}

void TSpriteEditor::MiEditClick(QObject* Sender) {
  if (!IsMenuItem(Sender)) return;
  const int tag = TagOf(Sender);
  const bool mask = tag % 2 == 1;
  switch (tag / 2) {
    case 0:
      // Copying fills the copy buffer only: no step, yet the document counts as edited.
      CopyPlane(FStore, FCurrentFrame, mask);
      MarkModified();
      break;
    case 1:
      Execute(MakePlaneStep(FDocument, TPlaneCommand::Paste, mask));
      break;
    case 2:
      Execute(MakePlaneStep(FDocument, TPlaneCommand::Merge, mask));
      break;
    case 3:
      Execute(MakePlaneStep(FDocument, TPlaneCommand::Clear, mask));
      break;
    case 4:
      Execute(MakePlaneStep(FDocument, TPlaneCommand::Invert, mask));
      break;
    default:
      return;
  }
  FRedrawQueue.push_back(rtFull);
}

void TSpriteEditor::MiGenStdMaskClick(QObject*) {
  Execute(MakePlaneStep(FDocument, TPlaneCommand::StandardMask, true));
  FRedrawQueue.push_back(rtFull);
}

void TSpriteEditor::MiShiftClick(QObject* Sender) {
  if (!IsMenuItem(Sender)) return;
  const int tag = TagOf(Sender);
  if (tag >= 11 && tag <= 14)
    Execute(MakePlaneStep(FDocument, ShiftCommands[tag - 11], false));
  else if (tag >= 21 && tag <= 24)
    Execute(MakePlaneStep(FDocument, ShiftCommands[tag - 21], true));
  else if (tag >= 61 && tag <= 64)
    Execute(MakeBothPlanesStep(FDocument, ShiftCommands[tag - 61]));
  else
    return;
  FRedrawQueue.push_back(rtFull);
}

void TSpriteEditor::MiFlipClick(QObject* Sender) {
  if (!IsMenuItem(Sender)) return;
  const int tag = TagOf(Sender);
  if (tag == 35 || tag == 36) {
    Execute(MakeBothPlanesStep(FDocument, tag == 36 ? TPlaneCommand::FlipVertical : TPlaneCommand::FlipHorizontal));
    FRedrawQueue.push_back(rtFull);
    return;
  }
  if (tag < 31 || tag > 34) return;
  const TPlaneCommand flip = tag >= 33 ? TPlaneCommand::FlipVertical : TPlaneCommand::FlipHorizontal;
  Execute(MakePlaneStep(FDocument, flip, tag % 2 == 0));
  FRedrawQueue.push_back(rtFull);
}

void TSpriteEditor::MiRotateClick(QObject* Sender) {
  if (!IsMenuItem(Sender)) return;
  const int tag = TagOf(Sender);
  if (tag == 45 || tag == 46) {
    Execute(MakeBothPlanesStep(FDocument, tag == 46 ? TPlaneCommand::Rotate180 : TPlaneCommand::Rotate90));
    FRedrawQueue.push_back(rtFull);
    return;
  }
  if (tag < 41 || tag > 44) return;
  const TPlaneCommand turn = tag >= 43 ? TPlaneCommand::Rotate180 : TPlaneCommand::Rotate90;
  Execute(MakePlaneStep(FDocument, turn, tag % 2 == 0));
  FRedrawQueue.push_back(rtFull);
}
