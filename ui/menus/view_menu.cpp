// The View menu: the six zoom levels of the canvas, the preview panel and the onion skin.

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "canvas/canvas.h"
#include "canvas/zoom_levels.h"
#include "preview/preview_dock.h"
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
      {MiView400, "MiView400", "400%", 48, Qt::CTRL | Qt::Key_5},
      {MiView800, "MiView800", "800%", 96, Qt::CTRL | Qt::Key_6},
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

  N11 = MenuView->addSeparator();
  N11->setObjectName("N11");
  BuildPreviewDock();
  MiPreview = DockPreview->toggleViewAction();  // checked while the panel is open
  MiPreview->setObjectName("MiPreview");
  MiPreview->setText(QStringLiteral("Preview"));
  MiPreview->setProperty("Tag", 0);
  MenuView->addAction(MiPreview);
  MiOnionSkin = MenuView->addAction(QStringLiteral("Onion skin"));
  MiOnionSkin->setObjectName("MiOnionSkin");
  MiOnionSkin->setProperty("Tag", 0);
  MiOnionSkin->setCheckable(true);
  connect(MiOnionSkin, &QAction::triggered, this, [this] { MiOnionSkinClick(MiOnionSkin); });
}

void TSpriteEditor::MiViewClick(QObject* Sender) {
  if (qobject_cast<QAction*>(Sender) == nullptr) return;
  const int zoom = TagOf(Sender);
  if (!IsZoomLevel(zoom)) return;  // no zoom item
  FZoom = zoom;
  SizePaintBox();  // also repaints
  FRedrawQueue.push_back(rtFull);
}

void TSpriteEditor::MiOnionSkinClick(QObject* Sender) {
  if (qobject_cast<QAction*>(Sender) == nullptr) return;
  FRedrawQueue.push_back(rtFull);  // the canvas reads the item's check when it paints
}
