#include "app/application.h"
#include "document/editor_state.h"
#include "files/recovery.h"
#include "window/sprite_editor.h"

int main(int argc, char* argv[]) {
  TApplication app(argc, argv);
  TApplication::setApplicationName(QString::fromLatin1(BaseCaption));
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
