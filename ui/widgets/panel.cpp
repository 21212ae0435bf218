#include "widgets/panel.h"

#include <QPainter>

TPanel::TPanel(TBevel bevel, QWidget* parent) : QWidget(parent), FBevel(bevel) { setAutoFillBackground(true); }

void TPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect r = rect();
  if (FBevel == bvRightEdge) {
    painter.fillRect(r.right() - 1, 0, 2, r.height(), palette().color(QPalette::Mid));
  } else {
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
  }
}
