// The menu bar: File, Edit, View and the About item, each item with its caption, access key,
// shortcut, Tag and handler. The View menu is built in view_menu.cpp.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <span>

#include "menus/menu_shortcuts.h"
#include "window/sprite_editor.h"

namespace {

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

constexpr QKeyCombination None{};

const TItem FileItems[] = {
    {&TSpriteEditor::MiNew, "MiNew", "&New", Ctrl(Qt::Key_N), 0, &TSpriteEditor::MiNewClick},
    {&TSpriteEditor::MiOpen, "MiOpen", "&Open...", Ctrl(Qt::Key_O), 0, &TSpriteEditor::MiOpenClick},
    {&TSpriteEditor::MiSave, "MiSave", "&Save", Ctrl(Qt::Key_S), 0, &TSpriteEditor::MiSaveClick},
    {&TSpriteEditor::MiSaveAs, "MiSaveAs", "Save &as...", CtrlShift(Qt::Key_S), 0, &TSpriteEditor::MiSaveAsClick},
    {&TSpriteEditor::N3, "N3", nullptr, None, 0, nullptr},
    {&TSpriteEditor::MiImport, "MiImport", "&Import...", Ctrl(Qt::Key_B), 0, &TSpriteEditor::MiImportClick},
    {&TSpriteEditor::MiExport, "MiExport", "&Export...", Ctrl(Qt::Key_E), 0, &TSpriteEditor::MiExportClick},
    {&TSpriteEditor::N1, "N1", nullptr, None, 0, nullptr},
    {&TSpriteEditor::MiExit, "MiExit", "E&xit", Alt(Qt::Key_F4), 0, &TSpriteEditor::MiExitClick},
};

const TItem PlaneItems[] = {
    {&TSpriteEditor::MiCopySprite, "MiCopySprite", "&Copy sprite", Ctrl(Qt::Key_C), 0, &TSpriteEditor::MiEditClick},
    {&TSpriteEditor::MiCopyMask, "MiCopyMask", "C&opy mask", CtrlShift(Qt::Key_C), 1, &TSpriteEditor::MiEditClick},
    {&TSpriteEditor::MiPasteSprite, "MiPasteSprite", "&Paste to sprite", Ctrl(Qt::Key_V), 2,
     &TSpriteEditor::MiEditClick},
    {&TSpriteEditor::MiPasteMask, "MiPasteMask", "P&aste to mask", CtrlShift(Qt::Key_V), 3,
     &TSpriteEditor::MiEditClick},
    {&TSpriteEditor::MiMergeSprite, "MiMergeSprite", "&Merge with sprite", Ctrl(Qt::Key_M), 4,
     &TSpriteEditor::MiEditClick},
    {&TSpriteEditor::MiMergeMask, "MiMergeMask", "M&erge with mask", CtrlShift(Qt::Key_M), 5,
     &TSpriteEditor::MiEditClick},
    {&TSpriteEditor::MiClearSprite, "MiClearSprite", "C&lear sprite", Ctrl(Qt::Key_X), 6,
     &TSpriteEditor::MiEditClick},
    {&TSpriteEditor::MiClearMask, "MiClearMask", "Clear mas&k", CtrlShift(Qt::Key_X), 7, &TSpriteEditor::MiEditClick},
    {&TSpriteEditor::MiInvertSprite, "MiInvertSprite", "&Invert sprite", Ctrl(Qt::Key_I), 8,
     &TSpriteEditor::MiEditClick},
    {&TSpriteEditor::MiInvertMask, "MiInvertMask", "I&nvert mask", CtrlShift(Qt::Key_I), 9,
     &TSpriteEditor::MiEditClick},
    {&TSpriteEditor::N4, "N4", nullptr, None, 0, nullptr},
};

const TItem ShiftItems[] = {
    {&TSpriteEditor::MiShiftSprite1, "MiShiftSprite1", "Sprite &up", Ctrl(Qt::Key_U), 11, &TSpriteEditor::MiShiftClick},
    {&TSpriteEditor::MiShiftMask1, "MiShiftMask1", "Mask u&p", CtrlShift(Qt::Key_U), 21, &TSpriteEditor::MiShiftClick},
    {&TSpriteEditor::MiShiftSprite2, "MiShiftSprite2", "Sprite &left", Ctrl(Qt::Key_L), 12,
     &TSpriteEditor::MiShiftClick},
    {&TSpriteEditor::MiShiftMask2, "MiShiftMask2", "Mask l&eft", CtrlShift(Qt::Key_L), 22, &TSpriteEditor::MiShiftClick},
    {&TSpriteEditor::MiShiftSprite3, "MiShiftSprite3", "Sprite &right", Ctrl(Qt::Key_R), 13,
     &TSpriteEditor::MiShiftClick},
    {&TSpriteEditor::MiShiftMask3, "MiShiftMask3", "Mask r&ight", CtrlShift(Qt::Key_R), 23,
     &TSpriteEditor::MiShiftClick},
    {&TSpriteEditor::MiShiftSprite4, "MiShiftSprite4", "Sprite &down", Ctrl(Qt::Key_D), 14,
     &TSpriteEditor::MiShiftClick},
    {&TSpriteEditor::MiShiftMask4, "MiShiftMask4", "Mask d&own", CtrlShift(Qt::Key_D), 24, &TSpriteEditor::MiShiftClick},
};

const TItem FlipItems[] = {
    {&TSpriteEditor::MiFlipSpriteHorizontal, "MiFlipSpriteHorizontal", "Sprite &horizontal", Ctrl(Qt::Key_Q), 31,
     &TSpriteEditor::MiFlipClick},
    {&TSpriteEditor::MiFlipMaskHorizontal, "MiFlipMaskHorizontal", "Mask h&orizontal", CtrlShift(Qt::Key_Q), 32,
     &TSpriteEditor::MiFlipClick},
    {&TSpriteEditor::MiFlipSpriteVertical, "MiFlipSpriteVertical", "Sprite &vertical", Ctrl(Qt::Key_W), 33,
     &TSpriteEditor::MiFlipClick},
    {&TSpriteEditor::MiFlipMaskVertical, "MiFlipMaskVertical", "Mask v&ertical", CtrlShift(Qt::Key_W), 34,
     &TSpriteEditor::MiFlipClick},
};

const TItem RotateItems[] = {
    {&TSpriteEditor::MiRotateSprite90, "MiRotateSprite90", "Sprite &90\u00B0", Ctrl(Qt::Key_T), 41,
     &TSpriteEditor::MiRotateClick},
    {&TSpriteEditor::MiRotateMask90, "MiRotateMask90", "Mask 9&0\u00B0", CtrlShift(Qt::Key_T), 42,
     &TSpriteEditor::MiRotateClick},
    {&TSpriteEditor::MiRotateSprite180, "MiRotateSprite180", "Sprite &180\u00B0", Ctrl(Qt::Key_Y), 43,
     &TSpriteEditor::MiRotateClick},
    {&TSpriteEditor::MiRotateMask180, "MiRotateMask180", "Mask 1&80\u00B0", CtrlShift(Qt::Key_Y), 44,
     &TSpriteEditor::MiRotateClick},
};

const TItem ClipboardItems[] = {
    {&TSpriteEditor::MiCopySpriteClip, "MiCopySpriteClip", "&Copy sprite to clipboard", Alt(Qt::Key_C), 51,
     &TSpriteEditor::MiClipboardClick},
    {&TSpriteEditor::MiCopyMaskClip, "MiCopyMaskClip", "C&opy mask to clipboard", AltShift(Qt::Key_C), 52,
     &TSpriteEditor::MiClipboardClick},
    {&TSpriteEditor::MiPasteSpriteClip, "MiPasteSpriteClip", "&Paste from clipboard to sprite", Alt(Qt::Key_V), 53,
     &TSpriteEditor::MiClipboardClick},
    {&TSpriteEditor::MiPasteMaskClip, "MiPasteMaskClip", "P&aste from clipboard to mask", AltShift(Qt::Key_V), 54,
     &TSpriteEditor::MiClipboardClick},
};

const TItem MaskItems[] = {
    {&TSpriteEditor::N2, "N2", nullptr, None, 0, nullptr},
    {&TSpriteEditor::MiGenStdMask, "MiGenStdMask", "&Generate standard mask", Ctrl(Qt::Key_G), 0,
     &TSpriteEditor::MiGenStdMaskClick},
};

QMenu* NamedMenu(QMenu* menu, const char* name) {
  menu->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setProperty("Tag", 0);
  return menu;
}

}  // namespace

void TSpriteEditor::CreateMenus() {
  CreateFileMenu();
  CreateEditMenu();
  CreateViewMenu();
  CreateAboutItem();
  FMenuShortcuts = new TMenuShortcuts(menuBar());
}

namespace {

void AddItems(TSpriteEditor* editor, QMenu* menu, std::span<const TItem> items) {
  for (const TItem& i : items) {
    QAction* item = i.Caption ? menu->addAction(QString::fromUtf8(i.Caption)) : menu->addSeparator();
    item->setObjectName(QString::fromLatin1(i.Name));
    item->setProperty("Tag", i.Tag);
    if (i.Key != None) item->setShortcut(QKeySequence(i.Key));
    if (i.Click != nullptr)
      QObject::connect(item, &QAction::triggered, editor, [editor, item, click = i.Click] { (editor->*click)(item); });
    editor->*i.Field = item;
  }
}

}  // namespace

void TSpriteEditor::CreateFileMenu() {
  MenuFile = NamedMenu(menuBar()->addMenu(tr("&File")), "MenuFile");
  AddItems(this, MenuFile, FileItems);
  connect(MenuFile, &QMenu::aboutToShow, this, [this] { MenuFileClick(MenuFile); });
  MiSave->setEnabled(FModified);
}

void TSpriteEditor::CreateEditMenu() {
  MenuEdit = NamedMenu(menuBar()->addMenu(tr("&Edit")), "MenuEdit");
  AddItems(this, MenuEdit, PlaneItems);
  MiShiftSprite = NamedMenu(MenuEdit->addMenu(tr("&Shift")), "MiShiftSprite");
  AddItems(this, MiShiftSprite, ShiftItems);
  MiFlip = NamedMenu(MenuEdit->addMenu(tr("&Flip")), "MiFlip");
  AddItems(this, MiFlip, FlipItems);
  MiRotate = NamedMenu(MenuEdit->addMenu(tr("&Rotate")), "MiRotate");
  AddItems(this, MiRotate, RotateItems);
  N5 = MenuEdit->addSeparator();
  N5->setObjectName("N5");
  MiClipboard = NamedMenu(MenuEdit->addMenu(tr("Clip&board")), "MiClipboard");
  AddItems(this, MiClipboard, ClipboardItems);
  AddItems(this, MenuEdit, MaskItems);

  // Enabled only while the sprite is masked (ValueChange), in this order.
  FMaskActions = {MiCopyMask,      MiPasteMask,          MiMergeMask,        MiClearMask,
                  MiInvertMask,    MiShiftMask1,         MiShiftMask2,       MiShiftMask3,
                  MiShiftMask4,    MiFlipMaskHorizontal, MiFlipMaskVertical, MiRotateMask90,
                  MiRotateMask180, MiCopyMaskClip,       MiPasteMaskClip,    MiGenStdMask};
}

// A top-level item without a menu: choosing it in the bar shows the box at once.
void TSpriteEditor::CreateAboutItem() {
  MenuAbout = menuBar()->addAction(tr("About..."));
  MenuAbout->setObjectName("MenuAbout");
  MenuAbout->setProperty("Tag", 0);
  connect(MenuAbout, &QAction::triggered, this, [this] { MenuAboutClick(MenuAbout); });
}

void TSpriteEditor::MenuFileClick(QObject*) { MiSave->setEnabled(FModified); }

void TSpriteEditor::MenuAboutClick(QObject*) {
  FDialogs->ShowInformation(QStringLiteral("Deduzu Sprite Editor v") + FVersion +
                                QStringLiteral("\n\nCopyright \u00A9 2026 the Deduzu Sprite Editor developers"),
                            QStringLiteral("About..."));
}
