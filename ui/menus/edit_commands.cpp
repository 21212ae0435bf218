// The Edit menu's plane commands on the current frame: copy, paste, merge, clear, invert, the
// standard mask, shift, flip and rotate. Each ends with a full redraw and the modified mark.

#include <QAction>

#include "editing/plane_ops.h"
#include "window/sprite_editor.h"
#include "editing/transforms.h"

namespace {

bool IsMenuItem(const QObject* sender) { return qobject_cast<const QAction*>(sender) != nullptr; }

}  // namespace

void TSpriteEditor::MiEditClick(QObject* Sender) {
  if (!IsMenuItem(Sender)) return;
  const int tag = TagOf(Sender);
  const bool mask = tag % 2 == 1;  // sprite and mask items alternate
  switch (tag / 2) {
    case 0:
      CopyPlane(FStore, FCurrentFrame, mask);
      break;
    case 1:
      PastePlane(FStore, FCurrentFrame, mask);
      break;
    case 2:
      MergePlane(FStore, FCurrentFrame, mask);
      break;
    case 3:
      ClearFrame(FStore, FCurrentFrame, mask);
      break;
    case 4:
      InvertPlane(FStore, FCurrentFrame, mask);
      break;
    default:
      return;
  }
  // Copy too: it changes no pixel, yet counts as an edit.
  FRedrawQueue.push_back(rtFull);
  MarkModified();
}

void TSpriteEditor::MiGenStdMaskClick(QObject*) {
  GenerateStandardMask(FStore, FCurrentFrame, FWidth, FHeight);
  FRedrawQueue.push_back(rtFull);
  MarkModified();
}

void TSpriteEditor::MiShiftClick(QObject* Sender) {
  if (!IsMenuItem(Sender)) return;
  const int tag = TagOf(Sender);
  if (tag >= 11 && tag <= 14)
    ShiftPlane(FStore, FCurrentFrame, tag - 10, false);
  else if (tag >= 21 && tag <= 24)
    ShiftPlane(FStore, FCurrentFrame, tag - 20, true);
  else
    return;
  FRedrawQueue.push_back(rtFull);
  MarkModified();
}

void TSpriteEditor::MiFlipClick(QObject* Sender) {
  if (!IsMenuItem(Sender)) return;
  const int tag = TagOf(Sender);
  if (tag < 31 || tag > 34) return;
  FlipPlane(FStore, FCurrentFrame, tag >= 33, tag % 2 == 0, FWidth, FHeight);
  FRedrawQueue.push_back(rtFull);
  MarkModified();
}

void TSpriteEditor::MiRotateClick(QObject* Sender) {
  if (!IsMenuItem(Sender)) return;
  const int tag = TagOf(Sender);
  if (tag < 41 || tag > 44) return;
  RotatePlane(FStore, FCurrentFrame, tag >= 43, tag % 2 == 0, FWidth, FHeight);
  FRedrawQueue.push_back(rtFull);
  MarkModified();
}
