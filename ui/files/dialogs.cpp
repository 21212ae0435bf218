#include "files/dialogs.h"

#include "files/option_dialogs.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QStringList>

TDialogs::~TDialogs() = default;

QString QtNameFilters(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    const QString patterns = parts[i + 1].split(';', Qt::SkipEmptyParts).join(' ');
    // Qt reads the patterns from the parentheses at the end of the description.
    const qsizetype open = description.lastIndexOf('(');
    if (open >= 0 && description.endsWith(')')) description = description.left(open).trimmed();
    filters << QStringLiteral("%1 (%2)").arg(description, patterns);
  }
  return filters.join(QStringLiteral(";;"));
}

TQtDialogs::TQtDialogs(QWidget* parent) : FParent(parent) {}

TQtDialogs::~TQtDialogs() = default;

void TQtDialogs::ShowError(QString text, QString title) {
  QMessageBox::critical(FParent, title, text, QMessageBox::Ok);
}

void TQtDialogs::ShowInformation(QString text, QString title) {
  QMessageBox::information(FParent, title, text, QMessageBox::Ok);
}

bool TQtDialogs::AskYesNo(QString text, QString title) {
  return QMessageBox::question(FParent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
         QMessageBox::Yes;
}

QString TQtDialogs::GetOpenFileName(const TFileDialogSetup& setup) { return RunFileDialog(false, setup); }

QString TQtDialogs::GetSaveFileName(const TFileDialogSetup& setup) { return RunFileDialog(true, setup); }

QString TQtDialogs::RunFileDialog(bool save, const TFileDialogSetup& setup) {
  QString& directory = save ? FSaveDirectory : FOpenDirectory;
  if (!setup.Directory.isEmpty()) directory = setup.Directory;

  QFileDialog dialog(FParent, setup.Title);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // Open takes an existing file only; Save asks before overwriting (QFileDialog's default).
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilter(QtNameFilters(setup.Filter));
  dialog.setDefaultSuffix(setup.DefaultSuffix);
  if (!directory.isEmpty()) dialog.setDirectory(directory);
  dialog.selectFile(setup.FileName);
  for (;;) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    // The save dialog lets a name in a missing folder through; it is asked again.
    const QFileInfo info(chosen);
    if (!save || info.absoluteDir().exists()) {
      directory = info.absolutePath();
      return chosen;
    }
    QMessageBox::warning(FParent, setup.Title,
                         QStringLiteral("%1\nThe path does not exist.\nCheck the path and try again.")
                             .arg(QDir::toNativeSeparators(info.absolutePath())));
  }
}

std::optional<QString> TQtDialogs::ClipboardText() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr || !data->hasText()) return std::nullopt;
  return data->text();
}

void TQtDialogs::SetClipboardText(QString text) { QGuiApplication::clipboard()->setText(text); }

bool TQtDialogs::AskSourceOptions(TSourceOptions& options,
                                  const std::function<QString(const TSourceOptions&)>& preview) {
  return RunSourceOptionsDialog(FParent, options, preview);
}

bool TQtDialogs::AskImageExportOptions(TImageExportChoice& choice) { return RunImageExportDialog(FParent, choice); }

bool TQtDialogs::AskImageImportOptions(TPngImportOptions& options) { return RunImageImportDialog(FParent, options); }
