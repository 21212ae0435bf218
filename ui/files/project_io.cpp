// Saving the document as a project file and loading one back into the window: the settings go
// through the controls, so every handler follows as if the user had set them.

#include <QCheckBox>
#include <QComboBox>
#include <QSlider>
#include <span>

#include "files/file_io.h"
#include "exchange/project_document.h"
#include "widgets/radio_group.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

const QString SaveTitle = QStringLiteral("Save sprite project...");
const QString OpenTitle = QStringLiteral("Open sprite project...");

}  // namespace

bool TSpriteEditor::SaveProject(const QString& path) {
  if (!WriteWholeFile(path, BuildDocumentFile(FDocument))) {
    FDialogs->ShowError(QStringLiteral("Can't open this file for writing!"), SaveTitle);
    return false;
  }
  return true;
}

void TSpriteEditor::LoadProject(const QString& path) {
  QByteArray bytes;
  const TReadResult read = ReadWholeFile(path, ProjectFileMaxSize, bytes);
  if (read != TReadResult::Ok) {
    FDialogs->ShowError(read == TReadResult::TooLong ? QString::fromUtf8(ProjectResultText(TProjectResult::UnexpectedLength))
                                                     : QStringLiteral("Can't open this file!"),
                        OpenTitle);
    return;
  }
  const std::span file(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
  const TProjectStatus status = CheckProjectFile(file);
  if (status.Result != TProjectResult::Ok) {
    FDialogs->ShowError(QString::fromUtf8(ProjectResultText(status.Result)), OpenTitle);
    return;
  }

  // The settings go to the controls as if the user had set them (ShowDocument); a file of a
  // previous version stays marked modified until it is saved in the current format.
  ReplaceDocument(
      [file](TSpriteDocument& d) {
        std::vector<std::uint8_t> stream(PixelStreamSize);
        LoadDocumentFile(d, file, std::span<std::uint8_t, PixelStreamSize>(stream));
      },
      status.PreviousVersion);
  if (status.PreviousVersion)
    FDialogs->ShowInformation(QStringLiteral("This `Deduzu Sprite Project` file was created with previous version of "
                                             "this application.\nYou can save the file in the new format."),
                              OpenTitle);
  FProjectFileName = path;
  UpdateCaption(FProjectFileName);
  // The pixels changed even where no handler ran.
  FRedrawQueue.push_back(rtFull);
}
