// The About item, straight on the menu bar: choosing it shows the box at once.

#include <QAction>
#include <QMenuBar>

#include "window/sprite_editor.h"

void TSpriteEditor::CreateAboutItem() {
  MenuAbout = menuBar()->addAction(tr("About..."));
  MenuAbout->setObjectName("MenuAbout");
  MenuAbout->setProperty("Tag", 0);
  connect(MenuAbout, &QAction::triggered, this, [this] { MenuAboutClick(MenuAbout); });
}

void TSpriteEditor::MenuAboutClick(QObject*) {
  FDialogs->ShowInformation(QStringLiteral("Deduzu Sprite Editor v") + FVersion +
                                QStringLiteral("\n\nCopyright \u00A9 2026 the Deduzu Sprite Editor developers"),
                            QStringLiteral("About..."));
}
