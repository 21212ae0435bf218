// The scrollable canvas area: the paint box in the black scroll box, its size, and the
// window events that scroll or redraw it.

#include <QCheckBox>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include "canvas/canvas.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

void TSpriteEditor::BuildCanvasArea() {
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  black.setColor(QPalette::Base, Qt::black);

  ScrollBox = new QScrollArea;
  ScrollBox->setObjectName("ScrollBox");
  ScrollBox->setProperty("Tag", 0);
  ScrollBox->setFrameShape(QFrame::NoFrame);
  ScrollBox->setMinimumWidth(320);
  ScrollBox->setWidgetResizable(false);
  ScrollBox->viewport()->setPalette(black);
  ScrollBox->viewport()->setBackgroundRole(QPalette::Window);
  ScrollBox->viewport()->setAutoFillBackground(true);

  // The paint box sits 8 pixels in from the scrolled area's top-left corner.
  ScrollBoxContent = new QWidget;
  ScrollBoxContent->setPalette(black);
  ScrollBoxContent->setAutoFillBackground(true);
  PaintBox = new TPaintBox(ScrollBoxContent);
  PaintBox->setObjectName("PaintBox");
  PaintBox->setProperty("Tag", 0);
  PaintBox->move(8, 8);
  PaintBox->ViewSource = [this] { return CanvasView(); };
  ScrollBox->setWidget(ScrollBoxContent);

  connect(PaintBox, &TPaintBox::MouseDown, this, &TSpriteEditor::PaintBoxMouseDown);
  connect(PaintBox, &TPaintBox::MouseMove, this, &TSpriteEditor::PaintBoxMouseMove);
  connect(PaintBox, &TPaintBox::MouseUp, this, &TSpriteEditor::PaintBoxMouseUp);
  connect(PaintBox, &TPaintBox::MouseLeave, this, &TSpriteEditor::PaintBoxMouseLeave);

  // The wheel over the canvas area scrolls by the window's rule, not the scroll area's.
  for (QWidget* w : {static_cast<QWidget*>(ScrollBox->viewport()), static_cast<QWidget*>(ScrollBox->horizontalScrollBar()),
                     static_cast<QWidget*>(ScrollBox->verticalScrollBar())})
    w->installEventFilter(this);
}

TCanvasView TSpriteEditor::CanvasView() const {
  TCanvasView view;
  view.Store = &FStore;
  view.Frame = FCurrentFrame;
  view.Width = FWidth;
  view.Height = FHeight;
  view.Zoom = FZoom;
  view.PaneStride = FPaneStride;
  view.Masked = CheckBoxMasked->isChecked();
  view.Grid = CheckBoxGrid->isChecked();
  view.GridX = SpinEditGridX->value();
  view.GridY = SpinEditGridY->value();
  view.ColorOff = FColorOff;
  view.ColorOn = FColorOn;
  if (!FShapeOverlay.Cells.empty()) view.Overlay = &FShapeOverlay;
  view.OnionSkin = MiOnionSkin != nullptr && MiOnionSkin->isChecked();
  return view;
}

void TSpriteEditor::SizePaintBox() {
  const QSize size = CanvasSize(CanvasView());
  PaintBox->resize(size);
  ScrollBoxContent->resize(size + QSize(8, 8));
  PaintBox->update();
}

void TSpriteEditor::FormResize() { FRedrawQueue.push_back(rtFull); }

void TSpriteEditor::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
}

void TSpriteEditor::FormMouseWheel(Qt::KeyboardModifiers Shift, int WheelDelta, bool& Handled) {
  Handled = WheelDelta != 0;
  if (!Handled) return;
  QScrollBar* bar = Shift.testFlag(Qt::ShiftModifier) ? ScrollBox->horizontalScrollBar() : ScrollBox->verticalScrollBar();
  bar->setValue(bar->value() - WheelDelta);  // the bar keeps it within its range
  FRedrawQueue.push_back(rtFull);
}

// Scrolling by the scroll bars, by the wheel or by the program repaints the canvas.
void TSpriteEditor::ScrollBoxScroll() { FRedrawQueue.push_back(rtFull); }

namespace {

// A sideways wheel scrolls sideways, as the vertical wheel does with Shift.
void WheelOf(const QWheelEvent* event, Qt::KeyboardModifiers& shift, int& delta) {
  const QPoint angle = event->angleDelta();
  shift = event->modifiers();
  delta = angle.y();
  if (delta == 0 && angle.x() != 0) {
    delta = angle.x();
    shift |= Qt::ShiftModifier;
  }
}

}  // namespace

void TSpriteEditor::wheelEvent(QWheelEvent* event) {
  Qt::KeyboardModifiers shift;
  int delta = 0;
  WheelOf(event, shift, delta);
  bool handled = false;
  FormMouseWheel(shift, delta, handled);
  event->setAccepted(handled);
}

bool TSpriteEditor::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    if (watched == ScrollBox->viewport() && wheel->modifiers().testFlag(Qt::ControlModifier)) {
      CanvasWheelZoom(wheel->angleDelta().y(), wheel->position().toPoint());
      wheel->accept();  // Ctrl + wheel over the canvas zooms and never scrolls
      return true;
    }
    Qt::KeyboardModifiers shift;
    int delta = 0;
    WheelOf(wheel, shift, delta);
    bool handled = false;
    FormMouseWheel(shift, delta, handled);
    if (handled) {
      wheel->accept();  // or it would travel on to the parents and scroll again
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}
