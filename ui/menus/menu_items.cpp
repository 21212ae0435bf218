#include "menus/menu_items.h"

#include <QAction>
#include <QMenu>

#include "window/sprite_editor.h"

void AddItems(TSpriteEditor* editor, QMenu* menu, std::span<const TItem> items) {
  for (const TItem& i : items) {
    QAction* item = i.Caption ? menu->addAction(QString::fromUtf8(i.Caption)) : menu->addSeparator();
    item->setObjectName(QString::fromLatin1(i.Name));
    item->setProperty("Tag", i.Tag);
    if (i.Key != NoKey) item->setShortcut(QKeySequence(i.Key));
    if (i.Click != nullptr)
      QObject::connect(item, &QAction::triggered, editor, [editor, item, click = i.Click] { (editor->*click)(item); });
    editor->*i.Field = item;
  }
}

QMenu* NamedMenu(QMenu* menu, const char* name) {
  menu->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setProperty("Tag", 0);
  return menu;
}

bool IsMenuItem(const QObject* sender) { return qobject_cast<const QAction*>(sender) != nullptr; }
