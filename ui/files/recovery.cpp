#include "files/recovery.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>

#include "exchange/project_file.h"
#include "files/file_io.h"

namespace {

constexpr char TrailerMagic[4] = {'D', 'Z', 'R', 'V'};
constexpr qint64 MaxPathBytes = 1 << 16;

QString LockPath(const QString& file) { return file.chopped(int(sizeof(".sprite") - 1)) + QStringLiteral(".lock"); }

// Locks a window's lock file when no living process holds it; a lock of a process that is gone
// is taken over.
std::unique_ptr<QLockFile> TakeLock(const QString& path) {
  auto lock = std::make_unique<QLockFile>(path);
  lock->setStaleLockTime(0);  // a living window's lock never grows stale by its age
  if (!lock->tryLock(0)) return nullptr;
  return lock;
}

}  // namespace

QString DefaultRecoveryFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
}

std::vector<std::uint8_t> BuildRecoveryFile(std::span<const std::uint8_t> project, const QString& projectPath) {
  const QByteArray path = projectPath.toUtf8().left(MaxPathBytes);
  std::vector<std::uint8_t> file(project.begin(), project.end());
  file.insert(file.end(), path.begin(), path.end());
  const std::uint32_t length = std::uint32_t(path.size());
  for (int i = 0; i < 4; ++i) file.push_back(std::uint8_t(length >> (8 * i)));
  file.insert(file.end(), std::begin(TrailerMagic), std::end(TrailerMagic));
  return file;
}

TRecoveredDocument ReadRecoveryFile(const QString& path) {
  TRecoveredDocument recovered;
  QByteArray bytes;
  if (ReadWholeFile(path, ProjectFileMaxSize + MaxPathBytes + 8, bytes) != TReadResult::Ok || bytes.size() < 8 ||
      !bytes.endsWith(QByteArray(TrailerMagic, 4)))
    return recovered;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
  const qsizetype end = bytes.size() - 8;
  std::uint32_t length = 0;
  for (int i = 0; i < 4; ++i) length |= std::uint32_t(data[end + i]) << (8 * i);
  if (length > std::uint32_t(end)) return recovered;
  const qsizetype projectSize = end - qsizetype(length);
  const std::span project(data, std::size_t(projectSize));
  const TProjectStatus status = CheckProjectFile(project);
  if (status.Result != TProjectResult::Ok || status.PreviousVersion) return recovered;
  recovered.Project.assign(project.begin(), project.end());
  recovered.ProjectPath = QString::fromUtf8(bytes.constData() + projectSize, qsizetype(length));
  recovered.Ok = true;
  return recovered;
}

TRecovery::TRecovery(const QString& folder, std::function<std::vector<std::uint8_t>()> content)
    : FFolder(folder), FId(QUuid::createUuid().toString(QUuid::WithoutBraces)), FContent(std::move(content)) {
  QDir().mkpath(FFolder);
  FLock = TakeLock(FFolder + QLatin1Char('/') + FId + QStringLiteral(".lock"));
  FTimer.setSingleShot(true);
  FTimer.setInterval(WriteDelayMs);
  connect(&FTimer, &QTimer::timeout, this, [this] { WriteNow(); });
}

TRecovery::~TRecovery() {
  if (FTimer.isActive()) WriteNow();
}

QString TRecovery::FilePath() const { return FFolder + QLatin1Char('/') + FId + QStringLiteral(".sprite"); }

// The timer is not restarted by later changes: while the user keeps drawing, the file is
// still rewritten every WriteDelayMs.
// Without its lock (a folder that takes no file) the window keeps no copy: another process
// would take it for one left behind.
void TRecovery::Changed() {
  if (FLock && !FTimer.isActive()) FTimer.start();
}

void TRecovery::Discard() {
  FTimer.stop();
  QFile::remove(FilePath());
}

bool TRecovery::WriteNow() {
  FTimer.stop();
  if (!FLock) return false;
  QDir().mkpath(FFolder);
  // Not synced to the disk: the copy guards against the program's end, not the system's, and
  // a sync every two seconds would make the user wait.
  return WriteWholeFile(FilePath(), FContent(), TSync::None);
}

std::vector<TLeftRecovery> FindLeftRecoveries(const QString& folder) {
  std::vector<TLeftRecovery> left;
  const QDir dir(folder);
  for (const QFileInfo& info : dir.entryInfoList({QStringLiteral("*.sprite")}, QDir::Files)) {
    auto lock = TakeLock(LockPath(info.filePath()));
    if (lock) left.push_back({info.filePath(), info.lastModified(), std::move(lock)});
  }
  for (const QFileInfo& info : dir.entryInfoList({QStringLiteral("*.lock")}, QDir::Files)) {
    const QString file = info.filePath().chopped(int(sizeof(".lock") - 1)) + QStringLiteral(".sprite");
    if (QFileInfo::exists(file)) continue;
    if (auto lock = TakeLock(info.filePath())) {
      // A process killed during its first write leaves the writer's temporary file only.
      const QString name = QFileInfo(file).fileName();
      for (const QString& temporary :
           dir.entryList({QLatin1Char('.') + name + QStringLiteral(".*")}, QDir::Files | QDir::Hidden))
        QFile::remove(dir.filePath(temporary));
      lock->unlock();  // removes it
    }
  }
  std::sort(left.begin(), left.end(),
            [](const TLeftRecovery& a, const TLeftRecovery& b) { return a.Written > b.Written; });
  return left;
}

void RemoveLeftRecovery(TLeftRecovery& left) {
  const QFileInfo info(left.File);
  QDir dir = info.dir();
  QFile::remove(left.File);
  // The writer's temporary files are named ".<name>.XXXXXX".
  for (const QString& temporary :
       dir.entryList({QLatin1Char('.') + info.fileName() + QStringLiteral(".*")}, QDir::Files | QDir::Hidden))
    dir.remove(temporary);
  if (left.Lock) left.Lock->unlock();
}
