#pragma once
// Message boxes, file dialogs and the clipboard behind one interface, so that the window's
// commands can be driven without a user (tests answer them with their own TDialogs).

#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "files/export_choices.h"

class QFileDialog;
class QWidget;

struct TFileDialogSetup {
  QString Title;
  // Pairs of description and pattern list, all separated by "|", the patterns of one pair
  // separated by ";": "sprite project (*.sprite)|*.sprite|all files (*.*)|*.*".
  QString Filter;
  QString DefaultSuffix;  // without a dot; empty for none
  QString FileName;       // file-name part offered in the dialog; may be empty
  QString Directory;      // initial directory; empty keeps the one the dialog last used
};

class TDialogs {
 public:
  virtual ~TDialogs();
  virtual void ShowError(QString text, QString title) = 0;
  virtual void ShowInformation(QString text, QString title) = 0;
  // True only when the user answers Yes.
  virtual bool AskYesNo(QString text, QString title) = 0;
  // The chosen path, or empty when the user cancels.
  virtual QString GetOpenFileName(const TFileDialogSetup& setup) = 0;
  virtual QString GetSaveFileName(const TFileDialogSetup& setup) = 0;
  // Nothing when the clipboard holds no text.
  virtual std::optional<QString> ClipboardText() = 0;
  virtual void SetClipboardText(QString text) = 0;
  // The option dialogs of the source and image commands: each edits its options in place
  // and returns false when cancelled. `preview` gives the text the options would write.
  virtual bool AskSourceOptions(TSourceOptions& options,
                                const std::function<QString(const TSourceOptions&)>& preview) = 0;
  virtual bool AskImageExportOptions(TImageExportChoice& choice) = 0;
  virtual bool AskImageImportOptions(TPngImportOptions& options) = 0;
};

// "desc (*.a;*.b)|*.a;*.b|..." as Qt's name filters "desc (*.a *.b);;...".
QString QtNameFilters(const QString& filter);

// The real thing: modal QMessageBox, QFileDialog and the system clipboard. Like the two
// dialogs of the window, the open dialog and the save dialog each keep their own directory
// between uses.
class TQtDialogs : public TDialogs {
 public:
  explicit TQtDialogs(QWidget* parent);
  ~TQtDialogs() override;

  void ShowError(QString text, QString title) override;
  void ShowInformation(QString text, QString title) override;
  bool AskYesNo(QString text, QString title) override;
  QString GetOpenFileName(const TFileDialogSetup& setup) override;
  QString GetSaveFileName(const TFileDialogSetup& setup) override;
  std::optional<QString> ClipboardText() override;
  void SetClipboardText(QString text) override;
  bool AskSourceOptions(TSourceOptions& options,
                        const std::function<QString(const TSourceOptions&)>& preview) override;
  bool AskImageExportOptions(TImageExportChoice& choice) override;
  bool AskImageImportOptions(TPngImportOptions& options) override;

 private:
  QString RunFileDialog(bool save, const TFileDialogSetup& setup);

  QWidget* FParent;
  QString FOpenDirectory;
  QString FSaveDirectory;
};
