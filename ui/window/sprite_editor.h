#pragma once
// The editor's one window: the settings panel on the left, the scrollable canvas on the
// right, the menu bar above. It owns the sprite store and all editor state; handlers are
// named after their control or event and tell shared senders apart by their "Tag" property.

#include <QColor>
#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "document/data_format.h"
#include "document/editor_state.h"
#include "document/sprite_document.h"
#include "files/dialogs.h"
#include "history/frame_snapshot.h"
#include "history/history.h"
#include "canvas/shape_overlay.h"
#include "editing/shapes.h"
#include "tools/draw_tool.h"

class QAction;
class QActionGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QSlider;
class QStatusBar;
class QToolBar;
struct TCanvasView;
class TMenuShortcuts;
struct TPixelLocation;
struct TProjectHeader;
class TPaintBox;
class TPreviewDock;
struct TPreviewDocument;
class TPanel;
class TRecovery;
class TRadioGroup;
class TSpinEdit;
enum class TFrameCommand;

// The status bar's text for a pixel at `location` in a byte of value `value`.
QString ByteInfoText(const TPixelLocation& location, std::uint8_t value);

// The integer "Tag" property of a control or menu item; -1 without a sender.
int TagOf(const QObject* sender);

class TSpriteEditor : public QMainWindow {
  Q_OBJECT

 public:
  // Without `dialogs` the window talks to the user through real message boxes and dialogs.
  explicit TSpriteEditor(std::unique_ptr<TDialogs> dialogs = nullptr, QWidget* parent = nullptr);
  ~TSpriteEditor() override;

  // --- the document, its history and the editor state ---
  // The document: pixels and the settings the project file keeps. Every change of it is a
  // step handed to Execute, apart from New and Open, which replace it and start an empty
  // history (ReplaceDocument).
  TSpriteDocument FDocument;
  TSpriteStore& FStore = FDocument.Store;
  THistory FHistory;
  // Marked modified although the document is in its saved state: a copy command, a file of a
  // previous version, an Import. Cleared by the next save.
  bool FKeptModified = false;
  // The controls are being brought in line with the document: their handlers derive the
  // editor fields but record no step.
  bool FShowingDocument = false;
  int FStrokeNumber = 0;  // tells the cells of one pointer stroke from the next one's
  int FWidth = 12;
  int FHeight = 24;
  int FPaneStride = 13;
  int FCurrentFrame = 0;
  int FZoom = 12;
  bool FModified = false;
  bool FOnMask = false;
  bool FDrawing = false;
  bool FErasing = false;
  bool FUpdating = false;
  int FLastX = -1;
  int FLastY = -1;
  QRgb FColorOff = 0xFF444444;
  QRgb FColorOn = 0xFFFFFFFF;
  TRedrawQueue FRedrawQueue;
  QString FProjectFileName;
  QString FDataFileName;
  QString FBaseCaption;
  QString FStartupFileName;
  QString FVersion;

  // What the position read-out shows now: the pane, and the numbers (-1 for none).
  bool FShownOnMask = true;
  int FShownX = 0;
  int FShownY = 0;

  std::unique_ptr<TDialogs> FDialogs;

  // --- recovery after a crash (files/recovery_io.cpp) ---
  // The window's recovery file; none until StartRecovery (the program starts it, tests may).
  std::unique_ptr<TRecovery> FRecovery;
  void StartRecovery(const QString& folder);
  // After every change of the document or of its modified mark: the recovery file is
  // rewritten soon while there are unsaved changes, and removed when there are none.
  void NoteRecoveryState();
  // The start-up question about recovery files left by processes that are gone.
  void OfferRecovery();
  // Menu items enabled only while the sprite is masked; filled when the Edit menu is built.
  std::vector<QAction*> FMaskActions;

  // --- controls ---
  TPanel* PanelSettings = nullptr;
  TRadioGroup* RadioGroupMode = nullptr;
  QGroupBox* GroupBoxSize = nullptr;
  QLabel* LblWidth = nullptr;
  TSpinEdit* SpinEditWidth = nullptr;
  QLabel* LblHeight = nullptr;
  TSpinEdit* SpinEditHeight = nullptr;
  QGroupBox* GroupBoxGrid = nullptr;
  QCheckBox* CheckBoxGrid = nullptr;
  QLabel* LblGridX = nullptr;
  TSpinEdit* SpinEditGridX = nullptr;
  QLabel* LblGridY = nullptr;
  TSpinEdit* SpinEditGridY = nullptr;
  QGroupBox* GroupBoxFormat = nullptr;
  QLabel* LblSpriteAlignment = nullptr;
  QComboBox* CbSpriteAlignment = nullptr;
  QCheckBox* CheckBoxMasked = nullptr;
  QComboBox* CbMaskAlignment = nullptr;
  QLabel* LblAttrMask = nullptr;
  QComboBox* CbAttrMask = nullptr;
  QLabel* LblBinDataSize = nullptr;
  QLabel* LblBinDataSizeVal = nullptr;
  QLabel* LblPosIn = nullptr;
  QLabel* LblPos = nullptr;
  QLabel* LblPosX = nullptr;
  QLabel* LblPosY = nullptr;
  TPanel* PanelFrames = nullptr;
  QLabel* LblFrame = nullptr;
  QLabel* LblFrameNum = nullptr;
  QLabel* LblMove = nullptr;
  QPushButton* BtnMoveLeft = nullptr;
  QPushButton* BtnMoveRight = nullptr;
  QLabel* LblTotal = nullptr;
  TSpinEdit* SpinEditTotalFrames = nullptr;
  QSlider* SliderFrame = nullptr;
  QPushButton* BtnPrev = nullptr;
  QPushButton* BtnNext = nullptr;
  QScrollArea* ScrollBox = nullptr;
  QWidget* ScrollBoxContent = nullptr;  // the scrolled area: the paint box plus its margin
  TPaintBox* PaintBox = nullptr;
  // File menu
  QMenu* MenuFile = nullptr;
  QAction* MiNew = nullptr;
  QAction* MiOpen = nullptr;
  QAction* MiSave = nullptr;
  QAction* MiSaveAs = nullptr;
  QAction* N3 = nullptr;
  QAction* MiImport = nullptr;
  QAction* MiExport = nullptr;
  QAction* MiExportSource = nullptr;
  QAction* MiImportImage = nullptr;
  QAction* MiExportImage = nullptr;
  QAction* N1 = nullptr;
  QAction* MiExit = nullptr;
  // Edit menu
  QMenu* MenuEdit = nullptr;
  QAction* MiUndo = nullptr;
  QAction* MiRedo = nullptr;
  QAction* N6 = nullptr;
  QAction* MiCopySprite = nullptr;
  QAction* MiCopyMask = nullptr;
  QAction* MiPasteSprite = nullptr;
  QAction* MiPasteMask = nullptr;
  QAction* MiMergeSprite = nullptr;
  QAction* MiMergeMask = nullptr;
  QAction* MiClearSprite = nullptr;
  QAction* MiClearMask = nullptr;
  QAction* MiInvertSprite = nullptr;
  QAction* MiInvertMask = nullptr;
  QAction* N4 = nullptr;
  QMenu* MiShiftSprite = nullptr;  // the Shift submenu
  QAction* MiShiftSprite1 = nullptr;
  QAction* MiShiftMask1 = nullptr;
  QAction* MiShiftSprite2 = nullptr;
  QAction* MiShiftMask2 = nullptr;
  QAction* MiShiftSprite3 = nullptr;
  QAction* MiShiftMask3 = nullptr;
  QAction* MiShiftSprite4 = nullptr;
  QAction* MiShiftMask4 = nullptr;
  QMenu* MiFlip = nullptr;
  QAction* MiFlipSpriteHorizontal = nullptr;
  QAction* MiFlipMaskHorizontal = nullptr;
  QAction* MiFlipSpriteVertical = nullptr;
  QAction* MiFlipMaskVertical = nullptr;
  QMenu* MiRotate = nullptr;
  QAction* MiRotateSprite90 = nullptr;
  QAction* MiRotateMask90 = nullptr;
  QAction* MiRotateSprite180 = nullptr;
  QAction* MiRotateMask180 = nullptr;
  QAction* N5 = nullptr;
  QMenu* MiClipboard = nullptr;
  QAction* MiCopySpriteClip = nullptr;
  QAction* MiCopyMaskClip = nullptr;
  QAction* MiPasteSpriteClip = nullptr;
  QAction* MiPasteMaskClip = nullptr;
  QAction* N2 = nullptr;
  QAction* MiGenStdMask = nullptr;
  // Sprite-and-mask items of the Shift, Flip and Rotate submenus, each group after a separator
  QAction* N8 = nullptr;
  QAction* N9 = nullptr;
  QAction* N10 = nullptr;
  QAction* MiShiftBoth1 = nullptr;
  QAction* MiShiftBoth2 = nullptr;
  QAction* MiShiftBoth3 = nullptr;
  QAction* MiShiftBoth4 = nullptr;
  QAction* MiFlipBothHorizontal = nullptr;
  QAction* MiFlipBothVertical = nullptr;
  QAction* MiRotateBoth90 = nullptr;
  QAction* MiRotateBoth180 = nullptr;
  // Frame menu and the frame command buttons
  QMenu* MenuFrame = nullptr;
  QAction* MiInsertFrame = nullptr;
  QAction* MiDuplicateFrame = nullptr;
  QAction* MiDeleteFrame = nullptr;
  QAction* N7 = nullptr;
  QAction* MiCopyFrame = nullptr;
  QAction* MiPasteFrame = nullptr;
  QWidget* PanelFrameCommands = nullptr;
  QPushButton* BtnInsertFrame = nullptr;
  QPushButton* BtnDuplicateFrame = nullptr;
  QPushButton* BtnDeleteFrame = nullptr;
  // View menu
  QMenu* MenuView = nullptr;
  QActionGroup* ViewGroup = nullptr;
  QAction* MiView025 = nullptr;
  QAction* MiView050 = nullptr;
  QAction* MiView100 = nullptr;
  QAction* MiView200 = nullptr;
  QAction* MiView400 = nullptr;
  QAction* MiView800 = nullptr;
  QAction* N11 = nullptr;
  QAction* MiPreview = nullptr;  // the preview panel's own show/hide item
  QAction* MiOnionSkin = nullptr;
  TPreviewDock* DockPreview = nullptr;
  int FWheelZoomDelta = 0;  // wheel units towards the next zoom level with Ctrl held
  void MiOnionSkinClick(QObject* Sender);
  TPreviewDocument PreviewDocument() const;
  // Ctrl + wheel over the canvas at `at` (viewport pixels): one zoom level a notch, the cell
  // under the pointer kept under it. False when the wheel did not move.
  bool CanvasWheelZoom(int WheelDelta, const QPoint& at);
  // About, straight on the menu bar
  QAction* MenuAbout = nullptr;

  // --- drawing tools (ui/tools/) ---
  TDrawTool FTool = dtPencil;
  TMirrorMode FMirror = mmNone;
  bool FStrokeOnMask = false;  // the pane the stroke or shape under way started in
  bool FShaping = false;       // a line or rectangle is being dragged
  TCell FShapeStart;
  TCell FShapeEnd;
  TShapeOverlay FShapeOverlay;  // what the canvas shows of it
  QToolBar* ToolBarTools = nullptr;
  QActionGroup* ToolGroup = nullptr;
  QAction* TbPencil = nullptr;
  QAction* TbLine = nullptr;
  QAction* TbRectangle = nullptr;
  QAction* TbFilledRectangle = nullptr;
  QAction* TbFill = nullptr;
  QAction* TbMirrorHorizontal = nullptr;
  QAction* TbMirrorVertical = nullptr;
  QAction* TbCancelShape = nullptr;  // Escape while a shape is dragged; on no bar
  void TbToolClick(QObject* Sender);
  void TbMirrorClick(QObject* Sender);
  // Ends a shape under way without writing it.
  void CancelShape();
  // Before a command that moves frames or replaces the document: a stroke under way ends and a
  // shape under way is dropped, so that neither goes on in a frame it did not start in.
  void EndPointerDrawing();

  // --- start-up ---
  void FormCreate();

  // --- settings ---
  void ValueChange(QObject* Sender);
  void SpinEditKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
  void SpinEditKeyUp(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
  void MarkModified();
  void UpdateCaption(const QString& path);
  void UpdateDataSize();
  TByteMode ByteMode() const;
  // The document's data-format settings.
  TDataFormat DataFormat() const;
  void CbFormatChange(QObject* Sender);

  // --- the edit history ---
  // The one place where the document changes: does the step, keeps it for undo, and brings
  // the controls, the modified mark and the Undo and Redo items in line.
  void Execute(std::unique_ptr<TEditStep> step);
  void MiUndoClick(QObject* Sender);
  void MiRedoClick(QObject* Sender);
  void ShowHistoryMove();
  // New and Open: `replace` gives the document its new content; the history starts empty.
  void ReplaceDocument(const std::function<void(TSpriteDocument&)>& replace, bool modified);
  // Sets the controls to the document's settings, in the order byte mode, order, masking,
  // arrangement, attribute bits, width, height, frame count, current frame.
  void ShowDocument();
  // The settings as the controls hold them now.
  TDocumentSettings SettingsFromControls() const;
  // After a change of a control by the user: a step from `before` to what the controls hold,
  // when the document's settings differ from it.
  void RecordSettings(const TDocumentSettings& before, const char* text);
  void UpdateModified();
  void UpdateUndoItems();
  // After a save: the saved state is the document as it is now.
  void MarkSaved();

  // --- frames ---
  int FrameCount() const;
  void UpdateFrameButtons();
  void SliderFrameChange(QObject* Sender);
  void BtnFrameClick(QObject* Sender);
  void BtnMoveClick(QObject* Sender);
  void SpinEditTotalFramesChange(QObject* Sender);

  // --- canvas ---
  TCanvasView CanvasView() const;
  void SizePaintBox();
  void ApplicationEventsIdle();
  void ProcessRedrawQueue();
  void FormResize();
  void FormMouseWheel(Qt::KeyboardModifiers Shift, int WheelDelta, bool& Handled);
  void ScrollBoxScroll();
  void MiViewClick(QObject* Sender);

  // --- pointer drawing ---
  void PaintBoxMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
  void PaintBoxMouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
  void PaintBoxMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
  void PaintBoxMouseLeave();
  bool UpdatePosition(bool onMask, int x, int y);

  // --- byte inspector (status/byte_inspector.cpp) ---
  QStatusBar* StatusBar = nullptr;
  QLabel* LblByteInfo = nullptr;
  // The cell the inspector looks at, as the position read-out last saw it.
  bool FInspectOnMask = false;
  int FInspectX = -1;
  int FInspectY = -1;
  void BuildStatusBar();
  // The pointer is over cell (x, y) of the sprite or mask pane; outside the sprite area the
  // status bar is empty.
  void InspectCell(bool onMask, int x, int y);
  // Shows the byte of the inspected cell as the document and settings hold it now: after an
  // edit, an undo, a change of settings or of the frame.
  void UpdateByteInfo();

  // --- menus and file commands ---
  void MenuFileClick(QObject* Sender);
  void MiNewClick(QObject* Sender);
  void MiOpenClick(QObject* Sender);
  void MiSaveClick(QObject* Sender);
  void MiSaveAsClick(QObject* Sender);
  void MiImportClick(QObject* Sender);
  void MiExportClick(QObject* Sender);
  void MiExportSourceClick(QObject* Sender);
  void MiImportImageClick(QObject* Sender);
  void MiExportImageClick(QObject* Sender);
  void MiExitClick(QObject* Sender);
  void MenuAboutClick(QObject* Sender);
  void FormShow();
  void FormCloseQuery(QObject* Sender, bool& CanClose);
  // Open and a dropped file replace the document: true when there are no unsaved changes or
  // the user agrees to lose them.
  bool MayReplaceForOpen();
  // A local file dropped onto the window, opened as Open opens the file its dialog chose.
  void FormDropFile(const QString& path);

  // --- project file and raw sprite data ---
  // False when the file could not be written; the user has been told.
  bool SaveProject(const QString& path);
  void LoadProject(const QString& path);
  void ExportData(const QString& path);
  // Frames read (0 .. 128), or -1 when the file was refused; the user has been told.
  int ImportData(const QString& path);
  // Source text and images; false when nothing was written or read (the user has been told).
  // The first SourcePreviewLines lines of the text Export source would write.
  static constexpr int SourcePreviewLines = 40;
  QString SourcePreview(const TSourceOptions& options) const;
  bool ExportSource(const QString& path, TSourceOptions options);
  bool ExportImage(const QString& path, const TImageExportChoice& choice);
  bool ImportImage(const QString& path, const TPngImportOptions& options);
  // The choices of the source and image dialogs, kept while the program runs.
  TSourceOptions FSourceOptions{.Label = {}};
  TImageExportChoice FImageExportChoice;
  TPngImportOptions FImageImportOptions;

  // --- Edit menu ---
  void MiEditClick(QObject* Sender);
  void MiGenStdMaskClick(QObject* Sender);
  void MiShiftClick(QObject* Sender);
  void MiFlipClick(QObject* Sender);
  void MiRotateClick(QObject* Sender);
  void CopyToClipboard(int frame, bool mask);
  bool PasteFromClipboard(int frame, bool mask);
  void MiClipboardClick(QObject* Sender);

  // --- Frame menu and the frame command buttons ---
  // Both planes of a frame, copied by Copy frame; empty until the first copy. It is no part
  // of the document.
  std::optional<TFrameSnapshot> FFrameBuffer;
  void MiInsertFrameClick(QObject* Sender);
  void MiDuplicateFrameClick(QObject* Sender);
  void MiDeleteFrameClick(QObject* Sender);
  void MiCopyFrameClick(QObject* Sender);
  void MiPasteFrameClick(QObject* Sender);
  // Insert, duplicate or delete at the current frame, as one step; nothing at the count limit.
  void RunFrameCommand(TFrameCommand command);
  // The enabled states of the frame commands: the count limits and the frame buffer.
  void UpdateFrameCommands();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void StartEditorState();
  void BuildWindow();
  void BuildSettingsPanel();
  void BuildSizeAndGrid();
  void BuildFormatGroup();
  void BuildPositionReadout();
  void BuildFramePanel();
  void ConnectSettings();
  void ConnectFrameControls();
  void BuildCanvasArea();
  void CreateMenus();
  void CreateFileMenu();
  void CreateEditMenu();
  void CreateClipboardMenu();
  void CreateViewMenu();
  void BuildPreviewDock();
  void CreateAboutItem();
  void CreateFrameMenu();
  void BuildFrameCommands();
  void PlaceWindow();
  void ShowSliderPosition(int position);
  int PaneHitTest(int X);
  void DrawCell(int x, int y);
  void CreateToolBar();
  TCell StrokeCell(int X, int Y) const;
  void DrawStrokeCells(const std::vector<TCell>& cells);
  void StartShape(TCell cell);
  void MoveShape(TCell pointer);
  void CommitShape();
  std::vector<TCell> ShapeCells() const;
  void ShowShape(TShapeOverlay next);
  void FillAt(TCell seed);

  TMenuShortcuts* FMenuShortcuts = nullptr;
};
