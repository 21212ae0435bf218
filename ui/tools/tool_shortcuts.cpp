#include "tools/tool_shortcuts.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

TToolShortcuts::TToolShortcuts(QWidget* window, QList<QAction*> actions)
    : QObject(window), FWindow(window), FActions(std::move(actions)) {
  // The focused control is asked first whether it wants a key for itself; the answer is kept
  // from it for these keys.
  QCoreApplication::instance()->installEventFilter(this);
}

bool TToolShortcuts::HasEnabledAction(const QKeySequence& key) const {
  for (const QAction* action : FActions)
    if (action->isEnabled() && action->shortcut() == key) return true;
  return false;
}

bool TToolShortcuts::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride) return false;
  const auto* control = qobject_cast<QWidget*>(watched);
  const auto* key = static_cast<QKeyEvent*>(event);
  return control != nullptr && control->window() == FWindow && HasEnabledAction(QKeySequence(key->keyCombination()));
}
