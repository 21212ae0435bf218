// Saving over a file keeps the file: a second hard link sees the new content, the owner, the
// group and the permissions stay, a symbolic link stays a link to the file it names, and a
// writable file in a folder that takes no new file is still saved. Each save is checked
// against the bytes the document makes.
//
// The tests run as root, where permissions stop nothing. Two ways around that: a folder made
// immutable (chattr +i) takes no temporary file, and the cases of an ordinary user run the
// program again as a child under the user "nobody" (uid 65534), which saves a file and reports
// what it was told. Both need root and are skipped without it.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <grp.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "exchange/project_document.h"
#include "support/random_fill.h"
#include "support/scripted_dialogs.h"
#include "window/sprite_editor.h"

namespace {

const char* const ChildVariable = "DEDUZU_IDENTITY_CHILD";
constexpr uid_t Nobody = 65534;
const QString WriteText = QStringLiteral("Can't open this file for writing!");

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Bytes(const std::vector<std::uint8_t>& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

struct stat Stat(const QString& path) {
  struct stat st {};
  ::lstat(QFile::encodeName(path).constData(), &st);
  return st;
}

void WriteFile(const QString& path, const QByteArray& content, mode_t mode) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  QCOMPARE(file.write(content), qint64(content.size()));
  file.close();
  QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

QStringList Listing(const QString& dir) {
  return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

bool Chattr(const QString& flag, const QString& path) {
  return QProcess::execute(QStringLiteral("chattr"), {flag, path}) == 0;
}

// Every extended attribute of a file, by name, read with the plain calls.
std::map<std::string, QByteArray> Attributes(const QString& path) {
  const QByteArray file = QFile::encodeName(path);
  std::map<std::string, QByteArray> all;
  QByteArray names(65536, '\0');
  const ssize_t length = ::listxattr(file.constData(), names.data(), std::size_t(names.size()));
  if (length <= 0) return all;
  for (const QByteArray& name : names.left(length).split('\0')) {
    if (name.isEmpty()) continue;
    QByteArray value(65536, '\0');
    const ssize_t size = ::getxattr(file.constData(), name.constData(), value.data(), std::size_t(value.size()));
    all[name.toStdString()] = size < 0 ? QByteArray("unreadable") : value.left(size);
  }
  return all;
}

// A POSIX access control list as the kernel keeps it in system.posix_acl_*: a version, then
// entries of tag, permissions and id. The owner rw, the user "nobody" r, the group r, the
// mask r, others nothing.
QByteArray AccessControlList() {
  struct TEntry { std::uint16_t Tag, Perm; std::uint32_t Id; };
  const std::uint32_t version = 2, none = 0xFFFFFFFFu;
  const TEntry entries[] = {{0x01, 6, none}, {0x02, 4, Nobody}, {0x04, 4, none}, {0x10, 4, none}, {0x20, 0, none}};
  QByteArray bytes(reinterpret_cast<const char*>(&version), sizeof version);
  for (const TEntry& e : entries) {
    bytes.append(reinterpret_cast<const char*>(&e.Tag), 2).append(reinterpret_cast<const char*>(&e.Perm), 2);
    bytes.append(reinterpret_cast<const char*>(&e.Id), 4);
  }
  return bytes;
}

// Old content longer than any new one, so that a save in place must cut it.
const QByteArray OldContent = QByteArray("old content that must not survive a save\n").repeated(60000);

// The child: a fresh window, as "nobody", saves its document to the path it is given.
int RunChild(int argc, char** argv) {
  QApplication app(argc, argv);
  TScriptedEditor window;
  window->FProjectFileName = QString::fromLocal8Bit(std::getenv(ChildVariable));
  window->MarkModified();
  window->MiSave->trigger();
  QTextStream out(stdout);
  out << "uid=" << ::geteuid() << "\n";
  for (const TShown& s : window.Dialogs->Shown) out << "shown=" << s.Title << "|" << s.Text << "\n";
  out << "modified=" << int(window->FModified) << "\n";
  return 0;
}

}  // namespace

class TFileIdentityTest : public TEditorTestBase {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void hardLinkSeesTheNewContent();
  void permissionsKept_data();
  void permissionsKept();
  void ownerAndGroupKept_data();
  void ownerAndGroupKept();
  void extendedAttributesKept_data();
  void extendedAttributesKept();
  void symbolicLinkIsFollowed();
  void danglingLinkIsRefused();
  void immutableFolderWithAWritableFile();
  void ordinaryUser_data();
  void ordinaryUser();

 private:
  // Saves the document to `path` with Save and checks it was written whole.
  void SaveTo(const QString& path);
  QString FImmutable;
};

void TFileIdentityTest::init() {
  QVERIFY(MakeEditor());
  FillRandom(E().FStore, 7);
}

void TFileIdentityTest::cleanup() {
  if (!FImmutable.isEmpty()) Chattr("-i", FImmutable);
  FImmutable.clear();
  QCOMPARE(DropEditor(), 0);
}

void TFileIdentityTest::SaveTo(const QString& path) {
  TSpriteEditor& e = E();
  e.FProjectFileName = path;
  e.MarkModified();
  e.MiSave->trigger();
  QCOMPARE(D().Sequence(), QStringList());
  QVERIFY(!e.FModified);
  QCOMPARE(ReadAll(path), Bytes(BuildDocumentFile(e.FDocument)));
}

void TFileIdentityTest::hardLinkSeesTheNewContent() {
  const QString target = Path("ship.sprite");
  const QString second = Path("second.sprite");
  WriteFile(target, OldContent, 0644);
  QCOMPARE(::link(QFile::encodeName(target).constData(), QFile::encodeName(second).constData()), 0);
  const ino_t inode = Stat(target).st_ino;
  SaveTo(target);
  QCOMPARE(ReadAll(second), ReadAll(target));
  QCOMPARE(Stat(target).st_ino, inode);
  QCOMPARE(Stat(second).st_ino, inode);
  QCOMPARE(Stat(target).st_nlink, nlink_t(2));
  QCOMPARE(Listing(FDir->path()), (QStringList{"second.sprite", "ship.sprite"}));

  // Export, through the other name, writes the same file.
  D().Paths = {second};
  E().MiExport->trigger();
  QCOMPARE(D().Sequence(), QStringList{"save:Export sprite data..."});
  QVERIFY(ReadAll(target) != Bytes(BuildDocumentFile(E().FDocument)));
  QCOMPARE(ReadAll(target), ReadAll(second));
  QCOMPARE(Stat(target).st_ino, inode);
}

void TFileIdentityTest::permissionsKept_data() {
  QTest::addColumn<int>("mode");
  QTest::addColumn<bool>("linked");
  for (const int mode : {0640, 0604, 0600, 0751, 02664})
    for (const bool linked : {false, true})
      QTest::addRow("%04o%s", mode, linked ? ", linked (in place)" : "") << mode << linked;
}

void TFileIdentityTest::permissionsKept() {
  QFETCH(int, mode);
  QFETCH(bool, linked);
  const QString target = Path("ship.sprite");
  WriteFile(target, OldContent, mode_t(mode));
  if (linked) QCOMPARE(::link(QFile::encodeName(target).constData(), QFile::encodeName(Path("second")).constData()), 0);
  SaveTo(target);
  QCOMPARE(int(Stat(target).st_mode & 07777), mode);
}

void TFileIdentityTest::ownerAndGroupKept_data() {
  QTest::addColumn<int>("uid");
  QTest::addColumn<int>("gid");
  QTest::addColumn<bool>("linked");
  QTest::newRow("another owner and group") << int(Nobody) << int(Nobody) << false;
  QTest::newRow("another group") << 0 << int(Nobody) << false;
  QTest::newRow("another owner, linked (in place)") << int(Nobody) << int(Nobody) << true;
}

void TFileIdentityTest::ownerAndGroupKept() {
  QFETCH(int, uid);
  QFETCH(int, gid);
  QFETCH(bool, linked);
  if (::geteuid() != 0) QSKIP("giving a file to another owner needs root");
  const QString target = Path("ship.sprite");
  WriteFile(target, OldContent, 0640);
  QCOMPARE(::chown(QFile::encodeName(target).constData(), uid_t(uid), gid_t(gid)), 0);
  if (linked) QCOMPARE(::link(QFile::encodeName(target).constData(), QFile::encodeName(Path("second")).constData()), 0);
  SaveTo(target);
  const struct stat st = Stat(target);
  QCOMPARE(int(st.st_uid), uid);
  QCOMPARE(int(st.st_gid), gid);
  QCOMPARE(int(st.st_mode & 07777), 0640);
}

// The replacing file is given the old one's extended attributes (a user's tag, an access
// control list) and none it did not have (the folder's default list a new file there takes),
// and still replaces it atomically: a new inode.
void TFileIdentityTest::extendedAttributesKept_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("onFolder");
  QTest::newRow("a user attribute") << "user.deduzu.note" << false;
  QTest::newRow("an access control list") << "system.posix_acl_access" << false;
  QTest::newRow("the folder's default list, which the file does not have") << "system.posix_acl_default" << true;
}

void TFileIdentityTest::extendedAttributesKept() {
  QFETCH(QString, name);
  QFETCH(bool, onFolder);
  const QString target = Path("ship.sprite");
  WriteFile(target, OldContent, 0640);
  const QByteArray value = name.startsWith("user.") ? QByteArray("drawn by hand") : AccessControlList();
  const QByteArray on = QFile::encodeName(onFolder ? FDir->path() : target);
  if (::setxattr(on.constData(), name.toLatin1().constData(), value.constData(), std::size_t(value.size()), 0) != 0)
    QSKIP(qPrintable(QString("this file system does not take %1: %2").arg(name, strerror(errno))));
  const std::map<std::string, QByteArray> before = Attributes(target);
  QCOMPARE(before.count(name.toStdString()), std::size_t(onFolder ? 0 : 1));
  const mode_t mode = Stat(target).st_mode;
  const ino_t inode = Stat(target).st_ino;
  SaveTo(target);
  QVERIFY(Attributes(target) == before);
  QCOMPARE(Stat(target).st_mode, mode);
  QVERIFY(Stat(target).st_ino != inode);
  QCOMPARE(Listing(FDir->path()), QStringList{"ship.sprite"});
}

void TFileIdentityTest::symbolicLinkIsFollowed() {
  QVERIFY(QDir(FDir->path()).mkdir("real"));
  const QString real = Path("real/ship.sprite");
  WriteFile(real, OldContent, 0604);
  QVERIFY(QFile::link(real, Path("link.sprite")));
  SaveTo(Path("link.sprite"));
  QVERIFY(S_ISLNK(Stat(Path("link.sprite")).st_mode));
  QCOMPARE(ReadAll(real), Bytes(BuildDocumentFile(E().FDocument)));
  QCOMPARE(int(Stat(real).st_mode & 07777), 0604);
  QCOMPARE(Listing(Path("real")), QStringList{"ship.sprite"});
}

// A link to nothing, or a loop of links: nothing is created anywhere.
void TFileIdentityTest::danglingLinkIsRefused() {
  QVERIFY(QFile::link(Path("missing.sprite"), Path("dangling.sprite")));
  QVERIFY(QFile::link(Path("loop-b.sprite"), Path("loop-a.sprite")));
  QVERIFY(QFile::link(Path("loop-a.sprite"), Path("loop-b.sprite")));
  for (const QString name : {"dangling.sprite", "loop-a.sprite"}) {
    D().Shown.clear();
    D().Paths = {Path(name)};
    E().MiSaveAs->trigger();
    QCOMPARE(D().Shown.size(), std::size_t(2));
    QCOMPARE(D().Shown[1].Text, WriteText);
    QCOMPARE(Listing(FDir->path()), (QStringList{"dangling.sprite", "loop-a.sprite", "loop-b.sprite"}));
  }
}

// No temporary file can be made beside the file, which is written in place.
void TFileIdentityTest::immutableFolderWithAWritableFile() {
  QVERIFY(QDir(FDir->path()).mkdir("sub"));
  const QString target = Path("sub/ship.sprite");
  WriteFile(target, OldContent, 0644);
  const ino_t inode = Stat(target).st_ino;
  if (!Chattr("+i", Path("sub"))) QSKIP("chattr +i is not available here (needs root and a file system that has it)");
  FImmutable = Path("sub");
  QFile probe(Path("sub/probe"));
  if (probe.open(QIODevice::WriteOnly)) QSKIP("the immutable flag does not stop file creation here");
  SaveTo(target);
  QCOMPARE(Stat(target).st_ino, inode);
  QCOMPARE(Listing(Path("sub")), QStringList{"ship.sprite"});
}

void TFileIdentityTest::ordinaryUser_data() {
  QTest::addColumn<int>("folderOwner");
  QTest::addColumn<int>("folderMode");
  QTest::addColumn<int>("fileOwner");
  QTest::addColumn<int>("fileMode");
  QTest::addColumn<bool>("saved");
  QTest::newRow("writable file in a folder the user cannot write to") << 0 << 0755 << 0 << 0666 << true;
  QTest::newRow("another owner's writable file in an open folder") << 0 << 0777 << 0 << 0666 << true;
  QTest::newRow("the user's own file in the user's folder") << int(Nobody) << 0755 << int(Nobody) << 0640 << true;
  QTest::newRow("another owner's read-only file in an open folder") << 0 << 0777 << 0 << 0644 << false;
  QTest::newRow("the user's own read-only file") << int(Nobody) << 0755 << int(Nobody) << 0444 << false;
}

void TFileIdentityTest::ordinaryUser() {
  QFETCH(int, folderOwner);
  QFETCH(int, folderMode);
  QFETCH(int, fileOwner);
  QFETCH(int, fileMode);
  QFETCH(bool, saved);
  if (::geteuid() != 0) QSKIP("running a child as another user needs root");
  // The child must reach the folder and run this program: a copy of it in the folder, since
  // the build tree may lie in a folder only root can enter (a clone in a mktemp -d folder).
  QCOMPARE(::chmod(QFile::encodeName(FDir->path()).constData(), 0755), 0);
  const QString program = FDir->path() + "/child-program";
  QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), program));
  QCOMPARE(::chmod(QFile::encodeName(program).constData(), 0755), 0);
  const QString dir = Path("sub");
  QVERIFY(QDir(FDir->path()).mkdir("sub"));
  const QString target = dir + "/ship.sprite";
  WriteFile(target, OldContent, mode_t(fileMode));
  QCOMPARE(::chown(QFile::encodeName(target).constData(), uid_t(fileOwner), gid_t(fileOwner)), 0);
  QCOMPARE(::chown(QFile::encodeName(dir).constData(), uid_t(folderOwner), gid_t(folderOwner)), 0);
  QCOMPARE(::chmod(QFile::encodeName(dir).constData(), mode_t(folderMode)), 0);
  const struct stat before = Stat(target);

  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QString::fromLatin1(ChildVariable), target);
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("HOME", FDir->path());
  env.remove("XDG_RUNTIME_DIR");
  child.setProcessEnvironment(env);
  child.setChildProcessModifier([] {
    if (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0) ::_exit(99);
  });
  child.start(program, {});
  QVERIFY2(child.waitForFinished(30000), qPrintable(child.errorString()));
  QCOMPARE(child.exitCode(), 0);
  const QStringList report = QString::fromUtf8(child.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  QVERIFY2(report.contains(QString("uid=%1").arg(Nobody)), qPrintable(report.join(';')));

  // A fresh window's document, as the child made it.
  const QByteArray expected = Bytes(BuildDocumentFile(TScriptedEditor()->FDocument));
  const struct stat after = Stat(target);
  if (saved) {
    QCOMPARE(report, (QStringList{QString("uid=%1").arg(Nobody), "modified=0"}));
    QCOMPARE(ReadAll(target), expected);
  } else {
    QCOMPARE(report, (QStringList{QString("uid=%1").arg(Nobody), "shown=Save sprite project...|" + WriteText,
                                  "modified=1"}));
    QCOMPARE(ReadAll(target), OldContent);
  }
  // Whatever happened, it is the same file, with its owner, group and permissions.
  QCOMPARE(after.st_uid, before.st_uid);
  QCOMPARE(after.st_gid, before.st_gid);
  QCOMPARE(after.st_mode, before.st_mode);
  if (fileOwner != int(Nobody)) QCOMPARE(after.st_ino, before.st_ino);
  QCOMPARE(Listing(dir), QStringList{"ship.sprite"});
}

int main(int argc, char** argv) {
  if (std::getenv(ChildVariable)) return RunChild(argc, argv);
  QApplication app(argc, argv);
  TFileIdentityTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "file_identity_test.moc"
