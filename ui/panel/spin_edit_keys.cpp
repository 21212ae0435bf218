// The larger steps of the spin edits while Shift is held, and the refused Delete key.

#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

void TSpriteEditor::SpinEditKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift) {
  if (Key == Qt::Key_Delete) {
    Key = 0;
    return;
  }
  auto* spin = qobject_cast<TSpinEdit*>(Sender);
  if (spin == nullptr || !Shift.testFlag(Qt::ShiftModifier)) return;
  const int b = BitsPerByte(ByteMode());
  switch (TagOf(Sender)) {
    case 1:
      if (spin->singleStep() == b) spin->setSingleStep(2 * b);
      break;
    case 2:
      if (spin->singleStep() == 1) spin->setSingleStep(8);
      break;
    case 7:
      if (spin->singleStep() == 1) spin->setSingleStep(10);
      break;
    default:
      break;
  }
}

void TSpriteEditor::SpinEditKeyUp(QObject* Sender, int&, Qt::KeyboardModifiers Shift) {
  auto* spin = qobject_cast<TSpinEdit*>(Sender);
  if (spin == nullptr || Shift.testFlag(Qt::ShiftModifier)) return;
  const int b = BitsPerByte(ByteMode());
  switch (TagOf(Sender)) {
    case 1:
      if (spin->singleStep() == 2 * b) spin->setSingleStep(b);
      break;
    case 2:
      if (spin->singleStep() == 8) spin->setSingleStep(1);
      break;
    case 7:
      if (spin->singleStep() == 10) spin->setSingleStep(1);
      break;
    default:
      break;
  }
}
