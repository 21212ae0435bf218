#include "app/application.h"
#include "document/editor_state.h"
#include "window/sprite_editor.h"

int main(int argc, char* argv[]) {
  TApplication app(argc, argv);
  TApplication::setApplicationName(QString::fromLatin1(BaseCaption));
  try {
    TSpriteEditor SpriteEditor;
    SpriteEditor.show();
    app.exec();
  } catch (...) {
    ShowException(ExceptionMessage(std::current_exception()));
  }
  return 0;
}
