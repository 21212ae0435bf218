#include "widgets/spin_edit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

TSpinEdit::TSpinEdit(QWidget* parent) : QSpinBox(parent) {
  // A read-only line edit refuses typing, cut and paste; the spin box still steps.
  lineEdit()->setReadOnly(true);
}

void TSpinEdit::stepBy(int steps) {
  if (steps != 0) QSpinBox::stepBy(steps > 0 ? 1 : -1);
}

// Shift's own press and release are reported with Shift held and released, as the step
// handlers expect, whatever order the platform reports the modifier state in.
static Qt::KeyboardModifiers ModifiersOf(const QKeyEvent* event, bool press) {
  Qt::KeyboardModifiers shift = event->modifiers();
  if (event->key() == Qt::Key_Shift) shift.setFlag(Qt::ShiftModifier, press);
  return shift;
}

void TSpinEdit::keyPressEvent(QKeyEvent* event) {
  int key = event->key();
  if (OnKeyDown) OnKeyDown(this, key, ModifiersOf(event, true));
  if (key == 0 || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
    event->accept();
    return;
  }
  QSpinBox::keyPressEvent(event);
}

void TSpinEdit::keyReleaseEvent(QKeyEvent* event) {
  int key = event->key();
  if (OnKeyUp) OnKeyUp(this, key, ModifiersOf(event, false));
  if (key == 0) {
    event->accept();
    return;
  }
  QSpinBox::keyReleaseEvent(event);
}

// The wheel belongs to the window, which scrolls the canvas with it.
void TSpinEdit::wheelEvent(QWheelEvent* event) { event->ignore(); }
