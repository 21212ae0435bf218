// Raw sprite data through the window: Export writes what the layout says, Import reads it
// back into a modified, unnamed document; length limits and unreadable files.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include "widgets/radio_group.h"
#include "exchange/raw_layout.h"
#include "support/random_fill.h"
#include "support/scripted_dialogs.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

const QString Base = QStringLiteral("Deduzu Sprite Editor");

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

QByteArray Bytes(const std::vector<std::uint8_t>& v) {
  return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size()));
}

struct TLayout {
  int Mode, Order;
  bool Masked;
  int Arrangement, Attr, Width, Height, Frames;
};

void Apply(TSpriteEditor& e, const TLayout& l) {
  e.RadioGroupMode->SetItemIndex(l.Mode);
  e.CbSpriteAlignment->setCurrentIndex(l.Order);
  e.CheckBoxMasked->setChecked(l.Masked);
  e.CbMaskAlignment->setCurrentIndex(l.Arrangement);
  e.CbAttrMask->setCurrentIndex(l.Attr);
  e.SpinEditWidth->setValue(l.Width);
  e.SpinEditHeight->setValue(l.Height);
  e.SpinEditTotalFrames->setValue(l.Frames);
}

TDataFormat Format(const TLayout& l) {
  return {TByteMode(l.Mode), TDataOrder(l.Order), l.Masked, TMaskArrangement(l.Arrangement), l.Attr};
}

}  // namespace

Q_DECLARE_METATYPE(TLayout)

class TRawIoTest : public TEditorTestBase {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void exportWritesTheLayout_data() { LayoutRows(); }
  void exportWritesTheLayout();
  void importReadsItBack_data() { LayoutRows(); }
  void importReadsItBack();
  void exportByHand();
  void importOfAPartialLastFrame();
  void importOfAnEmptyFileLeavesOneClearFrame();
  void importRefusals_data();
  void importRefusals();
  void failedExportKeepsTheDataFile();

 private:
  static void LayoutRows();
  void Export(const QString& path) {
    D().Paths = {path};
    E().MiExport->trigger();
  }
  void Import(const QString& path) {
    D().Answers = {true};
    D().Paths = {path};
    E().MiImport->trigger();
  }
};

void TRawIoTest::init() {
  QVERIFY(MakeEditor());
}

void TRawIoTest::cleanup() {
  QCOMPARE(DropEditor(), 0);
}

void TRawIoTest::LayoutRows() {
  QTest::addColumn<TLayout>("layout");
  QTest::newRow("start-up") << TLayout{0, 0, true, 0, 0, 12, 24, 1};
  QTest::newRow("6-bit rows zig-zag, mask lines first, attribute 11, odd height")
      << TLayout{0, 2, true, 4, 3, 18, 5, 3};
  QTest::newRow("8-bit columns, data lines first") << TLayout{1, 1, true, 5, 0, 16, 2, 2};
  QTest::newRow("8-bit columns zig-zag, unmasked with whole mask first chosen")
      << TLayout{1, 3, false, 2, 0, 24, 7, 4};
  QTest::newRow("6-bit whole data first, 240 x 240, 2 frames") << TLayout{0, 0, true, 3, 1, 240, 240, 2};
}

// The file holds what the layout makes of the document, as long as the read-out says; the
// document stays as it was.
void TRawIoTest::exportWritesTheLayout() {
  QFETCH(TLayout, layout);
  TSpriteEditor& e = E();
  Apply(e, layout);
  FillRandom(e.FStore, 1);
  e.FModified = false;
  e.UpdateCaption(e.FProjectFileName);
  const QString path = Path("out.bin");
  Export(path);
  const QByteArray file = ReadAll(path);
  QCOMPARE(file, Bytes(ExportFrames(e.FStore, Format(layout), layout.Width, layout.Height, layout.Frames)));
  QCOMPARE(QString::number(file.size()) + " bytes", e.LblBinDataSizeVal->text());
  QCOMPARE(e.FDataFileName, path);
  QVERIFY(!e.FModified);
  QCOMPARE(e.windowTitle(), Base);
}

// Read back with the same settings: the sprite area of every frame, nothing else.
void TRawIoTest::importReadsItBack() {
  QFETCH(TLayout, layout);
  TSpriteStore source;
  FillRandom(source, 2);
  const QString path = Path("in.bin");
  WriteBytes(path, Bytes(ExportFrames(source, Format(layout), layout.Width, layout.Height, layout.Frames)));
  TSpriteEditor& e = E();
  Apply(e, {layout.Mode, layout.Order, layout.Masked, layout.Arrangement, layout.Attr, layout.Width, layout.Height, 1});
  FillRandom(e.FStore, 3);
  Import(path);
  QCOMPARE(e.SpinEditTotalFrames->value(), layout.Frames);
  QCOMPARE(e.SliderFrame->value(), 1);
  QCOMPARE(e.FCurrentFrame, 0);
  for (int f : {0, layout.Frames - 1, layout.Frames, 127})
    for (bool mask : {false, true})
      for (int x = 0; x < MaxSide; ++x)
        for (int y = 0; y < MaxSide; ++y) {
          const bool inside = f < layout.Frames && x < layout.Width && y < layout.Height && (layout.Masked || !mask);
          QCOMPARE(e.FStore.Pixel(f, mask, x, y), inside ? source.Pixel(f, mask, x, y) : std::uint8_t(0));
        }
  QVERIFY(e.FModified);
  QVERIFY(e.FProjectFileName.isEmpty());
  QCOMPARE(e.windowTitle(), Base + " - [* NoNameFile]");
  QCOMPARE(e.FDataFileName, path);
}

void TRawIoTest::exportByHand() {
  // Start-up settings with attribute choice "10": row by row M(0, y), S(0, y), M(6, y), S(6, y).
  TSpriteEditor& e = E();
  e.CbAttrMask->setCurrentIndex(2);
  e.FStore.SetPixel(0, false, 0, 0, 1);
  e.FStore.SetPixel(0, true, 6, 0, 1);
  e.FStore.SetPixel(0, false, 11, 1, 1);
  e.FStore.SetPixel(0, false, 12, 0, 1);  // outside the sprite: not exported
  const QString path = Path("start.bin");
  Export(path);
  QByteArray expected(96, '\0');
  for (int i = 0; i < 96; i += 2) expected[i] = char(0x80);  // the mask bytes carry "10"
  expected[1] = 1;
  expected[2] = char(0x81);
  expected[7] = 32;
  QCOMPARE(ReadAll(path), expected);
  QCOMPARE(e.FDataFileName, path);

  // 8-bit, by columns zig-zag, unmasked, three byte columns, two rows:
  // (0, 0), (0, 1), (8, 1), (8, 0), (16, 0), (16, 1).
  e.FStore.ClearAll();
  Apply(e, {1, 3, false, 0, 0, 24, 2, 1});
  e.FStore.SetPixel(0, false, 8, 1, 1);
  e.FStore.SetPixel(0, false, 17, 0, 1);
  Export(path);
  QCOMPARE(ReadAll(path), QByteArray::fromHex("000080004000"));
}

void TRawIoTest::importOfAPartialLastFrame() {
  // Blocks of 96 bytes: 200 bytes make three frames, the last one partly filled.
  TSpriteStore source;
  FillRandom(source, 4);
  const TLayout start{0, 0, true, 0, 0, 12, 24, 3};
  const QString path = Path("cut.bin");
  WriteBytes(path, Bytes(ExportFrames(source, Format(start), 12, 24, 3)).left(200));
  Import(path);
  QCOMPARE(E().SpinEditTotalFrames->value(), 3);
  // The first eight bytes of frame 2 are there: its rows 0 and 1.
  for (int x = 0; x < 12; ++x)
    for (int y = 0; y < 2; ++y) QCOMPARE(E().FStore.Pixel(2, false, x, y), source.Pixel(2, false, x, y));
}

void TRawIoTest::importOfAnEmptyFileLeavesOneClearFrame() {
  TSpriteEditor& e = E();
  e.SpinEditTotalFrames->setValue(5);
  e.SliderFrame->setValue(4);
  FillRandom(e.FStore, 9);
  e.FProjectFileName = Path("named.sprite");
  e.FModified = false;
  e.UpdateCaption(e.FProjectFileName);
  const QString path = Path("empty.bin");
  WriteBytes(path, {});
  Import(path);
  QCOMPARE(D().Sequence(), (QStringList{"question:Import sprite...", "open:Import sprite data..."}));
  QCOMPARE(e.SpinEditTotalFrames->value(), 1);
  QCOMPARE(e.SliderFrame->value(), 1);
  QCOMPARE(e.FCurrentFrame, 0);
  for (int f : {0, 3, 127})
    for (bool mask : {false, true})
      for (int x = 0; x < MaxSide; x += 7)
        for (int y = 0; y < MaxSide; y += 5) QCOMPARE(e.FStore.Pixel(f, mask, x, y), 0);
  QVERIFY(e.FModified);
  QVERIFY(e.FProjectFileName.isEmpty());
  QCOMPARE(e.windowTitle(), Base + " - [* NoNameFile]");
  QCOMPARE(e.FDataFileName, path);
  QVERIFY(e.MiSave->isEnabled());
}

void TRawIoTest::importRefusals_data() {
  QTest::addColumn<bool>("masked");
  QTest::addColumn<int>("mode");
  QTest::addColumn<qint64>("length");  // -1: no such file
  QTest::addColumn<QString>("message");
  QTest::newRow("6-bit masked, one byte over 2,457,600") << true << 0 << qint64(2457601) << "File has unexpected length!";
  QTest::newRow("8-bit masked, one byte over 1,843,200") << true << 1 << qint64(1843201) << "File has unexpected length!";
  QTest::newRow("8-bit unmasked, one byte over 921,600") << false << 1 << qint64(921601) << "File has unexpected length!";
  QTest::newRow("8-bit masked, exactly 1,843,200") << true << 1 << qint64(1843200) << "";
  QTest::newRow("no such file") << true << 0 << qint64(-1) << "Can't open this file!";
}

void TRawIoTest::importRefusals() {
  QFETCH(bool, masked);
  QFETCH(int, mode);
  QFETCH(qint64, length);
  QFETCH(QString, message);
  TSpriteEditor& e = E();
  e.RadioGroupMode->SetItemIndex(mode);
  e.CheckBoxMasked->setChecked(masked);
  e.SpinEditTotalFrames->setValue(2);
  e.FStore.SetPixel(1, false, 3, 3, 1);
  e.FDataFileName = Path("earlier.bin");
  const QString title = e.windowTitle();
  const QString path = Path("data.bin");
  if (length >= 0) WriteBytes(path, QByteArray(length, char(0xFF)));
  Import(path);
  if (message.isEmpty()) {  // accepted: 128 frames, all set in the sprite area
    QCOMPARE(D().Sequence().size(), 2);
    QCOMPARE(e.SpinEditTotalFrames->value(), 128);
    QCOMPARE(e.FStore.Pixel(127, true, 0, 23), 1);
    QCOMPARE(e.FDataFileName, path);
    return;
  }
  QCOMPARE(D().Sequence(),
           (QStringList{"question:Import sprite...", "open:Import sprite data...", "error:Import sprite data..."}));
  QCOMPARE(D().Shown[2].Text, message);
  QCOMPARE(e.SpinEditTotalFrames->value(), 2);
  QCOMPARE(e.FStore.Pixel(1, false, 3, 3), 1);
  QCOMPARE(e.FStore.Pixel(0, false, 0, 0), 0);
  QCOMPARE(e.FDataFileName, Path("earlier.bin"));
  QCOMPARE(e.windowTitle(), title);
}

void TRawIoTest::failedExportKeepsTheDataFile() {
  TSpriteEditor& e = E();
  e.FDataFileName = Path("earlier.bin");
  Export(Path("missing/data.bin"));
  QCOMPARE(D().Sequence(), (QStringList{"save:Export sprite data...", "error:Export sprite data..."}));
  QCOMPARE(D().Shown[1].Text, QStringLiteral("Can't open this file for writing!"));
  QCOMPARE(e.FDataFileName, Path("earlier.bin"));
  QVERIFY(!e.FModified);
}

QTEST_MAIN(TRawIoTest)
#include "raw_io_test.moc"
