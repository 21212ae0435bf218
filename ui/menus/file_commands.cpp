// The File menu's commands, the start-up project and the question before the window closes.
// They move the document's identity (FProjectFileName, FModified) and keep the title in step.

#include <QCloseEvent>
#include <QFileInfo>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>

#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

const QString ProjectFilter = QStringLiteral("sprite project (*.sprite)|*.sprite|all files (*.*)|*.*");
const QString ImportFilter = QStringLiteral("binary sprite files (*.bin;*.dat)|*.bin;*.dat|all files (*.*)|*.*");
const QString ExportFilter =
    QStringLiteral("binary sprite file (*.bin)|*.bin|binary sprite file (*.dat)|*.dat|raw file (*.*)|*.*");
const QString LoseChanges = QStringLiteral("All unsaved changes will be lost!\nAre you sure?");

// A dialog set up "from" a remembered path: its file-name part and its directory. Without a
// path the name is empty and the dialog keeps the directory it last used (by either of the
// two commands that share it).
TFileDialogSetup DialogSetup(const QString& title, const QString& filter, const QString& suffix,
                             const QString& remembered) {
  TFileDialogSetup setup{title, filter, suffix, {}, {}};
  if (!remembered.isEmpty()) {
    const QFileInfo info(remembered);
    setup.FileName = info.fileName();
    setup.Directory = info.absolutePath() + QLatin1Char('/');
  }
  return setup;
}

}  // namespace

void TSpriteEditor::MiNewClick(QObject*) {
  if (!FDialogs->AskYesNo(LoseChanges, QStringLiteral("New sprite collection..."))) return;
  SliderFrame->setValue(1);
  SpinEditTotalFrames->setValue(1);
  UpdateFrameButtons();
  ScrollBox->verticalScrollBar()->setValue(0);
  ScrollBox->horizontalScrollBar()->setValue(0);
  FModified = false;
  FProjectFileName.clear();
  UpdateCaption(FProjectFileName);
  FStore.ClearAll();
  FRedrawQueue.push_back(rtFull);
}

void TSpriteEditor::MiOpenClick(QObject*) {
  if (!FStartupFileName.isEmpty()) {
    const QString path = FStartupFileName;
    FStartupFileName.clear();
    LoadProject(path);
    return;
  }
  // Loading replaces the document at once, so unsaved changes are asked about first.
  if (FModified && !FDialogs->AskYesNo(LoseChanges, QStringLiteral("Open sprite project..."))) return;
  const QString path = FDialogs->GetOpenFileName(
      DialogSetup(QStringLiteral("Open sprite project..."), ProjectFilter, QStringLiteral("sprite"), FProjectFileName));
  if (!path.isEmpty()) LoadProject(path);
}

void TSpriteEditor::MiSaveClick(QObject* Sender) {
  if (!FModified) return;
  if (FProjectFileName.isEmpty()) {
    MiSaveAsClick(Sender);
    return;
  }
  if (!SaveProject(FProjectFileName)) return;
  FModified = false;
  UpdateCaption(FProjectFileName);
}

void TSpriteEditor::MiSaveAsClick(QObject*) {
  const QString path = FDialogs->GetSaveFileName(
      DialogSetup(QStringLiteral("Save sprite project..."), ProjectFilter, QStringLiteral("sprite"), {}));
  if (path.isEmpty() || !SaveProject(path)) return;
  FProjectFileName = path;
  FModified = false;
  UpdateCaption(FProjectFileName);
}

void TSpriteEditor::MiImportClick(QObject*) {
  const TFileDialogSetup setup = DialogSetup(QStringLiteral("Import sprite data..."), ImportFilter, {}, FDataFileName);
  if (!FDialogs->AskYesNo(QStringLiteral("Are you sure that settings correspond to your binary sprite file?\n"
                                         "All unsaved changes will be lost!"),
                          QStringLiteral("Import sprite...")))
    return;
  const QString path = FDialogs->GetOpenFileName(setup);
  if (path.isEmpty()) return;
  const int frames = ImportData(path);
  if (frames < 0) return;
  SliderFrame->setValue(1);
  SpinEditTotalFrames->setValue(frames);  // an empty file leaves one clear frame
  UpdateFrameButtons();
  FModified = true;
  FProjectFileName.clear();
  UpdateCaption(FProjectFileName);
  FRedrawQueue.push_back(rtFull);
}

void TSpriteEditor::MiExportClick(QObject*) {
  const QString path = FDialogs->GetSaveFileName(
      DialogSetup(QStringLiteral("Export sprite data..."), ExportFilter, QStringLiteral("bin"), FDataFileName));
  if (!path.isEmpty()) ExportData(path);
}

void TSpriteEditor::MiExitClick(QObject*) { close(); }

void TSpriteEditor::FormCloseQuery(QObject*, bool& CanClose) {
  CanClose = !FModified || FDialogs->AskYesNo(QStringLiteral("Do you want to quit?\nAll unsaved changes will be lost!"),
                                              QStringLiteral("Deduzu Sprite Editor"));
}

// The start-up project opens once the window is up, so that a message about it has the
// window behind it.
void TSpriteEditor::FormShow() {
  if (FStartupFileName.isEmpty()) return;
  QTimer::singleShot(0, this, [this] {
    if (!FStartupFileName.isEmpty()) MiOpenClick(nullptr);
  });
}

void TSpriteEditor::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  FormShow();
}

void TSpriteEditor::closeEvent(QCloseEvent* event) {
  bool canClose = true;
  FormCloseQuery(this, canClose);
  event->setAccepted(canClose);
}
