#pragma once
// The editor's one window: the settings panel on the left, the scrollable canvas on the
// right, the menu bar above. It owns the sprite store and all editor state; handlers are
// named after their control or event and tell shared senders apart by their "Tag" property.

#include <QColor>
#include <QMainWindow>
#include <QString>
#include <memory>
#include <vector>

#include "data_format.h"
#include "dialogs.h"
#include "editor_state.h"
#include "sprite_store.h"

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
struct TCanvasView;
class TPaintBox;
class TPanel;
class TRadioGroup;
class TSpinEdit;

// The integer "Tag" property of a control or menu item; -1 without a sender.
int TagOf(const QObject* sender);

class TSpriteEditor : public QMainWindow {
  Q_OBJECT

 public:
  // Without `dialogs` the window talks to the user through real message boxes and dialogs.
  explicit TSpriteEditor(std::unique_ptr<TDialogs> dialogs = nullptr, QWidget* parent = nullptr);
  ~TSpriteEditor() override;

  // --- the document and the editor state ---
  TSpriteStore FStore;
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
  QMenu* MenuView = nullptr;
  QActionGroup* ViewGroup = nullptr;
  QAction* MiView025 = nullptr;
  QAction* MiView050 = nullptr;
  QAction* MiView100 = nullptr;
  QAction* MiView200 = nullptr;

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
  // The data-format settings as the controls hold them now.
  TDataFormat DataFormat() const;

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

 protected:
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
  void CreateViewMenu();
  void PlaceWindow();
  void ShowSliderPosition(int position);
  int PaneHitTest(int X);
  void DrawCell(int x, int y);
};
