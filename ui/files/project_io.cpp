// Saving the document as a project file and loading one back into the window: the settings go
// through the controls, so every handler follows as if the user had set them.

#include <QCheckBox>
#include <QComboBox>
#include <QSlider>
#include <span>

#include "files/file_io.h"
#include "exchange/project_file.h"
#include "widgets/radio_group.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

const QString SaveTitle = QStringLiteral("Save sprite project...");
const QString OpenTitle = QStringLiteral("Open sprite project...");

}  // namespace

bool TSpriteEditor::SaveProject(const QString& path) {
  TProjectHeader header;
  header.ByteMode = RadioGroupMode->ItemIndex();
  header.Order = CbSpriteAlignment->currentIndex();
  header.Masked = CheckBoxMasked->isChecked();
  header.Arrangement = CbMaskAlignment->currentIndex();
  header.AttrChoice = CbAttrMask->currentIndex();
  header.Width = SpinEditWidth->value();
  header.Height = SpinEditHeight->value();
  header.FrameCount = SpinEditTotalFrames->value();
  header.CurrentFrame = SliderFrame->value();
  if (!WriteWholeFile(path, BuildProjectFile(FStore, header))) {
    FDialogs->ShowError(QStringLiteral("Can't open this file for writing!"), SaveTitle);
    return false;
  }
  return true;
}

// Byte mode before width, so that the width stays a multiple of the file's byte mode; frame
// count before position, so that the position fits. A control given the value it holds
// runs no handler; the lists run none at all.
void TSpriteEditor::ApplyProjectSettings(const TProjectHeader& header) {
  RadioGroupMode->SetItemIndex(header.ByteMode);
  CbSpriteAlignment->setCurrentIndex(header.Order);
  CheckBoxMasked->setChecked(header.Masked);
  CbMaskAlignment->setCurrentIndex(header.Arrangement);
  CbAttrMask->setCurrentIndex(header.AttrChoice);
  SpinEditWidth->setValue(header.Width);
  SpinEditHeight->setValue(header.Height);
  SpinEditTotalFrames->setValue(header.FrameCount);
  // The frame count as the spin edit keeps it: a count of 0 leaves one frame.
  SliderFrame->setMaximum(SpinEditTotalFrames->value());
  SliderFrame->setValue(header.CurrentFrame);
  UpdateFrameButtons();
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
  const TProjectFile file =
      ParseProjectFile(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())));
  if (file.Result != TProjectResult::Ok) {
    FDialogs->ShowError(QString::fromUtf8(ProjectResultText(file.Result)), OpenTitle);
    return;
  }

  ApplyProjectSettings(file.Header);
  SpreadPixelStream(FStore, file.PixelStream, file.Header.PlaneSide, file.Header.FrameCapacity);
  FModified = file.PreviousVersion;
  if (file.PreviousVersion)
    FDialogs->ShowInformation(QStringLiteral("This `Deduzu Sprite Project` file was created with previous version of "
                                             "this application.\nYou can save the file in the new format."),
                              OpenTitle);
  FProjectFileName = path;
  UpdateCaption(FProjectFileName);
  // The pixels changed even where no handler ran.
  FRedrawQueue.push_back(rtFull);
}
