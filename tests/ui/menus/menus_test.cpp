// The menu bar: every item in its place with caption, shortcut and Tag; the mask items follow
// "Masked sprite"; Save follows the modified mark; shortcuts reach the commands with the menus
// closed or open, and win over the bar's access keys; About; shared handlers ignore anything
// that is not a menu item.

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>
#include <set>

#include "exchange/clipboard_text.h"
#include "support/scripted_dialogs.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

// A shortcut as a stored number: a key code plus 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt.
QKeySequence StoredShortcut(int stored) {
  if (stored == 0) return {};
  const int code = stored & 0xFF;
  Qt::Key key = Qt::Key_unknown;
  if (code >= 'A' && code <= 'Z') key = Qt::Key(Qt::Key_A + code - 'A');
  if (code >= '0' && code <= '9') key = Qt::Key(Qt::Key_0 + code - '0');
  if (code >= 0x70 && code <= 0x7B) key = Qt::Key(Qt::Key_F1 + code - 0x70);
  if (code == 0x2D) key = Qt::Key_Insert;
  if (code == 0x2E) key = Qt::Key_Delete;
  Qt::KeyboardModifiers modifiers;
  if (stored & 0x2000) modifiers |= Qt::ShiftModifier;
  if (stored & 0x4000) modifiers |= Qt::ControlModifier;
  if (stored & 0x8000) modifiers |= Qt::AltModifier;
  return QKeySequence(QKeyCombination(modifiers, key));
}

enum TKind { kItem, kSeparator, kSubmenu };

struct TRow {
  const char* Menu;
  const char* Name;
  const char* Caption;
  int Shortcut;
  int Tag;
  TKind Kind;
};

// The whole bar in menu order.
const TRow Rows[] = {
    {"MenuFile", "MiNew", "&New", 16462, 0, kItem},
    {"MenuFile", "MiOpen", "&Open...", 16463, 0, kItem},
    {"MenuFile", "MiSave", "&Save", 16467, 0, kItem},
    {"MenuFile", "MiSaveAs", "Save &as...", 24659, 0, kItem},
    {"MenuFile", "N3", "", 0, 0, kSeparator},
    {"MenuFile", "MiImport", "&Import...", 16450, 0, kItem},
    {"MenuFile", "MiExport", "&Export...", 16453, 0, kItem},
    {"MenuFile", "MiExportSource", "Export so&urce...", 0, 0, kItem},
    {"MenuFile", "MiImportImage", "Import i&mage...", 0, 0, kItem},
    {"MenuFile", "MiExportImage", "Export ima&ge...", 0, 0, kItem},
    {"MenuFile", "N1", "", 0, 0, kSeparator},
    {"MenuFile", "MiExit", "E&xit", 32883, 0, kItem},
    {"MenuEdit", "MiUndo", "&Undo", 16474, 0, kItem},
    {"MenuEdit", "MiRedo", "&Redo", 24666, 0, kItem},
    {"MenuEdit", "N6", "", 0, 0, kSeparator},
    {"MenuEdit", "MiCopySprite", "&Copy sprite", 16451, 0, kItem},
    {"MenuEdit", "MiCopyMask", "C&opy mask", 24643, 1, kItem},
    {"MenuEdit", "MiPasteSprite", "&Paste to sprite", 16470, 2, kItem},
    {"MenuEdit", "MiPasteMask", "P&aste to mask", 24662, 3, kItem},
    {"MenuEdit", "MiMergeSprite", "&Merge with sprite", 16461, 4, kItem},
    {"MenuEdit", "MiMergeMask", "M&erge with mask", 24653, 5, kItem},
    {"MenuEdit", "MiClearSprite", "C&lear sprite", 16472, 6, kItem},
    {"MenuEdit", "MiClearMask", "Clear mas&k", 24664, 7, kItem},
    {"MenuEdit", "MiInvertSprite", "&Invert sprite", 16457, 8, kItem},
    {"MenuEdit", "MiInvertMask", "I&nvert mask", 24649, 9, kItem},
    {"MenuEdit", "N4", "", 0, 0, kSeparator},
    {"MenuEdit", "MiShiftSprite", "&Shift", 0, 0, kSubmenu},
    {"MiShiftSprite", "MiShiftSprite1", "Sprite &up", 16469, 11, kItem},
    {"MiShiftSprite", "MiShiftMask1", "Mask u&p", 24661, 21, kItem},
    {"MiShiftSprite", "MiShiftSprite2", "Sprite &left", 16460, 12, kItem},
    {"MiShiftSprite", "MiShiftMask2", "Mask l&eft", 24652, 22, kItem},
    {"MiShiftSprite", "MiShiftSprite3", "Sprite &right", 16466, 13, kItem},
    {"MiShiftSprite", "MiShiftMask3", "Mask r&ight", 24658, 23, kItem},
    {"MiShiftSprite", "MiShiftSprite4", "Sprite &down", 16452, 14, kItem},
    {"MiShiftSprite", "MiShiftMask4", "Mask d&own", 24644, 24, kItem},
    {"MiShiftSprite", "N8", "", 0, 0, kSeparator},
    {"MiShiftSprite", "MiShiftBoth1", "Sprite &and mask up", 41045, 61, kItem},
    {"MiShiftSprite", "MiShiftBoth2", "Sprite and mask le&ft", 41036, 62, kItem},
    {"MiShiftSprite", "MiShiftBoth3", "Sprite and mask ri&ght", 41042, 63, kItem},
    {"MiShiftSprite", "MiShiftBoth4", "Sprite and mask do&wn", 41028, 64, kItem},
    {"MenuEdit", "MiFlip", "&Flip", 0, 0, kSubmenu},
    {"MiFlip", "MiFlipSpriteHorizontal", "Sprite &horizontal", 16465, 31, kItem},
    {"MiFlip", "MiFlipMaskHorizontal", "Mask h&orizontal", 24657, 32, kItem},
    {"MiFlip", "MiFlipSpriteVertical", "Sprite &vertical", 16471, 33, kItem},
    {"MiFlip", "MiFlipMaskVertical", "Mask v&ertical", 24663, 34, kItem},
    {"MiFlip", "N9", "", 0, 0, kSeparator},
    {"MiFlip", "MiFlipBothHorizontal", "Sprite and mask hori&zontal", 41041, 35, kItem},
    {"MiFlip", "MiFlipBothVertical", "Sprite and mask ver&tical", 41047, 36, kItem},
    {"MenuEdit", "MiRotate", "&Rotate", 0, 0, kSubmenu},
    {"MiRotate", "MiRotateSprite90", "Sprite &90\u00B0", 16468, 41, kItem},
    {"MiRotate", "MiRotateMask90", "Mask 9&0\u00B0", 24660, 42, kItem},
    {"MiRotate", "MiRotateSprite180", "Sprite &180\u00B0", 16473, 43, kItem},
    {"MiRotate", "MiRotateMask180", "Mask 1&80\u00B0", 24665, 44, kItem},
    {"MiRotate", "N10", "", 0, 0, kSeparator},
    {"MiRotate", "MiRotateBoth90", "Sprite &and mask 90\u00B0", 41044, 45, kItem},
    {"MiRotate", "MiRotateBoth180", "Sprite and &mask 180\u00B0", 41049, 46, kItem},
    {"MenuEdit", "N5", "", 0, 0, kSeparator},
    {"MenuEdit", "MiClipboard", "Clip&board", 0, 0, kSubmenu},
    {"MiClipboard", "MiCopySpriteClip", "&Copy sprite to clipboard", 32835, 51, kItem},
    {"MiClipboard", "MiCopyMaskClip", "C&opy mask to clipboard", 41027, 52, kItem},
    {"MiClipboard", "MiPasteSpriteClip", "&Paste from clipboard to sprite", 32854, 53, kItem},
    {"MiClipboard", "MiPasteMaskClip", "P&aste from clipboard to mask", 41046, 54, kItem},
    {"MenuEdit", "N2", "", 0, 0, kSeparator},
    {"MenuEdit", "MiGenStdMask", "&Generate standard mask", 16455, 0, kItem},
    {"MenuFrame", "MiInsertFrame", "&Insert frame", 32813, 0, kItem},
    {"MenuFrame", "MiDuplicateFrame", "&Duplicate frame", 41005, 0, kItem},
    {"MenuFrame", "MiDeleteFrame", "D&elete frame", 32814, 0, kItem},
    {"MenuFrame", "N7", "", 0, 0, kSeparator},
    {"MenuFrame", "MiCopyFrame", "&Copy frame", 49219, 0, kItem},
    {"MenuFrame", "MiPasteFrame", "&Paste frame", 49238, 0, kItem},
    {"MenuView", "MiView025", "25%", 16433, 3, kItem},
    {"MenuView", "MiView050", "50%", 16434, 6, kItem},
    {"MenuView", "MiView100", "100%", 16435, 12, kItem},
    {"MenuView", "MiView200", "200%", 16436, 24, kItem},
    {"MenuView", "MiView400", "400%", 16437, 48, kItem},
    {"MenuView", "MiView800", "800%", 16438, 96, kItem},
    {"MenuView", "N11", "", 0, 0, kSeparator},
    {"MenuView", "MiPreview", "Preview", 0, 0, kItem},
    {"MenuView", "MiOnionSkin", "Onion skin", 0, 0, kItem},
};

const char* const MaskItemNames[] = {"MiCopyMask",      "MiPasteMask",          "MiMergeMask",
                                     "MiClearMask",     "MiInvertMask",         "MiShiftMask1",
                                     "MiShiftMask2",    "MiShiftMask3",         "MiShiftMask4",
                                     "MiFlipMaskHorizontal", "MiFlipMaskVertical", "MiRotateMask90",
                                     "MiRotateMask180", "MiCopyMaskClip",       "MiPasteMaskClip",
                                     "MiGenStdMask",    "MiShiftBoth1",         "MiShiftBoth2",
                                     "MiShiftBoth3",    "MiShiftBoth4",         "MiFlipBothHorizontal",
                                     "MiFlipBothVertical", "MiRotateBoth90",    "MiRotateBoth180"};

QStringList Names(const QList<QAction*>& actions) {
  QStringList names;
  for (const QAction* a : actions) names << a->objectName();
  return names;
}

bool PlaneIsClear(const TSpriteStore& s, int frame, bool mask) {
  for (int x = 0; x < MaxSide; ++x)
    for (int y = 0; y < MaxSide; ++y)
      if (s.Pixel(frame, mask, x, y)) return false;
  return true;
}

}  // namespace

class TMenusTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void barInOrder();
  void menusInOrder();
  void item_data();
  void item();
  void shortcutsAreUnique();
  void maskItemsFollowMasking();
  void saveFollowsModifiedMark();
  void shortcutsWithMenusClosed_data();
  void shortcutsWithMenusClosed();
  void shortcutsWinOverTheFocusedSpinEdit();
  void shortcutInOpenMenuRunsAndClosesIt();
  void altVPastesInsteadOfOpeningView();
  void altF4Closes();
  void about();
  void sharedHandlersIgnoreOtherSenders();

 private:
  std::unique_ptr<TScriptedEditor> F;

  void ShowActive() {
    (*F)->show();
    (*F)->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(F->Editor.get()));
  }
};

void TMenusTest::init() { F = std::make_unique<TScriptedEditor>(); }

void TMenusTest::cleanup() {
  if (F) QCOMPARE(F->Dialogs->Unexpected, 0);
  F.reset();
}

void TMenusTest::barInOrder() {
  TSpriteEditor& e = **F;
  const QList<QAction*> bar = e.menuBar()->actions();
  QCOMPARE(bar, (QList<QAction*>{e.MenuFile->menuAction(), e.MenuEdit->menuAction(), e.MenuFrame->menuAction(),
                                 e.MenuView->menuAction(), e.MenuAbout}));
  QCOMPARE(Names(bar), (QStringList{"MenuFile", "MenuEdit", "MenuFrame", "MenuView", "MenuAbout"}));
  QCOMPARE(e.MenuFile->title(), QStringLiteral("&File"));
  QCOMPARE(e.MenuEdit->title(), QStringLiteral("&Edit"));
  QCOMPARE(e.MenuFrame->title(), QStringLiteral("F&rame"));
  QCOMPARE(e.MenuAbout->text(), QStringLiteral("About..."));
  QVERIFY(e.MenuAbout->menu() == nullptr);  // runs at once, opens nothing
  QCOMPARE(TagOf(e.MenuAbout), 0);
}

void TMenusTest::menusInOrder() {
  TSpriteEditor& e = **F;
  for (const char* menuName : {"MenuFile", "MenuEdit", "MiShiftSprite", "MiFlip", "MiRotate", "MiClipboard", "MenuFrame",
                               "MenuView"}) {
    QStringList expected;
    for (const TRow& r : Rows)
      if (qstrcmp(r.Menu, menuName) == 0) expected << QString::fromLatin1(r.Name);
    auto* menu = e.findChild<QMenu*>(QString::fromLatin1(menuName));
    QVERIFY2(menu != nullptr, menuName);
    QCOMPARE(Names(menu->actions()), expected);
  }
}

void TMenusTest::item_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<int>("shortcut");
  QTest::addColumn<int>("tag");
  QTest::addColumn<int>("kind");
  for (const TRow& r : Rows)
    QTest::newRow(r.Name) << QString::fromLatin1(r.Name) << QString::fromUtf8(r.Caption) << r.Shortcut << r.Tag
                          << int(r.Kind);
}

void TMenusTest::item() {
  QFETCH(QString, name);
  QFETCH(QString, caption);
  QFETCH(int, shortcut);
  QFETCH(int, tag);
  QFETCH(int, kind);
  auto* a = (*F)->findChild<QAction*>(name);
  QVERIFY(a != nullptr);
  QCOMPARE(a->isSeparator(), kind == kSeparator);
  QCOMPARE(a->menu() != nullptr, kind == kSubmenu);
  if (kind != kSeparator) QCOMPARE(a->text(), caption);
  QCOMPARE(a->shortcut(), StoredShortcut(shortcut));
  QCOMPARE(TagOf(a), tag);
}

void TMenusTest::shortcutsAreUnique() {
  std::set<QString> seen;
  for (const TRow& r : Rows) {
    if (r.Shortcut == 0) continue;
    const QString key = StoredShortcut(r.Shortcut).toString();
    QVERIFY2(seen.insert(key).second, qPrintable(key));
  }
}

void TMenusTest::maskItemsFollowMasking() {
  ShowActive();
  TSpriteEditor& e = **F;
  QStringList expected;
  for (const char* n : MaskItemNames) expected << QString::fromLatin1(n);
  QCOMPARE(Names(QList<QAction*>(e.FMaskActions.begin(), e.FMaskActions.end())), expected);
  for (QAction* a : e.FMaskActions) QVERIFY(a->isEnabled());

  e.CheckBoxMasked->setChecked(false);
  for (QAction* a : e.FMaskActions) QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
  // The sprite items stay.
  for (QAction* a : {e.MiCopySprite, e.MiInvertSprite, e.MiShiftSprite1, e.MiRotateSprite90, e.MiCopySpriteClip})
    QVERIFY(a->isEnabled());
  // A disabled item's shortcut does nothing: Invert mask, Generate standard mask, Copy mask
  // to clipboard.
  e.FModified = false;
  e.UpdateCaption(e.FProjectFileName);
  QTest::keyClick(&e, Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(&e, Qt::Key_G, Qt::ControlModifier);
  QTest::keyClick(&e, Qt::Key_C, Qt::AltModifier | Qt::ShiftModifier);
  QVERIFY(PlaneIsClear(e.FStore, 0, true));
  QVERIFY(!e.FModified);
  QVERIFY(!F->Dialogs->Clipboard);

  e.CheckBoxMasked->setChecked(true);
  for (QAction* a : e.FMaskActions) QVERIFY(a->isEnabled());
  QTest::keyClick(&e, Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(e.FStore.Pixel(0, true, 239, 239), 1);
}

void TMenusTest::saveFollowsModifiedMark() {
  TSpriteEditor& e = **F;
  QVERIFY(!e.MiSave->isEnabled());
  e.MarkModified();
  QVERIFY(e.MiSave->isEnabled());
  e.FModified = false;
  e.UpdateCaption(e.FProjectFileName);
  QVERIFY(!e.MiSave->isEnabled());
  // Opening the File menu sets it from the flag as it is then.
  e.FModified = true;
  e.MenuFile->popup(QPoint(0, 0));
  QVERIFY(e.MiSave->isEnabled());
  e.MenuFile->close();
  e.FModified = false;
  e.MenuFile->popup(QPoint(0, 0));
  QVERIFY(!e.MiSave->isEnabled());
  e.MenuFile->close();
}

// A key sent to the window with every menu closed reaches its command.
void TMenusTest::shortcutsWithMenusClosed_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<QString>("effect");
  QTest::newRow("Ctrl+I inverts the sprite") << int(Qt::Key_I) << int(Qt::ControlModifier) << "sprite set";
  QTest::newRow("Ctrl+Shift+I inverts the mask")
      << int(Qt::Key_I) << int(Qt::ControlModifier | Qt::ShiftModifier) << "mask set";
  QTest::newRow("Ctrl+G generates the mask") << int(Qt::Key_G) << int(Qt::ControlModifier) << "mask set";
  QTest::newRow("Alt+C copies the sprite to the clipboard") << int(Qt::Key_C) << int(Qt::AltModifier) << "clipboard";
  QTest::newRow("Ctrl+N asks about New") << int(Qt::Key_N) << int(Qt::ControlModifier) << "question:New sprite collection...";
  QTest::newRow("Ctrl+O opens the Open dialog") << int(Qt::Key_O) << int(Qt::ControlModifier) << "open:Open sprite project...";
  QTest::newRow("Ctrl+Shift+S opens the Save as dialog")
      << int(Qt::Key_S) << int(Qt::ControlModifier | Qt::ShiftModifier) << "save:Save sprite project...";
  QTest::newRow("Ctrl+B asks about Import") << int(Qt::Key_B) << int(Qt::ControlModifier) << "question:Import sprite...";
  QTest::newRow("Ctrl+E opens the Export dialog") << int(Qt::Key_E) << int(Qt::ControlModifier) << "save:Export sprite data...";
  QTest::newRow("Ctrl+4 zooms to 200%") << int(Qt::Key_4) << int(Qt::ControlModifier) << "zoom 24";
}

void TMenusTest::shortcutsWithMenusClosed() {
  QFETCH(int, key);
  QFETCH(int, modifiers);
  QFETCH(QString, effect);
  ShowActive();
  TSpriteEditor& e = **F;
  F->Dialogs->Answers = {false};
  F->Dialogs->Paths = {QString()};
  QTest::keyClick(&e, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
  if (effect == "sprite set") {
    QCOMPARE(e.FStore.Pixel(0, false, 239, 239), 1);
    QVERIFY(e.FModified);
  } else if (effect == "mask set") {
    QCOMPARE(e.FStore.Pixel(0, true, 239, 239), 1);
    QVERIFY(e.FModified);
  } else if (effect == "clipboard") {
    QVERIFY(F->Dialogs->Clipboard.has_value());
    QVERIFY(F->Dialogs->Clipboard->startsWith("SPRJ;12;24;6;"));
  } else if (effect == "zoom 24") {
    QCOMPARE(e.FZoom, 24);
    QVERIFY(e.MiView200->isChecked());
  } else {
    QCOMPARE(F->Dialogs->Sequence(), QStringList{effect});
  }
  // Whatever the command did not ask may stay queued.
  F->Dialogs->Unexpected = 0;
}

// The focus starts in a spin edit, whose text field would take Ctrl+C for itself.
void TMenusTest::shortcutsWinOverTheFocusedSpinEdit() {
  ShowActive();
  TSpriteEditor& e = **F;
  QTRY_VERIFY(e.SpinEditGridX->hasFocus());
  QWidget* focused = QApplication::focusWidget();
  e.FStore.SetPixel(0, false, 7, 7, 1);
  QTest::keyClick(focused, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(e.FStore.FCopyBuffer[7][7], 1);
  QVERIFY(e.FModified);
  QTest::keyClick(focused, Qt::Key_X, Qt::ControlModifier);
  QCOMPARE(e.FStore.Pixel(0, false, 7, 7), 0);
  QTest::keyClick(focused, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(e.FStore.Pixel(0, true, 7, 7), 1);
  // Keys that are no item's shortcut still reach the spin edit.
  QTest::keyClick(focused, Qt::Key_Up);
  QCOMPARE(e.SpinEditGridX->value(), 7);
}

void TMenusTest::shortcutInOpenMenuRunsAndClosesIt() {
  ShowActive();
  TSpriteEditor& e = **F;
  e.MenuEdit->popup(e.mapToGlobal(QPoint(0, 0)));
  QTRY_VERIFY(QApplication::activePopupWidget() == e.MenuEdit);
  QTest::keyClick(e.MenuEdit, Qt::Key_I, Qt::ControlModifier);
  QCOMPARE(e.FStore.Pixel(0, false, 0, 0), 1);
  QVERIFY(e.FModified);
  QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
}

// Alt+V is both the View menu's access key and the item "Paste from clipboard to sprite";
// the item wins, every time.
void TMenusTest::altVPastesInsteadOfOpeningView() {
  ShowActive();
  TSpriteEditor& e = **F;
  for (int i = 0; i < 3; ++i) {
    e.FStore.ClearAll();
    F->Dialogs->Clipboard = QStringLiteral("SPRJ;6;1;6;1$");
    QTest::keyClick(&e, Qt::Key_V, Qt::AltModifier);
    QCOMPARE(e.FStore.Pixel(0, false, 0, 0), 1);
    QVERIFY(QApplication::activePopupWidget() == nullptr);
  }
  F->Dialogs->Clipboard = QStringLiteral("SPRJ;6;1;6;2$");
  QTest::keyClick(&e, Qt::Key_V, Qt::AltModifier | Qt::ShiftModifier);
  QCOMPARE(e.FStore.Pixel(0, true, 1, 0), 1);
  QVERIFY(F->Dialogs->Shown.empty());
}

void TMenusTest::altF4Closes() {
  ShowActive();
  TSpriteEditor& e = **F;
  QTest::keyClick(&e, Qt::Key_F4, Qt::AltModifier);
  QTRY_VERIFY(!e.isVisible());
}

void TMenusTest::about() {
  TSpriteEditor& e = **F;
  e.MenuAbout->trigger();
  QCOMPARE(F->Dialogs->Sequence(), QStringList{"information:About..."});
  const QString text = F->Dialogs->Shown[0].Text;
  const QString head = QStringLiteral("Deduzu Sprite Editor v") + e.FVersion + QStringLiteral("\n\n");
  QVERIFY2(text.startsWith(head), qPrintable(text));
  QVERIFY(text.size() > head.size());  // the copyright line
  QVERIFY(!e.FModified);
}

// A push button carrying an item's Tag is no menu item: the shared handlers do nothing.
void TMenusTest::sharedHandlersIgnoreOtherSenders() {
  TSpriteEditor& e = **F;
  QPushButton impostor;
  auto expectNothing = [&](int tag, void (TSpriteEditor::*handler)(QObject*)) {
    impostor.setProperty("Tag", tag);
    e.FRedrawQueue.clear();
    (e.*handler)(&impostor);
    (e.*handler)(nullptr);
    QVERIFY(PlaneIsClear(e.FStore, 0, false));
    QVERIFY(PlaneIsClear(e.FStore, 0, true));
    QVERIFY(!e.FModified);
    QVERIFY(e.FRedrawQueue.empty());
  };
  expectNothing(8, &TSpriteEditor::MiEditClick);
  expectNothing(11, &TSpriteEditor::MiShiftClick);
  expectNothing(31, &TSpriteEditor::MiFlipClick);
  expectNothing(41, &TSpriteEditor::MiRotateClick);
  expectNothing(51, &TSpriteEditor::MiClipboardClick);
  expectNothing(24, &TSpriteEditor::MiViewClick);
  expectNothing(96, &TSpriteEditor::MiViewClick);
  expectNothing(0, &TSpriteEditor::MiOnionSkinClick);
  QVERIFY(!F->Dialogs->Clipboard);
  QCOMPARE(e.FZoom, 12);
  QVERIFY(F->Dialogs->Shown.empty());
}

QTEST_MAIN(TMenusTest)
#include "menus_test.moc"
