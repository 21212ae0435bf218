// The preview panel in the window: docked on the right, closed at start; View > Preview
// opens and closes it. It follows the document through ProcessRedrawQueue.

#include <QCheckBox>

#include "preview/preview_dock.h"
#include "window/sprite_editor.h"

void TSpriteEditor::BuildPreviewDock() {
  DockPreview = new TPreviewDock(this);
  DockPreview->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
  DockPreview->DocumentSource = [this] { return PreviewDocument(); };
  addDockWidget(Qt::RightDockWidgetArea, DockPreview);
  DockPreview->hide();
}

TPreviewDocument TSpriteEditor::PreviewDocument() const {
  TPreviewDocument d;
  d.Store = &FStore;
  d.FrameCount = FrameCount();
  d.CurrentFrame = FCurrentFrame;
  d.Width = FWidth;
  d.Height = FHeight;
  d.Masked = CheckBoxMasked->isChecked();
  return d;
}
