#include <QApplication>
#include <QLabel>

// Placeholder until the editor window lands.
int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  app.setApplicationName("Deduzu Sprite Editor");
  QLabel label("Deduzu Sprite Editor: the editor window is not built yet.");
  label.setWindowTitle("Deduzu Sprite Editor");
  label.setMargin(24);
  label.show();
  return app.exec();
}
