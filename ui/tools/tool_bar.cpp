// The tool bar of the drawing tools: pencil, line, rectangle, filled rectangle and fill, one
// of them chosen at a time, and the two mirror toggles. Each has a key that works whatever
// control of the window has the focus: none of them takes plain letters or Escape for itself
// (the spin edits cannot be typed in, the drop-down lists search their items only with keys
// no shortcut claims), so the window's shortcuts see them first.

#include <QAction>
#include <QActionGroup>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolBar>

#include "window/sprite_editor.h"

namespace {

enum TPictogram { pgPencil, pgLine, pgRectangle, pgFilledRectangle, pgFill, pgMirrorLeftRight, pgMirrorTopBottom };

// A black pictogram on 16 x 16 pixels, drawn at twice that for sharp edges on dense screens.
QIcon PictogramIcon(TPictogram kind) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(2, 2);
  const QColor ink(0x20, 0x20, 0x20);
  p.setPen(QPen(ink, 1.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  switch (kind) {
    case pgPencil: {
      QPainterPath body;  // a pencil lying from the bottom left to the top right
      body.moveTo(2, 14);
      body.lineTo(3.5, 9.5);
      body.lineTo(11, 2);
      body.lineTo(14, 5);
      body.lineTo(6.5, 12.5);
      body.closeSubpath();
      p.drawPath(body);
      p.drawLine(QPointF(3.5, 9.5), QPointF(6.5, 12.5));
      p.setBrush(ink);
      p.drawPolygon(QPolygonF({QPointF(2, 14), QPointF(2.8, 11.6), QPointF(4.4, 13.2)}));
      break;
    }
    case pgLine:
      p.drawLine(QPointF(2.5, 13.5), QPointF(13.5, 2.5));
      p.setBrush(ink);
      p.drawRect(QRectF(1.5, 12, 2.5, 2.5));
      p.drawRect(QRectF(12, 1.5, 2.5, 2.5));
      break;
    case pgRectangle:
      p.drawRect(QRectF(2.5, 3.5, 11, 9));
      break;
    case pgFilledRectangle:
      p.setBrush(ink);
      p.drawRect(QRectF(2.5, 3.5, 11, 9));
      break;
    case pgFill: {
      // A tipped bucket pouring a drop.
      p.save();
      p.translate(7, 8);
      p.rotate(-35);
      p.drawRect(QRectF(-4, -4, 8, 8));
      p.restore();
      p.setBrush(ink);
      QPainterPath drop;
      drop.moveTo(13, 8);
      drop.cubicTo(15.5, 11.5, 15.5, 14, 13, 14);
      drop.cubicTo(10.5, 14, 10.5, 11.5, 13, 8);
      p.drawPath(drop);
      break;
    }
    case pgMirrorLeftRight:
    case pgMirrorTopBottom: {
      if (kind == pgMirrorTopBottom) {  // the same picture turned a quarter
        p.translate(16, 0);
        p.rotate(90);
      }
      p.setBrush(ink);
      p.drawPolygon(QPolygonF({QPointF(6, 3), QPointF(6, 13), QPointF(1.5, 8)}));
      p.setBrush(Qt::NoBrush);
      p.drawPolygon(QPolygonF({QPointF(10, 3), QPointF(10, 13), QPointF(14.5, 8)}));
      p.setPen(QPen(ink, 1, Qt::DashLine));
      p.drawLine(QPointF(8, 1), QPointF(8, 15));
      break;
    }
  }
  p.end();
  pixmap.setDevicePixelRatio(2);
  return QIcon(pixmap);
}

}  // namespace

void TSpriteEditor::CreateToolBar() {
  ToolBarTools = new QToolBar(tr("Tools"), this);
  ToolBarTools->setObjectName("ToolBarTools");
  ToolBarTools->setMovable(false);
  ToolBarTools->setIconSize(QSize(16, 16));
  addToolBar(Qt::TopToolBarArea, ToolBarTools);
  ToolGroup = new QActionGroup(this);
  ToolGroup->setExclusive(true);
  struct TItem {
    QAction*& Action;
    const char* Name;
    const char* Caption;
    TPictogram Picture;
    QKeyCombination Key;
    int Tag;
  };
  const TItem tools[] = {
      {TbPencil, "TbPencil", "Pencil", pgPencil, Qt::Key_B, dtPencil},
      {TbLine, "TbLine", "Line", pgLine, Qt::Key_L, dtLine},
      {TbRectangle, "TbRectangle", "Rectangle", pgRectangle, Qt::Key_U, dtRectangle},
      {TbFilledRectangle, "TbFilledRectangle", "Filled rectangle", pgFilledRectangle, Qt::SHIFT | Qt::Key_U,
       dtFilledRectangle},
      {TbFill, "TbFill", "Fill", pgFill, Qt::Key_G, dtFill},
  };
  const TItem mirrors[] = {
      {TbMirrorHorizontal, "TbMirrorHorizontal", "Mirror left\u2013right", pgMirrorLeftRight, Qt::Key_M, 1},
      {TbMirrorVertical, "TbMirrorVertical", "Mirror top\u2013bottom", pgMirrorTopBottom, Qt::SHIFT | Qt::Key_M, 2},
  };
  auto add = [this](const TItem& i) {
    QAction* action = ToolBarTools->addAction(PictogramIcon(i.Picture), tr(i.Caption));
    action->setObjectName(QString::fromLatin1(i.Name));
    action->setProperty("Tag", i.Tag);
    action->setCheckable(true);
    action->setShortcut(QKeySequence(i.Key));
    action->setToolTip(QStringLiteral("%1 (%2)").arg(action->text(), action->shortcut().toString(QKeySequence::NativeText)));
    i.Action = action;
    return action;
  };
  for (const TItem& i : tools) {
    QAction* action = add(i);
    ToolGroup->addAction(action);
    connect(action, &QAction::triggered, this, [this, action] { TbToolClick(action); });
  }
  ToolBarTools->addSeparator();
  for (const TItem& i : mirrors) {
    QAction* action = add(i);
    connect(action, &QAction::triggered, this, [this, action] { TbMirrorClick(action); });
  }
  TbPencil->setChecked(true);

  TbCancelShape = new QAction(tr("Cancel shape"), this);
  TbCancelShape->setObjectName("TbCancelShape");
  TbCancelShape->setShortcut(QKeySequence(Qt::Key_Escape));
  TbCancelShape->setEnabled(false);
  addAction(TbCancelShape);
  connect(TbCancelShape, &QAction::triggered, this, &TSpriteEditor::CancelShape);
}

// A change of tool ends the stroke or shape under way; a shape is not written.
void TSpriteEditor::TbToolClick(QObject* Sender) {
  const int tag = TagOf(Sender);
  if (qobject_cast<QAction*>(Sender) == nullptr || tag < dtPencil || tag > dtFill) return;
  CancelShape();
  FDrawing = false;
  FTool = TDrawTool(tag);
}

// The mirror of a shape being dragged follows at once.
void TSpriteEditor::TbMirrorClick(QObject* Sender) {
  if (qobject_cast<QAction*>(Sender) == nullptr) return;
  const bool leftRight = TbMirrorHorizontal->isChecked();
  const bool topBottom = TbMirrorVertical->isChecked();
  FMirror = leftRight && topBottom ? mmBoth : leftRight ? mmLeftRight : topBottom ? mmTopBottom : mmNone;
  if (FShaping) ShowShape({FStrokeOnMask, std::uint8_t(FErasing ? 0 : 1), ShapeCells()});
}
