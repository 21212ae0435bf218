#include "window/sprite_editor.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <string>

#include "app/window_icon.h"
#include "canvas/canvas.h"
#include "files/recovery.h"
#include "widgets/panel.h"
#include "widgets/spin_edit.h"

int TagOf(const QObject* sender) { return sender ? sender->property("Tag").toInt() : -1; }

TSpriteEditor::TSpriteEditor(std::unique_ptr<TDialogs> dialogs, QWidget* parent)
    : QMainWindow(parent), FDialogs(dialogs ? std::move(dialogs) : std::make_unique<TQtDialogs>(this)) {
  setObjectName("SpriteEditor");
  setWindowTitle(BaseCaption);
  setWindowIcon(ProgramIcon());
  setAcceptDrops(true);  // a project file dropped onto the window opens (FormDropFile)
  BuildWindow();
  StartEditorState();
  // The canvas paints the queued requests whenever the event loop is about to wait.
  connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
          &TSpriteEditor::ApplicationEventsIdle);
  connect(ScrollBox->horizontalScrollBar(), &QScrollBar::valueChanged, this, &TSpriteEditor::ScrollBoxScroll);
  connect(ScrollBox->verticalScrollBar(), &QScrollBar::valueChanged, this, &TSpriteEditor::ScrollBoxScroll);
  FormCreate();
  PlaceWindow();
}

TSpriteEditor::~TSpriteEditor() = default;

void TSpriteEditor::StartEditorState() {
  FRedrawQueue.clear();
  FOnMask = FDrawing = FErasing = FUpdating = false;
  FLastX = FLastY = -1;
  FZoom = 12;
  FProjectFileName.clear();
  FDataFileName.clear();
  FBaseCaption = windowTitle();
  FColorOff = 0xFF444444;
  FColorOn = 0xFFFFFFFF;
  FVersion = QString::fromUtf8(ProgramVersion());
  std::vector<std::string> args;
  for (const QString& arg : QCoreApplication::arguments()) args.push_back(arg.toStdString());
  FStartupFileName = QString::fromStdString(StartupFileName(args));
  FStore.ClearAll();
  FHistory.Clear();
  FKeptModified = false;
  FModified = false;
  FRedrawQueue.push_back(rtFull);
}

void TSpriteEditor::FormCreate() {
  // Only the bounds rise; the values stay as they are.
  SpinEditWidth->setMaximum(MaxSide);
  SpinEditHeight->setMaximum(MaxSide);
  SpinEditTotalFrames->setMaximum(MaxFrames);
  ValueChange(nullptr);
  FModified = false;
}

void TSpriteEditor::BuildWindow() {
  // The system sans font, 11 pixels high and a little narrowed, so that the captions fit the
  // panel's fixed places.
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setPixelSize(11);
  font.setStretch(85);
  setFont(font);

  auto* client = new QWidget(this);
  auto* layout = new QHBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  BuildSettingsPanel();
  layout->addWidget(PanelSettings);
  BuildCanvasArea();
  auto* canvasSide = new QVBoxLayout;
  canvasSide->setContentsMargins(8, 8, 8, 8);
  canvasSide->addWidget(ScrollBox);
  layout->addLayout(canvasSide, 1);
  setCentralWidget(client);
  CreateMenus();
  BuildStatusBar();
  CreateToolBar();
  SpinEditGridX->setFocus();
}

// A client area of 617 x 450 between the menu bar and tool bar above and the status bar below,
// centred on the screen.
void TSpriteEditor::PlaceWindow() {
  resize(617, 450 + menuBar()->sizeHint().height() + ToolBarTools->sizeHint().height() +
                  StatusBar->sizeHint().height());
  if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}
