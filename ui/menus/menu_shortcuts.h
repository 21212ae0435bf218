#pragma once
// The shortcuts of the menu items, as the user of the editor expects them:
// - they work whether or not a menu is open, and an open menu closes before the item runs;
// - they win over the access keys of the menu bar, so Alt+V pastes from the clipboard
//   instead of opening View (the View menu still opens with the mouse or Alt alone);
// - they win over the focused control of the window: Ctrl+C in a spin edit copies the
//   sprite, not the spin edit's text.

#include <QKeySequence>
#include <QList>
#include <QObject>

class QAction;
class QMenuBar;

class TMenuShortcuts : public QObject {
 public:
  // Covers every item of every menu of the bar, as the bar holds them now.
  explicit TMenuShortcuts(QMenuBar* bar);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAction* EnabledItemFor(const QKeySequence& key) const;

  QMenuBar* FBar;
  QList<QAction*> FItems;  // the items that have a shortcut
};
