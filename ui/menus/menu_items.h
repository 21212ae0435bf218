#pragma once
// A menu's items as a table: each with its field of the window, object name, caption with
// access key, shortcut, Tag and handler. Each menu's file holds its table beside its handlers.

#include <QKeySequence>
#include <span>

class QAction;
class QMenu;
class QObject;
class TSpriteEditor;

using TClick = void (TSpriteEditor::*)(QObject*);

// One item of a menu; a null caption stands for a separator.
struct TItem {
  QAction* TSpriteEditor::*Field;
  const char* Name;
  const char* Caption;
  QKeyCombination Key;
  int Tag;
  TClick Click;
};

constexpr QKeyCombination Ctrl(Qt::Key key) { return Qt::CTRL | key; }
constexpr QKeyCombination CtrlShift(Qt::Key key) { return Qt::CTRL | Qt::SHIFT | key; }
constexpr QKeyCombination Alt(Qt::Key key) { return Qt::ALT | key; }
constexpr QKeyCombination AltShift(Qt::Key key) { return Qt::ALT | Qt::SHIFT | key; }
inline constexpr QKeyCombination NoKey{};

// Adds the items to the menu and stores each in its field of the window.
void AddItems(TSpriteEditor* editor, QMenu* menu, std::span<const TItem> items);

// Gives a menu and its entry in the bar (or in the parent menu) its object name and Tag 0.
QMenu* NamedMenu(QMenu* menu, const char* name);

// True when the sender is a menu item: shared menu handlers do nothing for anything else.
bool IsMenuItem(const QObject* sender);
