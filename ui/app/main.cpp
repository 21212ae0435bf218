#include "app/application.h"
#include "app/window_icon.h"
#include "document/editor_state.h"
#include "files/recovery.h"
#include "window/sprite_editor.h"

int main(int argc, char* argv[]) {
  TApplication app(argc, argv);
  TApplication::setApplicationName(QString::fromLatin1(BaseCaption));
  // The desktop entry names the window's program for the panel and its icon.
  TApplication::setDesktopFileName(DesktopFileName());
  TApplication::setWindowIcon(ProgramIcon());
  try {
    TSpriteEditor SpriteEditor;
    // The one thing kept between runs: a copy of unsaved changes, offered back after a crash.
    SpriteEditor.StartRecovery(DefaultRecoveryFolder());
    SpriteEditor.show();
    app.exec();
  } catch (...) {
    ShowException(ExceptionMessage(std::current_exception()));
  }
  return 0;
}
