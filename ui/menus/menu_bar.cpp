// The menu bar: File, Edit, Frame, View and the About item, each built in its own file with the
// handlers of its items; the shortcuts of every item then go to TMenuShortcuts.

#include <QMenuBar>

#include "menus/menu_shortcuts.h"
#include "window/sprite_editor.h"

void TSpriteEditor::CreateMenus() {
  CreateFileMenu();
  CreateEditMenu();
  CreateFrameMenu();
  CreateViewMenu();
  CreateAboutItem();
  FMenuShortcuts = new TMenuShortcuts(menuBar());
}
