// The installed MIME entry as a real reader of the shared MIME database sees it: Qt's
// QMimeDatabase, given a data folder that holds only desktop/<id>.mime.xml, must know project
// files by their name and by their first bytes, as the project writer writes them.

#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "document/sprite_document.h"
#include "exchange/project_document.h"

namespace {

const QString Type = QStringLiteral("application/x-deduzu-sprite");

QByteArray ProjectBytes() {
  auto d = std::make_unique<TSpriteDocument>();
  d->Store.SetPixel(0, false, 3, 3, 1);
  const std::vector<std::uint8_t> file = BuildDocumentFile(*d);
  return QByteArray(reinterpret_cast<const char*>(file.data()), qsizetype(file.size()));
}

}  // namespace

class TMimeTypeTest : public QObject {
  Q_OBJECT

  QTemporaryDir FData;
  QTemporaryDir FFiles;

 private slots:
  void initTestCase();
  void knownByName_data();
  void knownByName();
  void knownByContent_data();
  void knownByContent();
};

void TMimeTypeTest::initTestCase() {
  QVERIFY(FData.isValid() && FFiles.isValid());
  QVERIFY(QDir().mkpath(FData.filePath("mime/packages")));
  QVERIFY(QFile::copy(QStringLiteral(DEDUZU_MIME_XML), FData.filePath("mime/packages/io.github.deduzu.SpriteEditor.xml")));
  // Before the database is first used: only this folder is searched.
  qputenv("XDG_DATA_DIRS", FData.path().toLocal8Bit());
  qputenv("XDG_DATA_HOME", FFiles.filePath("no-such-folder").toLocal8Bit());
  QVERIFY(QMimeDatabase().mimeTypeForName(Type).isValid());
}

void TMimeTypeTest::knownByName_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("project");
  QTest::newRow("ship.sprite") << "ship.sprite" << true;
  QTest::newRow("upper case") << "SHIP.SPRITE" << true;
  QTest::newRow("a .sprite folder name in the path") << "x.sprite/ship.bin" << false;
  QTest::newRow("ship.sprites") << "ship.sprites" << false;
}

void TMimeTypeTest::knownByName() {
  QFETCH(QString, name);
  QFETCH(bool, project);
  QCOMPARE(QMimeDatabase().mimeTypeForFile(name, QMimeDatabase::MatchExtension).name() == Type, project);
}

void TMimeTypeTest::knownByContent_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<bool>("project");
  const QByteArray project = ProjectBytes();
  QTest::newRow("a project file") << project << true;
  QTest::newRow("an empty project (16 bytes)") << QByteArray("SPRJ\xF0\x80\x01\x00\x0C\x18\x01\x01\x00\x00\x00\x00", 16)
                                               << true;
  QTest::newRow("SPRX") << QByteArray("SPRX\xF0\x80\x01\x00\x0C\x18\x01\x01\x00\x00\x00\x00", 16) << false;
  QTest::newRow("SPRJ later in the file") << QByteArray("  SPRJ\xF0\x80\x01\x00\x0C\x18\x01\x01\x00\x00", 16) << false;
}

// A file without a known extension: its first bytes decide.
void TMimeTypeTest::knownByContent() {
  QFETCH(QByteArray, bytes);
  QFETCH(bool, project);
  QCOMPARE(QMimeDatabase().mimeTypeForData(bytes).name() == Type, project);
  const QString path = FFiles.filePath(QStringLiteral("file-%1").arg(QTest::currentDataTag()).replace(' ', '-'));
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  file.close();
  QCOMPARE(QMimeDatabase().mimeTypeForFile(path).name() == Type, project);
}

QTEST_GUILESS_MAIN(TMimeTypeTest)
#include "mime_type_test.moc"
