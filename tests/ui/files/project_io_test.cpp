// Project files through the window: a saved document comes back whole in a fresh window;
// loading sets every control as a user would, byte mode before width; earlier-version files;
// refused files change nothing.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>

#include "canvas/canvas.h"
#include "exchange/project_file.h"
#include "widgets/radio_group.h"
#include "exchange/run_length.h"
#include "support/random_fill.h"
#include "support/scripted_dialogs.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

const QString Base = QStringLiteral("Deduzu Sprite Editor");
const QString OpenTitle = QStringLiteral("Open sprite project...");
const QString LengthText = QStringLiteral("File has unexpected length!");
const QString HeaderText = QStringLiteral("Unknown file header!\nThis is not an `Deduzu Sprite Project` file!");
const QString LimitsText = QStringLiteral(
    "This `Deduzu Sprite Project` file is not compatible with this version!\nSome of parameters exceed limits...");

bool SameStore(const TSpriteStore& a, const TSpriteStore& b) {
  for (int f = 0; f < MaxFrames; ++f)
    for (bool mask : {false, true})
      if (std::memcmp(&a.Plane(f, mask), &b.Plane(f, mask), sizeof(TPlane)) != 0) return false;
  return true;
}

void WriteFile(const QString& path, const std::vector<std::uint8_t>& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())), qint64(bytes.size()));
}

// What the window shows of its settings, for comparing two windows or before and after.
QStringList Settings(const TSpriteEditor& e) {
  QStringList s;
  s << QString::number(e.RadioGroupMode->ItemIndex()) << QString::number(e.CbSpriteAlignment->currentIndex())
    << QString::number(e.CheckBoxMasked->isChecked()) << QString::number(e.CbMaskAlignment->currentIndex())
    << QString::number(e.CbAttrMask->currentIndex()) << QString::number(e.SpinEditWidth->value())
    << QString::number(e.SpinEditHeight->value()) << QString::number(e.SpinEditTotalFrames->value())
    << QString::number(e.SliderFrame->maximum()) << QString::number(e.SliderFrame->value())
    << QString::number(e.FWidth) << QString::number(e.FPaneStride) << QString::number(e.FHeight)
    << QString::number(e.FCurrentFrame) << e.LblFrameNum->text() << e.LblBinDataSizeVal->text()
    << QString::number(e.PaintBox->width()) << QString::number(e.PaintBox->height())
    << QString::number(e.SpinEditWidth->minimum()) << QString::number(e.CbMaskAlignment->isEnabled())
    << QString::number(e.CbAttrMask->isEnabled()) << QString::number(e.FMaskActions.front()->isEnabled())
    << QString::number(e.BtnPrev->isEnabled()) << QString::number(e.BtnNext->isEnabled())
    << QString::number(e.BtnMoveLeft->isEnabled()) << QString::number(e.BtnMoveRight->isEnabled());
  return s;
}

TProjectHeader Header(int mode, int order, bool masked, int arrangement, int attr, int width, int height, int frames,
                      int current) {
  TProjectHeader h;
  h.ByteMode = mode;
  h.Order = order;
  h.Masked = masked;
  h.Arrangement = arrangement;
  h.AttrChoice = attr;
  h.Width = width;
  h.Height = height;
  h.FrameCount = frames;
  h.CurrentFrame = current;
  return h;
}

}  // namespace

class TProjectIoTest : public TEditorTestBase {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void savedDocumentComesBackInAFreshWindow();
  void byteModeIsSetBeforeWidth_data();
  void byteModeIsSetBeforeWidth();
  void frameCountAndPositionFit_data();
  void frameCountAndPositionFit();
  void equalSettingsRunNoHandlerButRedraw();
  void fileOfTheLongestLengthLoads();
  void previousVersionFile();
  void refusedFileChangesNothing_data();
  void refusedFileChangesNothing();

 private:
  void Open(const QString& path) {
    D().Paths = {path};
    E().MiOpen->trigger();
  }
};

void TProjectIoTest::init() {
  QVERIFY(MakeEditor());
}

void TProjectIoTest::cleanup() {
  QCOMPARE(DropEditor(), 0);
}

void TProjectIoTest::savedDocumentComesBackInAFreshWindow() {
  // Every setting away from its start value.
  TScriptedEditor a;
  a->RadioGroupMode->SetItemIndex(1);
  a->CbSpriteAlignment->setCurrentIndex(3);
  a->CheckBoxMasked->setChecked(false);
  a->CbMaskAlignment->setCurrentIndex(5);
  a->CbAttrMask->setCurrentIndex(3);
  a->SpinEditWidth->setValue(16);
  a->SpinEditHeight->setValue(200);
  a->SpinEditTotalFrames->setValue(5);
  a->SliderFrame->setValue(2);
  FillRandom(a->FStore, 7);
  const QString path = Path("all.sprite");
  a.Dialogs->Paths = {path};
  a->MiSaveAs->trigger();
  QVERIFY(!a->FModified);

  Open(path);
  QCOMPARE(D().Sequence(), QStringList{"open:Open sprite project..."});
  QVERIFY(SameStore(E().FStore, a->FStore));
  QCOMPARE(Settings(E()), Settings(*a));
  QCOMPARE(E().LblBinDataSizeVal->text(), QStringLiteral("2000 bytes"));
  QCOMPARE(E().FCurrentFrame, 1);
  QVERIFY(!E().FModified);
  QVERIFY(!E().MiSave->isEnabled());
  QCOMPARE(E().FProjectFileName, path);
  QCOMPARE(E().windowTitle(), Base + " - [" + path + "]");
}

// An 8-bit file of width 16 in a 6-bit window of width 12 must not end at 12 (16 aligned
// down to 6-bit steps), nor a 6-bit file of width 6 in an 8-bit window at 8.
void TProjectIoTest::byteModeIsSetBeforeWidth_data() {
  QTest::addColumn<int>("windowMode");
  QTest::addColumn<int>("windowWidth");
  QTest::addColumn<int>("fileMode");
  QTest::addColumn<int>("fileWidth");
  QTest::newRow("8-bit 16 into 6-bit 12") << 0 << 12 << 1 << 16;
  QTest::newRow("6-bit 12 into 8-bit 16") << 1 << 16 << 0 << 12;
  QTest::newRow("6-bit 6 into 8-bit 8") << 1 << 8 << 0 << 6;
  QTest::newRow("8-bit 8 into 6-bit 240") << 0 << 240 << 1 << 8;
  QTest::newRow("6-bit 234 into 8-bit 240") << 1 << 240 << 0 << 234;
}

void TProjectIoTest::byteModeIsSetBeforeWidth() {
  QFETCH(int, windowMode);
  QFETCH(int, windowWidth);
  QFETCH(int, fileMode);
  QFETCH(int, fileWidth);
  E().RadioGroupMode->SetItemIndex(windowMode);
  E().SpinEditWidth->setValue(windowWidth);
  QCOMPARE(E().FWidth, windowWidth);
  TSpriteStore store;
  const QString path = Path("mode.sprite");
  WriteFile(path, BuildProjectFile(store, Header(fileMode, 0, true, 0, 0, fileWidth, 24, 1, 1)));
  D().Answers = {true};  // the width change above left unsaved changes
  Open(path);
  QCOMPARE(E().RadioGroupMode->ItemIndex(), fileMode);
  QCOMPARE(E().SpinEditWidth->value(), fileWidth);
  QCOMPARE(E().FWidth, fileWidth);
  QCOMPARE(E().SpinEditWidth->minimum(), fileMode == 1 ? 8 : 6);
  QCOMPARE(E().PaintBox->width(), 2 * (fileWidth + 1) * 12);
  QVERIFY(!E().FModified);
  QCOMPARE(E().windowTitle(), Base + " - [" + path + "]");
}

void TProjectIoTest::frameCountAndPositionFit_data() {
  QTest::addColumn<int>("frames");
  QTest::addColumn<int>("current");
  QTest::addColumn<int>("expectFrames");
  QTest::addColumn<int>("expectCurrent");
  QTest::newRow("3 frames at 2, from 8 at 7") << 3 << 2 << 3 << 2;
  QTest::newRow("last frame") << 128 << 128 << 128 << 128;
  QTest::newRow("count 0, current 0: one frame") << 0 << 0 << 1 << 1;
  QTest::newRow("same count, other frame") << 8 << 1 << 8 << 1;
}

void TProjectIoTest::frameCountAndPositionFit() {
  QFETCH(int, frames);
  QFETCH(int, current);
  QFETCH(int, expectFrames);
  QFETCH(int, expectCurrent);
  E().SpinEditTotalFrames->setValue(8);
  E().SliderFrame->setValue(7);
  TSpriteStore store;
  store.SetPixel(expectCurrent - 1, false, 0, 0, 1);
  const QString path = Path("frames.sprite");
  WriteFile(path, BuildProjectFile(store, Header(0, 0, true, 0, 0, 12, 24, frames, current)));
  E().FModified = false;
  E().UpdateCaption(E().FProjectFileName);
  Open(path);
  QCOMPARE(E().SpinEditTotalFrames->value(), expectFrames);
  QCOMPARE(E().SliderFrame->maximum(), expectFrames);
  QCOMPARE(E().SliderFrame->minimum(), 1);
  QCOMPARE(E().SliderFrame->value(), expectCurrent);
  QCOMPARE(E().FCurrentFrame, expectCurrent - 1);
  QCOMPARE(E().LblFrameNum->text(), QString::number(expectCurrent));
  QCOMPARE(E().BtnPrev->isEnabled(), expectCurrent > 1);
  QCOMPARE(E().BtnNext->isEnabled(), expectCurrent < expectFrames);
  QCOMPARE(E().LblBinDataSizeVal->text(), QStringLiteral("%1 bytes").arg(96 * expectFrames));
  QVERIFY(!E().FModified);
}

// Nothing to change in the controls: no handler runs, yet the canvas is redrawn once.
void TProjectIoTest::equalSettingsRunNoHandlerButRedraw() {
  TSpriteStore store;
  store.SetPixel(0, false, 3, 3, 1);
  store.SetPixel(0, true, 200, 7, 1);
  const QString path = Path("same.sprite");
  WriteFile(path, BuildProjectFile(store, Header(0, 0, true, 0, 0, 12, 24, 1, 1)));
  E().FRedrawQueue.clear();
  Open(path);
  QCOMPARE(E().FRedrawQueue, TRedrawQueue{rtFull});  // ValueChange would have queued one more
  QVERIFY(SameStore(E().FStore, store));
  QVERIFY(!E().FModified);
  QCOMPARE(E().windowTitle(), Base + " - [" + path + "]");
  // And the canvas shows the pixel.
  E().show();
  QVERIFY(QTest::qWaitForWindowExposed(&E()));
  E().ProcessRedrawQueue();
  const QImage canvas = E().PaintBox->grab().toImage();
  QCOMPARE(canvas.pixel(3 * 12 + 5, 3 * 12 + 5), 0xFFFFFFFFu);
}

// 16 + 1,843,200 bytes with the payload stored plain: the longest file that passes.
void TProjectIoTest::fileOfTheLongestLengthLoads() {
  TSpriteStore store;
  FillRandom(store, 11);
  const std::vector<std::uint8_t> stream = BuildPixelStream(store);
  std::vector<std::uint8_t> file = BuildProjectFile(TSpriteStore(), Header(0, 0, true, 0, 0, 12, 24, 1, 1));
  const std::uint32_t length = PixelStreamSize;
  for (int i = 0; i < 4; ++i) file[12 + i] = std::uint8_t(length >> (8 * i));
  file.insert(file.end(), stream.begin(), stream.end());
  QCOMPARE(int(file.size()), ProjectFileMaxSize);
  const QString path = Path("longest.sprite");
  WriteFile(path, file);
  Open(path);
  QCOMPARE(D().Sequence(), QStringList{"open:Open sprite project..."});
  QVERIFY(SameStore(E().FStore, store));
}

// Plane side 128 and 64 frames: read into the top-left of the first 64 frames; everything
// else is clear afterwards; the document is marked and the user told.
void TProjectIoTest::previousVersionFile() {
  constexpr int side = 128, capacity = 64, rowBytes = 16;
  std::vector<std::uint8_t> stream(std::size_t(capacity) * 2 * side * rowBytes, 0);
  auto at = [&](int f, bool mask, int y, int bx) -> std::uint8_t& {
    return stream[((std::size_t(f) * 2 + (mask ? 1 : 0)) * side + y) * rowBytes + bx];
  };
  at(0, false, 0, 0) = 0x80;    // sprite (0, 0) of frame 0
  at(63, true, 127, 15) = 0x01;  // mask (127, 127) of frame 63
  at(10, false, 50, 8) = 0x40;   // sprite (65, 50) of frame 10
  std::vector<std::uint8_t> packed(stream.size());
  const int length = PackRuns(packed, stream);
  QVERIFY(length > 1 && length < int(stream.size()));  // a token stream
  std::vector<std::uint8_t> file = {'S', 'P', 'R', 'J', side, capacity, 0x01, 0x80, 16, 100, 4, 3};
  for (int i = 0; i < 4; ++i) file.push_back(std::uint8_t(unsigned(length) >> (8 * i)));
  file.insert(file.end(), packed.begin(), packed.begin() + length);
  const QString path = Path("old.sprite");
  WriteFile(path, file);

  // Pixels the file does not cover must not survive.
  E().FStore.SetPixel(0, false, 200, 200, 1);
  E().FStore.SetPixel(0, true, 130, 5, 1);
  E().FStore.SetPixel(100, false, 1, 1, 1);
  E().FStore.SetPixel(64, true, 0, 0, 1);
  Open(path);
  QCOMPARE(D().Sequence(), (QStringList{"open:Open sprite project...", "information:Open sprite project..."}));
  QCOMPARE(D().Shown[1].Text, QStringLiteral("This `Deduzu Sprite Project` file was created with previous version of "
                                             "this application.\nYou can save the file in the new format."));
  TSpriteStore expected;
  expected.SetPixel(0, false, 0, 0, 1);
  expected.SetPixel(63, true, 127, 127, 1);
  expected.SetPixel(10, false, 65, 50, 1);
  QVERIFY(SameStore(E().FStore, expected));
  QCOMPARE(E().RadioGroupMode->ItemIndex(), 1);
  QCOMPARE(E().FWidth, 16);
  QCOMPARE(E().FHeight, 100);
  QCOMPARE(E().SpinEditTotalFrames->value(), 4);
  QCOMPARE(E().FCurrentFrame, 2);
  QVERIFY(E().FModified);
  QVERIFY(E().MiSave->isEnabled());
  QCOMPARE(E().FProjectFileName, path);
  QCOMPARE(E().windowTitle(), Base + " - [* " + path + "]");

  // Saved again, it is a current file.
  E().MiSave->trigger();
  QVERIFY(!E().FModified);
  QFile saved(path);
  QVERIFY(saved.open(QIODevice::ReadOnly));
  const QByteArray head = saved.read(6);
  QCOMPARE(quint8(head[4]), quint8(240));
  QCOMPARE(quint8(head[5]), quint8(128));
}

void TProjectIoTest::refusedFileChangesNothing_data() {
  QTest::addColumn<QByteArray>("bytes");  // empty with a `special` of "missing" or "directory"
  QTest::addColumn<QString>("special");
  QTest::addColumn<QString>("message");

  TSpriteStore store;
  FillRandom(store, 3);
  const std::vector<std::uint8_t> good = BuildProjectFile(store, Header(1, 2, true, 3, 1, 24, 40, 6, 4));
  const QByteArray file(reinterpret_cast<const char*>(good.data()), qsizetype(good.size()));
  auto patched = [&](int at, char value) {
    QByteArray b = file;
    b[at] = value;
    return b;
  };
  QTest::newRow("payload one byte short") << file.left(file.size() - 1) << "" << LengthText;
  QTest::newRow("cut inside the header") << file.left(10) << "" << LengthText;
  QTest::newRow("empty file") << QByteArray() << "empty" << LengthText;
  QByteArray tooLong = file.left(16);
  tooLong.append(QByteArray(ProjectFileMaxSize + 1 - 16, '\0'));
  QTest::newRow("one byte longer than the longest") << tooLong << "" << LengthText;
  QTest::newRow("magic in lower case") << patched(0, 's') << "" << HeaderText;
  QTest::newRow("width above the plane side") << patched(8, char(241)) << "" << LimitsText;
  QTest::newRow("current frame above the count") << patched(11, 7) << "" << LimitsText;
  QTest::newRow("frame count 129") << patched(10, char(129)) << "" << LimitsText;
  QTest::newRow("byte mode without an item") << patched(6, 0x22) << "" << LimitsText;
  QTest::newRow("mask arrangement without an item") << patched(7, char(0x86)) << "" << LimitsText;
  QTest::newRow("no such file") << QByteArray() << "missing" << "Can't open this file!";
  QTest::newRow("a directory") << QByteArray() << "directory" << "Can't open this file!";
}

void TProjectIoTest::refusedFileChangesNothing() {
  QFETCH(QByteArray, bytes);
  QFETCH(QString, special);
  QFETCH(QString, message);
  // A named document with its own settings and pixels, no unsaved changes.
  TSpriteEditor& e = E();
  e.SpinEditWidth->setValue(30);
  e.SpinEditTotalFrames->setValue(3);
  e.SliderFrame->setValue(2);
  e.CbSpriteAlignment->setCurrentIndex(1);
  FillRandom(e.FStore, 5);
  const QString current = Path("current.sprite");
  D().Paths = {current};
  e.MiSaveAs->trigger();
  TSpriteStore before;
  for (int f = 0; f < MaxFrames; ++f)
    for (bool mask : {false, true}) before.Plane(f, mask) = e.FStore.Plane(f, mask);
  const QStringList settings = Settings(e);
  const QString title = e.windowTitle();

  QString path = Path("bad.sprite");
  if (special == "missing") path = Path("missing.sprite");
  if (special == "directory") QVERIFY(QDir(FDir->path()).mkdir("bad.sprite"));
  if (special.isEmpty() || special == "empty") {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), qint64(bytes.size()));
  }
  D().Shown.clear();
  Open(path);
  QCOMPARE(D().Sequence(), (QStringList{"open:Open sprite project...", "error:Open sprite project..."}));
  QCOMPARE(D().Shown[1].Text, message);
  QVERIFY(SameStore(e.FStore, before));
  QCOMPARE(Settings(e), settings);
  QVERIFY(!e.FModified);
  QCOMPARE(e.FProjectFileName, current);
  QCOMPARE(e.windowTitle(), title);
}

QTEST_MAIN(TProjectIoTest)
#include "project_io_test.moc"
