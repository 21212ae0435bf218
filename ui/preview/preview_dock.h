#pragma once
// The preview: a dockable panel that plays the frames in use as the target machine shows
// them, over a chosen background, at 1x to 8x the real size. Paused, it shows the current
// frame. It reads the document whenever it paints, so Refresh after a change is enough.

#include <QDockWidget>
#include <QImage>
#include <QTimer>
#include <functional>

#include "editing/preview_frame.h"
#include "preview/preview_player.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class TSpinEdit;

// What the preview needs of the editor, read when it paints.
struct TPreviewDocument {
  const TSpriteStore* Store = nullptr;
  int FrameCount = 1;
  int CurrentFrame = 0;  // 0-based
  int Width = 12;
  int Height = 24;
  bool Masked = true;
};

// The picture: exactly the size of the scaled sprite area.
class TPreviewBox : public QWidget {
  Q_OBJECT

 public:
  explicit TPreviewBox(QWidget* parent = nullptr);
  std::function<TPreviewFrame()> FrameSource;
  // Renders the picture into the kept image and returns it (shared, no copy).
  const QImage& Render();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage FImage;
};

class TPreviewDock : public QDockWidget {
  Q_OBJECT

 public:
  explicit TPreviewDock(QWidget* parent = nullptr);

  std::function<TPreviewDocument()> DocumentSource;

  // The document or the editor's frame changed: repaint, when the panel is shown.
  void Refresh();
  bool Playing() const { return FTimer.isActive(); }
  // The frame the picture shows: while playing the player's, paused the current frame.
  int ShownFrame() const;
  TPreviewFrame PictureFrame() const;

  void BtnPlayClick();
  void PreviewTimerTick();
  void SpinEditFpsChange();

  TPreviewBox* PreviewBox = nullptr;
  QScrollArea* ScrollBoxPreview = nullptr;
  QPushButton* BtnPlay = nullptr;
  QLabel* LblFps = nullptr;
  TSpinEdit* SpinEditFps = nullptr;
  QLabel* LblPlayMode = nullptr;
  QComboBox* CbPlayMode = nullptr;
  QLabel* LblPreviewScale = nullptr;
  QComboBox* CbPreviewScale = nullptr;
  QLabel* LblPreviewBackground = nullptr;
  QComboBox* CbPreviewBackground = nullptr;
  QTimer FTimer;

 private:
  TPreviewDocument Document() const;
  TPlayPosition FPosition;
};
