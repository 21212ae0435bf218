// A file dropped onto the window: one local file is opened as File > Open opens the file
// chosen in its dialog, with the same question first when there are unsaved changes. Several
// files, or anything that is not a local file, are not taken.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "window/sprite_editor.h"

namespace {

// The one local file the data names, or an empty string.
QString DroppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls()) return {};
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
  return urls.front().toLocalFile();
}

}  // namespace

void TSpriteEditor::dragEnterEvent(QDragEnterEvent* event) {
  if (DroppedFile(event->mimeData()).isEmpty())
    event->ignore();
  else
    event->acceptProposedAction();
}

void TSpriteEditor::dragMoveEvent(QDragMoveEvent* event) {
  if (DroppedFile(event->mimeData()).isEmpty())
    event->ignore();
  else
    event->acceptProposedAction();
}

// The drop is taken at once and the file opened afterwards, so that the question and any
// message about the file do not keep the program it was dragged from waiting.
void TSpriteEditor::dropEvent(QDropEvent* event) {
  const QString path = DroppedFile(event->mimeData());
  if (path.isEmpty()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  QMetaObject::invokeMethod(this, [this, path] { FormDropFile(path); }, Qt::QueuedConnection);
}

void TSpriteEditor::FormDropFile(const QString& path) {
  if (!MayReplaceForOpen()) return;
  LoadProject(path);
}
