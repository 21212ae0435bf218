// The File menu: its items, their commands, the start-up project and the question before the
// window closes. They move the document's identity (FProjectFileName, FModified) and keep the
// title in step.

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>

#include "files/recovery.h"
#include "menus/menu_items.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

const TItem FileItems[] = {
    {&TSpriteEditor::MiNew, "MiNew", "&New", Ctrl(Qt::Key_N), 0, &TSpriteEditor::MiNewClick},
    {&TSpriteEditor::MiOpen, "MiOpen", "&Open...", Ctrl(Qt::Key_O), 0, &TSpriteEditor::MiOpenClick},
    {&TSpriteEditor::MiSave, "MiSave", "&Save", Ctrl(Qt::Key_S), 0, &TSpriteEditor::MiSaveClick},
    {&TSpriteEditor::MiSaveAs, "MiSaveAs", "Save &as...", CtrlShift(Qt::Key_S), 0, &TSpriteEditor::MiSaveAsClick},
    {&TSpriteEditor::N3, "N3", nullptr, NoKey, 0, nullptr},
    {&TSpriteEditor::MiImport, "MiImport", "&Import...", Ctrl(Qt::Key_B), 0, &TSpriteEditor::MiImportClick},
    {&TSpriteEditor::MiExport, "MiExport", "&Export...", Ctrl(Qt::Key_E), 0, &TSpriteEditor::MiExportClick},
    {&TSpriteEditor::MiExportSource, "MiExportSource", "Export so&urce...", NoKey, 0,
     &TSpriteEditor::MiExportSourceClick},
    {&TSpriteEditor::MiImportImage, "MiImportImage", "Import i&mage...", NoKey, 0, &TSpriteEditor::MiImportImageClick},
    {&TSpriteEditor::MiExportImage, "MiExportImage", "Export ima&ge...", NoKey, 0, &TSpriteEditor::MiExportImageClick},
    {&TSpriteEditor::N1, "N1", nullptr, NoKey, 0, nullptr},
    {&TSpriteEditor::MiExit, "MiExit", "E&xit", Alt(Qt::Key_F4), 0, &TSpriteEditor::MiExitClick},
};

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

void TSpriteEditor::CreateFileMenu() {
  MenuFile = NamedMenu(menuBar()->addMenu(tr("&File")), "MenuFile");
  AddItems(this, MenuFile, FileItems);
  connect(MenuFile, &QMenu::aboutToShow, this, [this] { MenuFileClick(MenuFile); });
  MiSave->setEnabled(FModified);
}

void TSpriteEditor::MenuFileClick(QObject*) { MiSave->setEnabled(FModified); }

// One clear frame, shown first; the data format and the sprite size stay as they are.
void TSpriteEditor::MiNewClick(QObject*) {
  if (!FDialogs->AskYesNo(LoseChanges, QStringLiteral("New sprite collection..."))) return;
  ReplaceDocument(
      [](TSpriteDocument& d) {
        d.Store.ClearAll();
        d.Settings.FrameCount = 1;
        d.Settings.CurrentFrame = 0;
      },
      false);
  ScrollBox->verticalScrollBar()->setValue(0);
  ScrollBox->horizontalScrollBar()->setValue(0);
  FProjectFileName.clear();
  UpdateCaption(FProjectFileName);
  FRedrawQueue.push_back(rtFull);
}

void TSpriteEditor::MiOpenClick(QObject*) {
  if (!FStartupFileName.isEmpty()) {
    const QString path = FStartupFileName;
    FStartupFileName.clear();
    LoadProject(path);
    return;
  }
  if (!MayReplaceForOpen()) return;
  const QString path = FDialogs->GetOpenFileName(
      DialogSetup(QStringLiteral("Open sprite project..."), ProjectFilter, QStringLiteral("sprite"), FProjectFileName));
  if (!path.isEmpty()) LoadProject(path);
}

// Loading replaces the document at once, so unsaved changes are asked about first.
bool TSpriteEditor::MayReplaceForOpen() {
  return !FModified || FDialogs->AskYesNo(LoseChanges, QStringLiteral("Open sprite project..."));
}

void TSpriteEditor::MiSaveClick(QObject* Sender) {
  if (!FModified) return;
  if (FProjectFileName.isEmpty()) {
    MiSaveAsClick(Sender);
    return;
  }
  if (!SaveProject(FProjectFileName)) return;
  MarkSaved();
}

void TSpriteEditor::MiSaveAsClick(QObject*) {
  const QString path = FDialogs->GetSaveFileName(
      DialogSetup(QStringLiteral("Save sprite project..."), ProjectFilter, QStringLiteral("sprite"), {}));
  if (path.isEmpty() || !SaveProject(path)) return;
  FProjectFileName = path;
  MarkSaved();
}

// The document as it is now is the one on disk: undoing away from here marks it modified again.
void TSpriteEditor::MarkSaved() {
  FHistory.SetClean();
  FKeptModified = false;
  FModified = false;
  NoteRecoveryState();
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
  // The step sets the frame count to the frames read (an empty file leaves one clear frame)
  // and shows the first.
  if (ImportData(path) < 0) return;
  FKeptModified = true;
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

void TSpriteEditor::MiExportSourceClick(QObject*) {
  // An empty label is taken from the name of the file written.
  TSourceOptions options = FSourceOptions;
  if (!FDialogs->AskSourceOptions(options, [this](const TSourceOptions& o) { return SourcePreview(o); })) return;
  FSourceOptions = options;
  const bool c = options.Dialect == TSourceDialect::C;
  const bool basic = options.Dialect == TSourceDialect::Basic;
  const bool z80 = options.Dialect == TSourceDialect::Pasmo || options.Dialect == TSourceDialect::Z80asm;
  const QString filter = c       ? QStringLiteral("C source (*.h;*.c)|*.h;*.c|all files (*.*)|*.*")
                         : basic ? QStringLiteral("BASIC program (*.bas;*.txt)|*.bas;*.txt|all files (*.*)|*.*")
                                 : QStringLiteral("assembler source (*.s;*.asm;*.inc)|*.s;*.asm;*.inc|all files (*.*)|*.*");
  const QString suffix = c ? QStringLiteral("h") : basic ? QStringLiteral("bas") : z80 ? QStringLiteral("asm") : QStringLiteral("s");
  const QString path = FDialogs->GetSaveFileName(DialogSetup(QStringLiteral("Export source..."), filter, suffix, {}));
  if (!path.isEmpty()) ExportSource(path, options);
}

void TSpriteEditor::MiImportImageClick(QObject*) {
  if (!FDialogs->AskYesNo(LoseChanges, QStringLiteral("Import image..."))) return;
  TPngImportOptions options = FImageImportOptions;
  if (!FDialogs->AskImageImportOptions(options)) return;
  FImageImportOptions = options;
  const QString path = FDialogs->GetOpenFileName(DialogSetup(
      QStringLiteral("Import image..."), QStringLiteral("PNG image (*.png)|*.png|all files (*.*)|*.*"), {}, {}));
  if (path.isEmpty() || !ImportImage(path, options)) return;
  // Like Import: the document is unnamed and stays marked modified until it is saved.
  FKeptModified = true;
  FModified = true;
  FProjectFileName.clear();
  UpdateCaption(FProjectFileName);
  FRedrawQueue.push_back(rtFull);
}

void TSpriteEditor::MiExportImageClick(QObject*) {
  TImageExportChoice choice = FImageExportChoice;
  if (!FDialogs->AskImageExportOptions(choice)) return;
  FImageExportChoice = choice;
  const bool gif = choice.Format == TImageFormat::Gif;
  const QString path = FDialogs->GetSaveFileName(
      DialogSetup(QStringLiteral("Export image..."),
                  gif ? QStringLiteral("animated GIF (*.gif)|*.gif|all files (*.*)|*.*")
                      : QStringLiteral("PNG image (*.png)|*.png|all files (*.*)|*.*"),
                  gif ? QStringLiteral("gif") : QStringLiteral("png"), {}));
  if (!path.isEmpty()) ExportImage(path, choice);
}

void TSpriteEditor::MiExitClick(QObject*) { close(); }

void TSpriteEditor::FormCloseQuery(QObject*, bool& CanClose) {
  CanClose = !FModified || FDialogs->AskYesNo(QStringLiteral("Do you want to quit?\nAll unsaved changes will be lost!"),
                                              QStringLiteral("Deduzu Sprite Editor"));
  // The user let the changes go: no copy of them is kept.
  if (CanClose && FRecovery) FRecovery->Discard();
}

// The start-up project opens once the window is up, so that a message about it has the
// window behind it; the question about a recovery file comes first.
void TSpriteEditor::FormShow() {
  if (FStartupFileName.isEmpty() && !(FRecovery && !FRecovery->Offered)) return;
  QTimer::singleShot(0, this, [this] {
    OfferRecovery();
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
