#include "menus/menu_shortcuts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcutEvent>

namespace {

void CollectItems(const QList<QAction*>& actions, QList<QAction*>& items) {
  for (QAction* action : actions) {
    if (QMenu* menu = action->menu())
      CollectItems(menu->actions(), items);
    else if (!action->shortcut().isEmpty())
      items << action;
  }
}

}  // namespace

TMenuShortcuts::TMenuShortcuts(QMenuBar* bar) : QObject(bar), FBar(bar) {
  CollectItems(bar->actions(), FItems);
  for (QAction* item : FItems) {
    // Window context would stop them while an open menu has the keyboard; modal dialogs
    // still block them.
    item->setShortcutContext(Qt::ApplicationShortcut);
    item->installEventFilter(this);
  }
  bar->installEventFilter(this);
  // The focused control is asked first whether it wants a key for itself.
  QCoreApplication::instance()->installEventFilter(this);
}

QAction* TMenuShortcuts::EnabledItemFor(const QKeySequence& key) const {
  for (QAction* item : FItems)
    if (item->isEnabled() && item->shortcut() == key) return item;
  return nullptr;
}

bool TMenuShortcuts::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    // Kept from a control of the editor's window (not from a dialog), the key goes on to the
    // item's shortcut.
    auto* control = qobject_cast<QWidget*>(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    return control != nullptr && control->window() == FBar->window() &&
           EnabledItemFor(QKeySequence(key->keyCombination())) != nullptr;
  }
  if (event->type() != QEvent::Shortcut) return false;
  auto* shortcut = static_cast<QShortcutEvent*>(event);
  // The bar gets its access keys this way; an item's own shortcut with the same key comes
  // first. An item that shares its key with an access key is told that the key is
  // ambiguous and would do nothing at all.
  QAction* item = watched == FBar ? EnabledItemFor(shortcut->key()) : qobject_cast<QAction*>(watched);
  if (item == nullptr || !item->isEnabled()) return false;
  while (QWidget* popup = QApplication::activePopupWidget())
    if (!popup->close()) break;
  item->trigger();
  return true;
}
