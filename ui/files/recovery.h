#pragma once
// Recovery after a crash: while a window's document has unsaved changes, the window keeps a
// copy of it in a recovery file of its own, <folder>/<id>.sprite, rewritten at most
// WriteDelayMs after the first change it does not hold yet. The file is a project file followed
// by the document's project path, and is replaced atomically, so that a kill at any moment
// leaves the last copy whole. A lock file beside it, <id>.lock, held while the window lives,
// tells the file of a running window from one left by a process that is gone.

#include <QDateTime>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

// The folder of the recovery files in the user's data folder.
QString DefaultRecoveryFolder();

// The content of a recovery file: the project file, the project path (UTF-8, may be empty),
// its length as 4 bytes little-endian, and the 4 bytes "DZRV".
std::vector<std::uint8_t> BuildRecoveryFile(std::span<const std::uint8_t> project, const QString& projectPath);

// A recovery file read back; Ok only when the trailer is whole and the project file passes
// CheckProjectFile in the current format.
struct TRecoveredDocument {
  bool Ok = false;
  std::vector<std::uint8_t> Project;
  QString ProjectPath;
};
TRecoveredDocument ReadRecoveryFile(const QString& path);

class TRecovery : public QObject {
 public:
  static constexpr int WriteDelayMs = 2000;

  // `content` gives the recovery file's bytes of the document as it is now.
  TRecovery(const QString& folder, std::function<std::vector<std::uint8_t>()> content);
  // Changes not written yet are written, so that a window closed in any other way than by
  // the user's leave to lose them keeps them; the lock goes.
  ~TRecovery() override;

  const QString& Folder() const { return FFolder; }
  QString FilePath() const;
  // The document changed and has unsaved changes: written within WriteDelayMs.
  void Changed();
  // The document has no unsaved changes, or the user let them go: the file goes.
  void Discard();
  // Writes the file now; false when it could not be written.
  bool WriteNow();

  // Whether the start-up question has been asked (see the window's OfferRecovery).
  bool Offered = false;

 private:
  QString FFolder;
  QString FId;
  std::function<std::vector<std::uint8_t>()> FContent;
  std::unique_ptr<QLockFile> FLock;
  QTimer FTimer;
};

// A recovery file whose window's process is gone; `Lock` holds its lock for the caller, so
// that no other window takes it meanwhile.
struct TLeftRecovery {
  QString File;
  QDateTime Written;
  std::unique_ptr<QLockFile> Lock;
};

// The recovery files in `folder` left by processes that are gone, the newest first. Lock files
// left without a recovery file are removed on the way.
std::vector<TLeftRecovery> FindLeftRecoveries(const QString& folder);

// Removes a left recovery file, any temporary file of it, and its lock.
void RemoveLeftRecovery(TLeftRecovery& left);
