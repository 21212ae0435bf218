// The View menu: the four zoom levels of the canvas.

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "canvas/canvas.h"
#include "window/sprite_editor.h"

void TSpriteEditor::CreateViewMenu() {
  MenuView = menuBar()->addMenu(tr("&View"));
  MenuView->setObjectName("MenuView");
  MenuView->menuAction()->setObjectName("MenuView");
  ViewGroup = new QActionGroup(this);
  ViewGroup->setExclusive(true);
  struct TItem {
    QAction*& Item;
    const char* Name;
    const char* Caption;
    int Zoom;
    QKeyCombination Key;
  };
  const TItem items[] = {
      {MiView025, "MiView025", "25%", 3, Qt::CTRL | Qt::Key_1},
      {MiView050, "MiView050", "50%", 6, Qt::CTRL | Qt::Key_2},
      {MiView100, "MiView100", "100%", 12, Qt::CTRL | Qt::Key_3},
      {MiView200, "MiView200", "200%", 24, Qt::CTRL | Qt::Key_4},
  };
  for (const TItem& i : items) {
    QAction* item = MenuView->addAction(QString::fromLatin1(i.Caption));
    item->setObjectName(QString::fromLatin1(i.Name));
    item->setProperty("Tag", i.Zoom);
    item->setCheckable(true);
    item->setShortcut(QKeySequence(i.Key));
    ViewGroup->addAction(item);
    connect(item, &QAction::triggered, this, [this, item] { MiViewClick(item); });
    i.Item = item;
  }
  MiView100->setChecked(true);
}

void TSpriteEditor::MiViewClick(QObject* Sender) {
  if (qobject_cast<QAction*>(Sender) == nullptr) return;
  const int zoom = TagOf(Sender);
  if (zoom != 3 && zoom != 6 && zoom != 12 && zoom != 24) return;  // no zoom item
  FZoom = zoom;
  SizePaintBox();  // also repaints
  FRedrawQueue.push_back(rtFull);
}
