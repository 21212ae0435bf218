#pragma once
// A TDialogs for the window tests: it records every message box and file dialog the window
// shows, in order, and answers questions and file dialogs from queues. A question or dialog
// with nothing queued is answered No / Cancel and counted as unexpected.

#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QStringList>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "files/dialogs.h"
#include "window/sprite_editor.h"

struct TShown {
  enum TKind { Error, Information, Question, OpenDialog, SaveDialog, OptionsDialog };
  TKind Kind;
  QString Title;
  QString Text;            // empty for a file dialog
  TFileDialogSetup Setup;  // only for a file dialog
};

class TScriptedDialogs : public TDialogs {
 public:
  std::vector<TShown> Shown;
  std::deque<bool> Answers;    // Yes / No for the next questions
  std::deque<QString> Paths;   // the next file dialogs' choices; empty means Cancel
  std::optional<QString> Clipboard;
  // The next option dialogs' answers: a value is chosen (nothing: cancelled). The text the
  // source dialog previewed last is kept.
  std::deque<std::optional<TSourceOptions>> SourceChoices;
  std::deque<std::optional<TImageExportChoice>> ImageExportChoices;
  std::deque<std::optional<TPngImportOptions>> ImageImportChoices;
  QString Preview;
  int Unexpected = 0;

  void ShowError(QString text, QString title) override { Shown.push_back({TShown::Error, title, text, {}}); }
  void ShowInformation(QString text, QString title) override {
    Shown.push_back({TShown::Information, title, text, {}});
  }
  bool AskYesNo(QString text, QString title) override {
    Shown.push_back({TShown::Question, title, text, {}});
    return Next(Answers, false);
  }
  QString GetOpenFileName(const TFileDialogSetup& setup) override {
    Shown.push_back({TShown::OpenDialog, setup.Title, {}, setup});
    return Next(Paths, QString());
  }
  QString GetSaveFileName(const TFileDialogSetup& setup) override {
    Shown.push_back({TShown::SaveDialog, setup.Title, {}, setup});
    return Next(Paths, QString());
  }
  std::optional<QString> ClipboardText() override { return Clipboard; }
  void SetClipboardText(QString text) override { Clipboard = text; }
  bool AskSourceOptions(TSourceOptions& options,
                        const std::function<QString(const TSourceOptions&)>& preview) override {
    Shown.push_back({TShown::OptionsDialog, QStringLiteral("Export source..."), {}, {}});
    Preview = preview(options);
    return Choose(SourceChoices, options);
  }
  bool AskImageExportOptions(TImageExportChoice& choice) override {
    Shown.push_back({TShown::OptionsDialog, QStringLiteral("Export image..."), {}, {}});
    return Choose(ImageExportChoices, choice);
  }
  bool AskImageImportOptions(TPngImportOptions& options) override {
    Shown.push_back({TShown::OptionsDialog, QStringLiteral("Import image..."), {}, {}});
    return Choose(ImageImportChoices, options);
  }

  // "kind:title" of everything shown, for comparing whole sequences.
  QStringList Sequence() const {
    static const char* kinds[] = {"error", "information", "question", "open", "save", "options"};
    QStringList list;
    for (const TShown& s : Shown) list << QStringLiteral("%1:%2").arg(QLatin1String(kinds[s.Kind]), s.Title);
    return list;
  }

 private:
  template <typename T>
  bool Choose(std::deque<std::optional<T>>& queue, T& value) {
    const std::optional<T> answer = Next(queue, std::optional<T>());
    if (answer) value = *answer;
    return answer.has_value();
  }

  template <typename T>
  T Next(std::deque<T>& queue, T fallback) {
    if (queue.empty()) {
      ++Unexpected;
      return fallback;
    }
    T value = queue.front();
    queue.pop_front();
    return value;
  }
};

// A window that talks to the user through a TScriptedDialogs; `Dialogs` stays valid while the
// window lives.
struct TScriptedEditor {
  TScriptedDialogs* Dialogs = new TScriptedDialogs;
  std::unique_ptr<TSpriteEditor> Editor{new TSpriteEditor(std::unique_ptr<TDialogs>(Dialogs))};
  TSpriteEditor* operator->() const { return Editor.get(); }
  TSpriteEditor& operator*() const { return *Editor; }
};

// Base of the file-command tests: a fresh scripted window and temporary folder for every test
// function (MakeEditor in init, DropEditor in cleanup).
class TEditorTestBase : public QObject {
 protected:
  std::unique_ptr<TScriptedEditor> F;
  std::unique_ptr<QTemporaryDir> FDir;
  QString Path(const QString& name) const { return FDir->filePath(name); }
  TSpriteEditor& E() { return **F; }
  TScriptedDialogs& D() { return *F->Dialogs; }

  // Whether the temporary folder could be made.
  bool MakeEditor() {
    F = std::make_unique<TScriptedEditor>();
    FDir = std::make_unique<QTemporaryDir>();
    return FDir->isValid();
  }
  // Closes the window and returns how many boxes and dialogs nobody expected.
  int DropEditor() {
    const int unexpected = F ? F->Dialogs->Unexpected : 0;
    F.reset();
    FDir.reset();
    return unexpected;
  }
};
