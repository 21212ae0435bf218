#pragma once
// The keys of the drawing tools win over the focused control of the window: B in a spin edit
// picks the pencil rather than being typed, G in a drop-down list picks the fill rather than
// searching its items, Escape cancels a shape under way wherever the focus is.

#include <QList>
#include <QObject>

class QAction;
class QKeySequence;
class QWidget;

class TToolShortcuts : public QObject {
 public:
  // `window` holds the actions; their shortcuts keep the window's context.
  TToolShortcuts(QWidget* window, QList<QAction*> actions);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool HasEnabledAction(const QKeySequence& key) const;

  QWidget* FWindow;
  QList<QAction*> FActions;
};
